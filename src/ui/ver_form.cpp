#include "ver_form.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "list_only_key_filter.h"
#include "pictures.h"
#include "text/text_pairs.h"
#include "ui_text.h"
#include "window_placement.h"

namespace q36::ui {

TVerForm::TVerForm(RunSettings& settings, QWidget* parent)
    : QDialog(parent),
      Image1(new QLabel(this)),
      GroupBox1(new QGroupBox(this)),
      suiComboBox(new QComboBox(GroupBox1)),
      Button1(new QPushButton(this)),
      Button2(new QPushButton(this)),
      settings_(settings) {
    setObjectName(QStringLiteral("TVerForm"));
    Image1->setObjectName(QStringLiteral("Image1"));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    suiComboBox->setObjectName(QStringLiteral("suiComboBox"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setObjectName(QStringLiteral("Button2"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(532, 262);

    // Left: where the marking sits on the radio. Right: the choice.
    Image1->setPixmap(SvgPixmap(QStringLiteral(":/images/radio_top.svg"), QSize(149, 239)));
    Image1->setFixedSize(149, 239);
    auto* leftPanel = new QWidget(this);
    leftPanel->setFixedWidth(153);
    auto* leftLayout = new QVBoxLayout(leftPanel);
    leftLayout->setContentsMargins(2, 2, 2, 2);
    leftLayout->addWidget(Image1);

    suiComboBox->setFixedWidth(305);
    auto* groupLayout = new QVBoxLayout(GroupBox1);
    groupLayout->addStretch();
    groupLayout->addWidget(suiComboBox);
    groupLayout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    auto* rightLayout = new QVBoxLayout;
    rightLayout->addWidget(GroupBox1, 1);
    rightLayout->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 12, 12);
    layout->addWidget(leftPanel);
    layout->addLayout(rightLayout, 1);

    Button1->setDefault(true);
    ListOnlyKeyFilter::Install(*suiComboBox);
    connect(suiComboBox, &QComboBox::currentIndexChanged, this, &TVerForm::suiComboBoxChange);
    connect(Button1, &QPushButton::clicked, this, &TVerForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TVerForm::Button2Click);

    ApplyCaptions();
    FillVersionList();
    CentreOnScreen(*this);
}

void TVerForm::ApplyCaptions() {
    setWindowTitle(QTr(txt::VerDialogCaption, settings_.LanguageIndex));
    GroupBox1->setTitle(QTr(txt::VerDialogGroup, settings_.LanguageIndex));
    Button1->setText(QTr(txt::ButtonOk, settings_.LanguageIndex));
    Button2->setText(QTr(txt::ButtonCancel, settings_.LanguageIndex));
}

void TVerForm::FillVersionList() {
    const QSignalBlocker quiet(suiComboBox);
    suiComboBox->clear();
    suiComboBox->addItem(QTr(txt::VerChoice0, settings_.LanguageIndex));
    suiComboBox->addItem(QTr(txt::VerChoice1, settings_.LanguageIndex));
    suiComboBox->setCurrentIndex(0);
    settings_.HasScanList = true;
}

void TVerForm::suiComboBoxChange(int index) {
    settings_.HasScanList = index == 0;
}

void TVerForm::Button1Click() {
    accept();
}

void TVerForm::Button2Click() {
    reject();
}

void TVerForm::showEvent(QShowEvent* event) {
    ApplyCaptions();
    QDialog::showEvent(event);
}

}  // namespace q36::ui
