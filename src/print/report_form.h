#pragma once
// One report with the data it prints: a layout, a connection of its own to the store and the
// query whose rows fill the detail band. The report forms are created once and live as long as
// the program; the print dialog re-reads their data each time it is shown.

#include <QDate>
#include <QString>
#include <string>

#include "protocol/store_result.h"
#include "report_layout.h"
#include "store/connection.h"
#include "store/query.h"

class QPagedPaintDevice;

namespace q36::print {

class ReportForm {
  public:
    virtual ~ReportForm() = default;
    ReportForm(const ReportForm&) = delete;
    ReportForm& operator=(const ReportForm&) = delete;

    // Opens the form's own connection to the store file at path and reads the report's rows;
    // the engine's message when the file cannot be opened or read.
    StoreResult Connect(const std::string& path);
    // The same for the store in the program's folder.
    StoreResult Connect() { return Connect(DefaultDatabasePath()); }
    bool Connected() const { return connection_.IsOpen(); }

    // Reads the rows again, so that the report shows what the store holds now, including rows
    // posted through other connections; connects to the program's store first if the form has
    // no connection yet.
    StoreResult Refresh();
    // The outcome of the last connect or refresh: only when it is ok does the report print the
    // store's current rows.
    const StoreResult& DataStatus() const { return status_; }

    // The line under the page head that names the program and the band.
    void SetHeaderLine(const QString& text);
    QString HeaderLine() const;

    // The form's window caption, the title of the report's preview window.
    const QString& Caption() const { return caption_; }
    const ReportLayout& Layout() const { return layout_; }

    // Draws the report with the rows last read; the number of pages, 0 when the device could
    // not be painted on.
    int Render(QPagedPaintDevice& device, const QDate& printDate) const;

  protected:
    ReportForm(QString caption, const char* sql, ReportLayout layout);

  private:
    QString caption_;
    ReportLayout layout_;
    Connection connection_;
    Query query_;
    StoreResult status_;
};

}  // namespace q36::print
