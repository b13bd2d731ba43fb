#include "report_preview.h"

#include <QDate>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include "report_form.h"
#include "report_renderer.h"

namespace q36::print {

namespace {

constexpr int PREVIEW_WIDTH = 960;
constexpr int PREVIEW_HEIGHT = 1000;

}  // namespace

void PreviewReport(const ReportForm& report, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpA4Page(printer);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("PreviewDialog"));
    preview.setWindowTitle(report.Caption());
    // Room for the whole toolbar, print button included, and a page that can be read.
    QSize size(PREVIEW_WIDTH, PREVIEW_HEIGHT);
    if (const QScreen* screen = preview.screen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    }
    preview.resize(size);
    const QDate printDate = QDate::currentDate();
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&report, printDate](QPrinter* target) { report.Render(*target, printDate); });
    preview.exec();
}

}  // namespace q36::print
