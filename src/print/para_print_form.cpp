#include "para_print_form.h"

#include <QBuffer>
#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "peview_form.h"
#include "print_form.h"
#include "print_texts.h"
#include "report_preview.h"
#include "report_renderer.h"
#include "report_text.h"
#include "text/text_pairs.h"

namespace q36::print {

namespace {

constexpr int CLIENT_WIDTH = 378;
constexpr int CLIENT_HEIGHT = 254;

QPushButton* AddButton(QWidget* parent, const char* name, const TextPair& caption, int language,
                       int x) {
    auto* button = new QPushButton(QtText(caption, language), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setGeometry(x, 196, 100, 36);
    return button;
}

}  // namespace

TParaPrintForm::TParaPrintForm(const RunSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      settings_(settings),
      commonReport_(std::make_unique<TPrintForm>(settings.LanguageIndex)),
      channelReport_(std::make_unique<TPeviewForm>(settings.LanguageIndex)),
      currentReport_(commonReport_.get()) {
    setObjectName(QStringLiteral("TParaPrintForm"));
    setModal(true);
    setFixedSize(CLIENT_WIDTH, CLIENT_HEIGHT);
    setWindowTitle(QtText(txt::PrintDialogCaption, settings_.LanguageIndex));

    RadioGroup1 = new QGroupBox(QtText(txt::PrintRadioGroup, settings_.LanguageIndex), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(20, 14, CLIENT_WIDTH - 40, 160);
    auto* entries = new QVBoxLayout(RadioGroup1);
    entries->setContentsMargins(40, 16, 16, 16);
    const TextPair* choiceTexts[2] = {&txt::PrintChoice0, &txt::PrintChoice1};
    for (int i = 0; i < 2; ++i) {
        choices_[i] =
            new QRadioButton(QtText(*choiceTexts[i], settings_.LanguageIndex), RadioGroup1);
        choices_[i]->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
        entries->addWidget(choices_[i]);
        connect(choices_[i], &QRadioButton::toggled, this, &TParaPrintForm::RadioGroup1Click);
    }

    SpeedButton1 = AddButton(this, "SpeedButton1", txt::PrintPreview, settings_.LanguageIndex, 20);
    SpeedButton2 = AddButton(this, "SpeedButton2", txt::PrintPrint, settings_.LanguageIndex, 139);
    SpeedButton3 = AddButton(this, "SpeedButton3", txt::ButtonCancel, settings_.LanguageIndex, 258);
    connect(SpeedButton1, &QPushButton::clicked, this, &TParaPrintForm::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TParaPrintForm::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &TParaPrintForm::reject);

    // Selecting the entry runs the choice change, which makes the channel report current.
    SetItemIndex(1);

    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

TParaPrintForm::~TParaPrintForm() = default;

StoreResult TParaPrintForm::Connect(const std::string& path) {
    StoreResult common = commonReport_->Connect(path);
    StoreResult channels = channelReport_->Connect(path);
    return common.ok() ? channels : common;
}

StoreResult TParaPrintForm::Connect() {
    return Connect(DefaultDatabasePath());
}

void TParaPrintForm::SetCommitPendingEdits(std::function<void()> commit) {
    commitPendingEdits_ = std::move(commit);
}

StoreResult TParaPrintForm::PrepareReports() {
    const QString header = QtText(txt::ReportHeader, settings_.LanguageIndex) + QLatin1Char('(') +
                           QtText(settings_.BandText) + QLatin1Char(')');
    commonReport_->SetHeaderLine(header);
    channelReport_->SetHeaderLine(header);
    StoreResult common = commonReport_->Refresh();
    StoreResult channels = channelReport_->Refresh();
    return common.ok() ? channels : common;
}

int TParaPrintForm::ItemIndex() const {
    for (int i = 0; i < 2; ++i) {
        if (choices_[i]->isChecked()) return i;
    }
    return -1;
}

void TParaPrintForm::SetItemIndex(int index) {
    if (index >= 0 && index < 2) choices_[index]->setChecked(true);
}

void TParaPrintForm::showEvent(QShowEvent* event) {
    // A spontaneous show is the window system restoring the dialog, not a new use of Print.
    if (!event->spontaneous()) {
        if (commitPendingEdits_) commitPendingEdits_();
        PrepareReports();
    }
    QDialog::showEvent(event);
}

QPrinterInfo TParaPrintForm::DefaultPrinter() const {
    return QPrinterInfo::defaultPrinter();
}

QString TParaPrintForm::AskPdfFileName(const ReportForm& report) {
    QFileDialog dialog(this, QtText(texts::SavePdfCaption, settings_.LanguageIndex),
                       QDir::homePath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtText(texts::PdfFilter, settings_.LanguageIndex));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(report.Caption() + QStringLiteral(".pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

void TParaPrintForm::RadioGroup1Click() {
    const int index = ItemIndex();
    if (index == 0) currentReport_ = commonReport_.get();
    if (index == 1) currentReport_ = channelReport_.get();
}

void TParaPrintForm::SpeedButton1Click() {
    if (!CurrentDataReady()) return;
    ReportForm* shown = currentReport_;
    PreviewReport(*shown, this, settings_.LanguageIndex, [this, shown] { PrintReport(*shown); });
}

void TParaPrintForm::SpeedButton2Click() {
    if (CurrentDataReady()) PrintReport(*currentReport_);
}

void TParaPrintForm::PrintReport(ReportForm& report) {
    // The default print queue takes the report without a further dialog; with several printers
    // it is the one the system names as default.
    const QPrinterInfo printer = DefaultPrinter();
    if (!printer.isNull()) {
        QPrinter target(printer, QPrinter::HighResolution);
        SetUpA4Page(target);
        target.setDocName(report.Caption());
        target.setCreator(QtText(txt::ReportHeader, settings_.LanguageIndex));
        // A printer's own failure is left to the printing system to report.
        report.Render(target, QDate::currentDate());
        return;
    }
    const QString path = AskPdfFileName(report);
    if (!path.isEmpty()) SaveAsPdf(report, path);
}

bool TParaPrintForm::CurrentDataReady() {
    // A store that was busy when the dialog was shown may be readable by now.
    if (!currentReport_->DataStatus().ok()) currentReport_->Refresh();
    const StoreResult& status = currentReport_->DataStatus();
    if (status.ok()) return true;
    ShowFailure(QtText(status.detail));
    return false;
}

void TParaPrintForm::SaveAsPdf(const ReportForm& report, const QString& path) {
    // The whole document is made in memory first and then replaces the file in one step, so a
    // failed save leaves an existing file as it was.
    QByteArray document;
    {
        QBuffer buffer(&document);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(report.Caption());
        writer.setCreator(QtText(txt::ReportHeader, settings_.LanguageIndex));
        SetUpA4Page(writer);
        if (report.Render(writer, QDate::currentDate()) == 0) document.clear();
    }
    QSaveFile file(path);
    if (document.isEmpty() || !file.open(QIODevice::WriteOnly) ||
        file.write(document) != document.size() || !file.commit()) {
        ShowFailure(QtText(texts::PdfNotSaved, settings_.LanguageIndex) + QLatin1Char('\n') +
                    QDir::toNativeSeparators(path) + QLatin1Char('\n') + file.errorString());
    }
}

void TParaPrintForm::ShowFailure(const QString& text) {
    QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("PrintFailureBox"));
    box.exec();
}

}  // namespace q36::print
