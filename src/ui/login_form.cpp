#include "login_form.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "list_only_key_filter.h"
#include "protocol/band_table.h"
#include "store/band_reset.h"
#include "text/text_pairs.h"
#include "ui_text.h"
#include "window_placement.h"
#include "window_texts.h"

namespace q36::ui {

TLoginForm::TLoginForm(RunSettings& settings, const std::string& databasePath, QWidget* parent)
    : QDialog(parent),
      GroupBox1(new QGroupBox(this)),
      suiComboBox(new QComboBox(GroupBox1)),
      Button1(new QPushButton(this)),
      Button2(new QPushButton(this)),
      settings_(settings) {
    setObjectName(QStringLiteral("TLoginForm"));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    suiComboBox->setObjectName(QStringLiteral("suiComboBox"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setObjectName(QStringLiteral("Button2"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* groupLayout = new QVBoxLayout(GroupBox1);
    groupLayout->addWidget(suiComboBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    setFixedSize(300, 150);

    // Enter anywhere in the dialog confirms.
    Button1->setDefault(true);
    ListOnlyKeyFilter::Install(*suiComboBox);
    connect(Button1, &QPushButton::clicked, this, &TLoginForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TLoginForm::Button2Click);

    settings_.FactoryLock = 1;
    ApplyCaptions();
    FillBandList();
    CentreOnScreen(*this);
    if (const StoreResult opened = connection_.Open(databasePath); !opened.ok()) {
        connectionError_ = opened.detail;
    }
}

void TLoginForm::ApplyCaptions() {
    setWindowTitle(QTr(txt::BandDialogCaption, settings_.LanguageIndex));
    GroupBox1->setTitle(QTr(txt::BandDialogGroup, settings_.LanguageIndex));
    Button1->setText(QTr(txt::ButtonOk, settings_.LanguageIndex));
    Button2->setText(QTr(txt::ButtonCancel, settings_.LanguageIndex));
}

void TLoginForm::FillBandList() {
    suiComboBox->clear();
    for (int i = 0; i < int(BandTable.size()); ++i) {
        suiComboBox->addItem(QString::fromStdString(BandEntryText(i)));
    }
    suiComboBox->setCurrentIndex(0);
    SelectBand(settings_, CoreText(suiComboBox->currentText()), 0);
}

void TLoginForm::Button1Click() {
    // The list holds only band entries, so this fails only without a selection; the dialog then
    // stays open.
    if (!SelectBand(settings_, CoreText(suiComboBox->currentText()), suiComboBox->currentIndex())) {
        return;
    }
    // The reset runs as one transaction. Were its failure passed over, the run would go on with
    // the rows of an earlier run as if they were this band's defaults; so the user is told and
    // may try again or cancel.
    if (const StoreResult reset = ResetBandDefaults(connection_, settings_); !reset.ok()) {
        QMessageBox box(QMessageBox::Critical, QTr(wtxt::NoCaption, settings_.LanguageIndex),
                        ShownText(reset.detail), QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("StoreMessage"));
        box.exec();
        return;
    }
    accept();
}

void TLoginForm::Button2Click() {
    reject();
}

void TLoginForm::showEvent(QShowEvent* event) {
    FillBandList();
    QDialog::showEvent(event);
}

}  // namespace q36::ui
