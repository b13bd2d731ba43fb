#include "param_form.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "list_only_key_filter.h"
#include "runner/connection_check.h"
#include "text/text_pairs.h"
#include "ui_text.h"
#include "window_placement.h"
#include "window_texts.h"

namespace q36::ui {

namespace {

const char* const DefaultPassword = "KZP";

}  // namespace

TParamForm::TParamForm(const RunSettings& settings, PortLister listPorts, QWidget* parent)
    : QDialog(parent),
      listPorts_(std::move(listPorts)),
      settings_(settings),
      language_(settings.LanguageIndex),
      Label1(new QLabel(this)),
      Label2(new QLabel(this)),
      Label3(new QLabel(this)),
      Label4(new QLabel(this)),
      suiComboBox(new QComboBox(this)),
      PWEdit(new QLineEdit(this)),
      Button1(new QPushButton(this)),
      Button2(new QPushButton(this)),
      CheckButton(new QPushButton(this)) {
    setObjectName(QStringLiteral("TParamForm"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3->setObjectName(QStringLiteral("Label3"));
    Label4->setObjectName(QStringLiteral("Label4"));
    suiComboBox->setObjectName(QStringLiteral("suiComboBox"));
    PWEdit->setObjectName(QStringLiteral("PWEdit"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setObjectName(QStringLiteral("Button2"));
    CheckButton->setObjectName(QStringLiteral("CheckButton"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(325, 216);

    PWEdit->setEchoMode(QLineEdit::Password);
    PWEdit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    PWEdit->setText(QString::fromLatin1(DefaultPassword));
    PWEdit->setEnabled(false);
    // Port names are device paths, longer than the old COM names.
    suiComboBox->setMinimumWidth(170);
    suiComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(16);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    grid->addWidget(Label1, 0, 0, right);
    grid->addWidget(suiComboBox, 0, 1);
    grid->addWidget(Label2, 1, 0, right);
    grid->addWidget(PWEdit, 1, 1);
    grid->addWidget(Label3, 2, 0, right);
    grid->addWidget(Label4, 2, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CheckButton);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    Button1->setDefault(true);
    ListOnlyKeyFilter::Install(*suiComboBox);
    connect(Button1, &QPushButton::clicked, this, &TParamForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TParamForm::Button2Click);
    connect(CheckButton, &QPushButton::clicked, this, &TParamForm::CheckConnectionClick);

    ListDialogPorts();
    Label4->setText(QString::fromStdString(settings.BandText));
    ApplyCaptions();
    CentreOnScreen(*this);
}

void TParamForm::ApplyCaptions() {
    setWindowTitle(QTr(txt::ParamDialogCaption, language_));
    Label1->setText(QTr(txt::ParamLabel1, language_));
    Label2->setText(QTr(txt::ParamLabel2, language_));
    Label3->setText(QTr(txt::ParamLabel3, language_));
    Button1->setText(QTr(txt::ButtonOk, language_));
    Button2->setText(QTr(txt::ButtonCancel, language_));
    CheckButton->setText(QTr(wtxt::CheckConnection, language_));
}

void TParamForm::ListDialogPorts() {
    suiComboBox->clear();
    if (listPorts_) {
        for (const std::string& port : listPorts_())
            suiComboBox->addItem(QString::fromStdString(port));
    }
    if (suiComboBox->count() > 0) suiComboBox->setCurrentIndex(0);
}

QString TParamForm::PortName() const {
    return suiComboBox->currentText();
}

void TParamForm::SetPortName(const QString& port) {
    // Without a port in use the first port found stays preselected.
    if (port.isEmpty()) return;
    const int index = suiComboBox->findText(port);
    if (index >= 0) {
        suiComboBox->setCurrentIndex(index);
        return;
    }
    // A port that is no longer listed (or no port at all) is still shown, so that confirming
    // tries it again rather than silently switching to another one.
    suiComboBox->insertItem(0, port);
    suiComboBox->setCurrentIndex(0);
}

std::string TParamForm::Password() const {
    return CoreText(PWEdit->text());
}

void TParamForm::CheckConnectionClick() {
    const std::string port = CoreText(PortName());
    CheckOptions options;
    options.bandIndex = settings_.BandIndex;
    options.password = Password();
    options.language = language_;
    options.heldByThisProgram = !heldPort_.isEmpty() && heldPort_ == PortName();
    // The check waits for the radio's answer (2 s at most), the window still.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ConnectionCheck check = CheckConnection(port, options);
    QApplication::restoreOverrideCursor();
    QStringList lines;
    for (const CheckLine& line : check.lines)
        lines << QString::fromStdString(CheckLineText(port, line, language_));
    QMessageBox box(QMessageBox::Information, QTr(wtxt::CheckConnection, language_),
                    lines.join(QLatin1Char('\n')), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("ConnectionCheckMessage"));
    box.exec();
}

void TParamForm::Button1Click() {
    if (PWEdit->text().isEmpty()) {
        QMessageBox::information(this, QTr(txt::MainCaption, language_),
                                 QTr(txt::MsgEnterPassword, language_));
        return;
    }
    accept();
}

void TParamForm::Button2Click() {
    reject();
}

}  // namespace q36::ui
