#pragma once
// Save and Open of the main window: the whole configuration into a workbook and back, with the
// file dialogs, the question before a file is replaced, the wait cursor while the file is
// written or read, and the messages the exchange's outcome names.

#include <QString>
#include <memory>
#include <string>

class QString;

namespace q36::exchange {
struct ExchangeOutcome;
}

namespace q36::ui {

class TMainForm;
class WorkbookFileChooser;

// Whether Save and Open take the file as a CHIRP CSV: its name ends in .csv, any letter case.
bool IsCsvFileName(const QString& name);

class WorkbookCommands {
  public:
    explicit WorkbookCommands(TMainForm& window);
    ~WorkbookCommands();
    WorkbookCommands(const WorkbookCommands&) = delete;
    WorkbookCommands& operator=(const WorkbookCommands&) = delete;

    // Replaces the file dialogs.
    void SetChooser(std::unique_ptr<WorkbookFileChooser> chooser);

    // Posts pending edits, asks for a name (and, for an existing file, whether to replace it)
    // and writes the workbook; a cancelled dialog or "No" shows nothing. True once written.
    bool Save();
    // Asks for a workbook, checks it, shows what it would change and, on Yes, reads it into the
    // store, then shows the store on the pages; a cancelled dialog or No shows nothing more, a
    // workbook that cannot be taken leaves the store as it was. True once read into the store.
    bool Open();
    // Open of the workbook name, without the file dialog.
    bool OpenFile(const QString& name);

    // Open got as far as a chosen file; cleared each time Open starts.
    bool ImportAttempted() const { return importAttempted_; }
    // The workbook last opened or saved; empty before one was.
    const std::string& LastFile() const { return lastFile_; }
    WorkbookFileChooser& Chooser() { return *chooser_; }

  private:
    // The same for a CHIRP CSV (workbook_csv_commands.cpp).
    bool SaveCsv(const QString& name);
    bool OpenCsv(const QString& name);
    bool AskOverwrite();
    void ShowOutcome(const exchange::ExchangeOutcome& outcome);

    TMainForm& window_;
    std::unique_ptr<WorkbookFileChooser> chooser_;
    bool importAttempted_ = false;
    std::string lastFile_;
};

}  // namespace q36::ui
