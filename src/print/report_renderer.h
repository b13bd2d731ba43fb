#pragma once
// Draws a banded report on a paged device (a printer, a PDF file, the preview's pages).

#include <QDate>

#include "report_data.h"
#include "report_layout.h"

class QPagedPaintDevice;
class QPrinter;

namespace q36::print {

// Sets the device to an A4 portrait page without margins, so that the layout's page
// coordinates are measured from the paper's corner.
void SetUpA4Page(QPagedPaintDevice& device);
void SetUpA4Page(QPrinter& printer);

// Draws the report: the title band, then the detail band once per record, starting a new page
// when the next detail band would run into the page footer. Each page gets the page items, the
// column header band and the page footer with printDate and its number. Returns the number of
// pages drawn; 0 when the device could not be painted on (a file that cannot be written, a
// printer that refused the job).
int RenderReport(const ReportLayout& layout, const ReportData& data, QPagedPaintDevice& device,
                 const QDate& printDate);

}  // namespace q36::print
