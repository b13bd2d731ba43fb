#pragma once
// Test support for the reports: a private copy of the delivered store filled by a read from the
// virtual radio, reports rendered to PDF files and read back as text with pdftotext, and an
// answerer for the modal windows the print dialog opens.

#include <QDate>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "protocol/radio_image.h"
#include "store/connection.h"
#include "support/store_copy.h"
#include "text/language.h"

class QWidget;

namespace q36::print {
class ReportForm;
}

namespace q36::test {

// A radio whose memory differs from the store's defaults: common settings of every kind and
// channels with tones, powers and frequencies that vary from row to row.
RadioImage VariedRadioImage();

// Reads the whole radio into the store at path, as the main window's Read does, its list words in
// language; fails the test unless the read ends with its completion message.
void ReadRadioInto(const std::string& path, const RadioImage& image,
                   int language = LANGUAGE_CHINESE);

// Writes text into a column of a row of a table through a connection of its own, the way an
// editor of the main window posts it.
void PostValue(const std::string& path, const std::string& table, int row,
               const std::string& column, const std::string& text);

// The report rendered as a PDF file through QPrinter; returns the page count.
int RenderToPdf(const print::ReportForm& report, const std::string& path, const QDate& date);

// The text of a PDF file as pdftotext -layout gives it, one entry per line.
std::vector<std::string> PdfLines(const std::string& path);

// A text without its blanks, so that lines are compared independent of pdftotext's spacing.
std::string Squeeze(const std::string& text);

// Calls answer with the next modal window other than skip that opens, then closes it; the
// returned object stops watching when destroyed.
class ModalAnswerer {
  public:
    ModalAnswerer(const QWidget* skip, std::function<void(QWidget*)> answer);
    ~ModalAnswerer();
    bool Answered() const;

  private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace q36::test
