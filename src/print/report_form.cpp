#include "report_form.h"

#include <utility>

#include "report_data.h"
#include "report_page.h"
#include "report_renderer.h"

namespace q36::print {

ReportForm::ReportForm(QString caption, const char* sql, ReportLayout layout)
    : caption_(std::move(caption)), layout_(std::move(layout)), query_(connection_) {
    query_.SetSql(sql);
    status_ = StoreResult::Error(StoreErrc::NotOpen, {});
}

StoreResult ReportForm::Connect(const std::string& path) {
    query_.Close();
    connection_.Close();
    status_ = connection_.Open(path);
    if (status_.ok()) status_ = query_.Open();
    return status_;
}

StoreResult ReportForm::Refresh() {
    if (!connection_.IsOpen()) return Connect();
    status_ = query_.Reopen();
    return status_;
}

void ReportForm::SetHeaderLine(const QString& text) {
    layout_.pageItems[HEADER_LINE_ITEM].text = text;
}

QString ReportForm::HeaderLine() const {
    return layout_.pageItems[HEADER_LINE_ITEM].text;
}

int ReportForm::Render(QPagedPaintDevice& device, const QDate& printDate) const {
    return RenderReport(layout_, QueryReportData(query_), device, printDate);
}

}  // namespace q36::print
