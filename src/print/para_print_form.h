#pragma once
// The print choice dialog: the user picks the common-parameter or the channel report and
// previews it, prints it on the default printer, or closes the dialog. Showing the dialog first
// runs the owner's commit of pending edits, then sets both reports' header line and re-reads
// their data, so the reports show the store as it is at that moment.
//
// Without any printer installed, Print asks for a file name and saves the report as a PDF file,
// so that the user still gets the page.

#include <QDialog>
#include <QPrinterInfo>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "protocol/run_settings.h"
#include "protocol/store_result.h"

class QGroupBox;
class QPushButton;
class QRadioButton;
class QShowEvent;

namespace q36::print {

class ReportForm;
class TPeviewForm;
class TPrintForm;

class TParaPrintForm : public QDialog {
    Q_OBJECT

  public:
    // Creates both report forms, unconnected; captions come from the current language. The
    // dialog opens with the channel report chosen. The header line names the band of settings,
    // which must outlive the dialog.
    explicit TParaPrintForm(const RunSettings& settings, QWidget* parent = nullptr);
    ~TParaPrintForm() override;

    // Connects both report forms to the store file at path, each with a connection of its own;
    // the engine's message of the first that fails. A form left unconnected connects to the
    // store in the program's folder when the dialog is first shown.
    StoreResult Connect(const std::string& path);
    StoreResult Connect();

    // Run each time the dialog is shown, before the reports read their data; the main window
    // posts its pending edits here.
    void SetCommitPendingEdits(std::function<void()> commit);

    // Sets the header line of both reports and re-reads their data; showing the dialog does
    // this. The first failure to read, or ok.
    StoreResult PrepareReports();

    TPrintForm& CommonReport() { return *commonReport_; }
    TPeviewForm& ChannelReport() { return *channelReport_; }
    // The report Preview and Print act on: the common report for entry 0, the channel report
    // for entry 1.
    ReportForm& CurrentReport() { return *currentReport_; }

    // The chosen entry of RadioGroup1, or -1.
    int ItemIndex() const;
    void SetItemIndex(int index);

  protected:
    void showEvent(QShowEvent* event) override;

    // The printer Print uses; a null printer when none is installed or none is the default.
    virtual QPrinterInfo DefaultPrinter() const;
    // Asks where to save the report when there is no printer; empty when the user cancels.
    virtual QString AskPdfFileName(const ReportForm& report);

  private:
    void RadioGroup1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();

    // False, after telling the user why, when the current report's data could not be read.
    bool CurrentDataReady();
    // Print and the preview's print button: the report to the default printer, or to a PDF file
    // the user names when there is none.
    void PrintReport(ReportForm& report);
    void SaveAsPdf(const ReportForm& report, const QString& path);
    void ShowFailure(const QString& text);

    const RunSettings& settings_;
    std::unique_ptr<TPrintForm> commonReport_;
    std::unique_ptr<TPeviewForm> channelReport_;
    ReportForm* currentReport_ = nullptr;
    std::function<void()> commitPendingEdits_;

    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton* choices_[2] = {nullptr, nullptr};
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QPushButton* SpeedButton3 = nullptr;
};

}  // namespace q36::print
