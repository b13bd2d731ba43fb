#pragma once
// Where Save and Open ask for a workbook's name. The desktop's file dialogs serve the program;
// tests put a chooser of their own in their place.

#include <QString>

class QWidget;

namespace q36::ui {

class WorkbookFileChooser {
  public:
    virtual ~WorkbookFileChooser() = default;
    // The name to save under; empty when the user cancelled.
    virtual QString SaveFileName(QWidget* parent) = 0;
    // The workbook to open; empty when the user cancelled.
    virtual QString OpenFileName(QWidget* parent) = 0;
    // The name to save a line trace under; empty when the user cancelled. A file dialog unless
    // a chooser gives its own.
    virtual QString TraceFileName(QWidget* parent, int language);
};

// File dialogs that list workbooks, and CHIRP CSV files under a filter of their own. A typed name
// is taken as it is (no extension is added, except .csv under the CSV filter) and the question
// about an existing file is left to Save, which asks it itself. Each dialog opens in the folder
// last used.
class DialogFileChooser final : public WorkbookFileChooser {
  public:
    // The dialogs' filter speaks language.
    explicit DialogFileChooser(int language) : language_(language) {}

    QString SaveFileName(QWidget* parent) override;
    QString OpenFileName(QWidget* parent) override;

  private:
    int language_;
    QString lastFolder_;
};

}  // namespace q36::ui
