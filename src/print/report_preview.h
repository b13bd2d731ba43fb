#pragma once
// The preview window of a report.

#include <functional>

class QWidget;

namespace q36::print {

class ReportForm;

// Shows the report in a modal preview window titled with the report's caption, with a toolbar
// in the run's language. Its print button calls print, the same path as the print dialog's own
// button (the default printer, or a PDF file when there is none).
void PreviewReport(const ReportForm& report, QWidget* parent, int language,
                   const std::function<void()>& print);

}  // namespace q36::print
