#pragma once
// The preview window of a report.

class QWidget;

namespace q36::print {

class ReportForm;

// Shows the report in a modal preview window titled with the report's caption. Its toolbar also
// prints the report; without a printer installed that saves it as a PDF file instead.
void PreviewReport(const ReportForm& report, QWidget* parent);

}  // namespace q36::print
