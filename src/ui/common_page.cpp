#include "common_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "text/choice_lists.h"
#include "text/text_pairs.h"
#include "ui_text.h"

namespace q36::ui {

namespace {

constexpr Qt::Alignment LabelAlignment = Qt::AlignRight | Qt::AlignVCenter;

void Refill(QComboBox* list, const QStringList& entries) {
    list->clear();
    list->addItems(entries);
}

}  // namespace

CommonParamPage::CommonParamPage(int language, QWidget* parent)
    : QWidget(parent),
      GlobalGroupBox(new QGroupBox(this)),
      ScanGroupBox(new QGroupBox(this)),
      FactoryGroupBox(new QGroupBox(this)),
      language_(language) {
    GlobalGroupBox->setObjectName(QStringLiteral("GlobalGroupBox"));
    ScanGroupBox->setObjectName(QStringLiteral("ScanGroupBox"));
    FactoryGroupBox->setObjectName(QStringLiteral("FactoryGroupBox"));
    BuildGlobalGroup();
    BuildScanGroup();
    BuildFactoryGroup();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(14);
    layout->addWidget(GlobalGroupBox);
    layout->addWidget(ScanGroupBox);
    auto* factoryRow = new QHBoxLayout;
    factoryRow->addWidget(FactoryGroupBox);
    factoryRow->addStretch();
    layout->addLayout(factoryRow);
    layout->addStretch();
}

QLabel* CommonParamPage::NewLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(LabelAlignment);
    labels_ << label;
    return label;
}

QComboBox* CommonParamPage::NewComboBox(QWidget* parent, int number) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QStringLiteral("suiDBComboBox%1").arg(number));
    list->setMinimumWidth(150);
    suiDBComboBox[std::size_t(number)] = list;
    return list;
}

QLineEdit* CommonParamPage::NewEdit(QWidget* parent, int number, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("suiDBEdit%1").arg(number));
    edit->setMaxLength(maxLength);
    edit->setMinimumWidth(150);
    suiDBEdit[std::size_t(number)] = edit;
    return edit;
}

void CommonParamPage::BuildGlobalGroup() {
    QGroupBox* group = GlobalGroupBox;
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);

    // Left column.
    grid->addWidget(NewLabel(group, "LabelANI"), 0, 0);
    grid->addWidget(NewEdit(group, 1, 5), 0, 1);
    grid->addWidget(NewLabel(group, "Label2"), 1, 0);
    grid->addWidget(NewComboBox(group, 1), 1, 1);
    grid->addWidget(NewLabel(group, "Label3"), 2, 0);
    grid->addWidget(NewEdit(group, 2, 3), 2, 1);
    QLabel* unit = NewLabel(group, "Label4");
    unit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(unit, 2, 2);
    grid->addWidget(NewLabel(group, "Label5"), 3, 0);
    QComboBox* lowAlarm = NewComboBox(group, 2);
    grid->addWidget(lowAlarm, 3, 1);
    grid->addWidget(NewLabel(group, "Label6"), 4, 0);
    QComboBox* lowBan = NewComboBox(group, 3);
    grid->addWidget(lowBan, 4, 1);

    // Right column.
    grid->addWidget(NewLabel(group, "Label7"), 0, 3);
    grid->addWidget(NewComboBox(group, 4), 0, 4);
    grid->addWidget(NewLabel(group, "Label8"), 1, 3);
    grid->addWidget(NewComboBox(group, 5), 1, 4);
    grid->addWidget(NewLabel(group, "Label9"), 2, 3);
    grid->addWidget(NewComboBox(group, 6), 2, 4);
    grid->addWidget(NewLabel(group, "Label10"), 3, 3);
    suiDBCheckBox1 = new QCheckBox(group);
    suiDBCheckBox1->setObjectName(QStringLiteral("suiDBCheckBox1"));
    grid->addWidget(suiDBCheckBox1, 3, 4);
    grid->addWidget(NewLabel(group, "Label11"), 4, 3);
    suiDBCheckBox2 = new QCheckBox(group);
    suiDBCheckBox2->setObjectName(QStringLiteral("suiDBCheckBox2"));
    grid->addWidget(suiDBCheckBox2, 4, 4);
    // The scan switch of an earlier radio; kept, never shown.
    QLabel* scanSwitch = NewLabel(group, "Label21");
    scanSwitch->hide();
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(2, 70);

    // The two voltage lists are the same in both languages.
    const QStringList volts = QChoices(lists::Voltage, language_);
    lowAlarm->addItems(volts);
    lowBan->addItems(volts);
}

void CommonParamPage::BuildScanGroup() {
    QGroupBox* group = ScanGroupBox;
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->addWidget(NewLabel(group, "Label13"), 0, 0);
    grid->addWidget(NewComboBox(group, 7), 0, 1);
    grid->addWidget(NewLabel(group, "Label14"), 1, 0);
    grid->addWidget(NewComboBox(group, 8), 1, 1);
    grid->addWidget(NewLabel(group, "Label15"), 2, 0);
    grid->addWidget(NewEdit(group, 3, 3), 2, 1);
    grid->addWidget(NewLabel(group, "Label16"), 0, 3);
    grid->addWidget(NewComboBox(group, 9), 0, 4);
    grid->addWidget(NewLabel(group, "Label17"), 1, 3);
    QComboBox* pauseChannel = NewComboBox(group, 10);
    // The only list of the page whose text may also be typed.
    pauseChannel->setEditable(true);
    grid->addWidget(pauseChannel, 1, 4);
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(2, 20);
}

void CommonParamPage::BuildFactoryGroup() {
    QGroupBox* group = FactoryGroupBox;
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->addWidget(NewLabel(group, "Label18"), 0, 0);
    grid->addWidget(NewEdit(group, 4, 3), 0, 1);
    grid->addWidget(NewLabel(group, "Label19"), 1, 0);
    grid->addWidget(NewEdit(group, 5, 3), 1, 1);
    grid->addWidget(NewLabel(group, "Label20"), 2, 0);
    grid->addWidget(NewEdit(group, 6, 3), 2, 1);
}

void CommonParamPage::SetLabel(const char* name, const QString& text) {
    for (QLabel* label : labels_) {
        if (label->objectName() == QLatin1String(name)) label->setText(text);
    }
}

void CommonParamPage::ApplyCaptions() {
    // The entries keep table order in both languages: an entry's position is the radio's code
    // for it, so the lists are never sorted.
    GlobalGroupBox->setTitle(QTr(txt::GlobalGroupBox, language_));
    SetLabel("Label10", QTr(txt::Label10, language_));
    SetLabel("Label11", QTr(txt::Label11, language_));
    SetLabel("Label2", QTr(txt::Label2, language_));
    SetLabel("Label3", QTr(txt::Label3, language_));
    SetLabel("Label4", QTr(txt::Label4, language_));
    SetLabel("Label5", QTr(txt::Label5, language_));
    SetLabel("Label6", QTr(txt::Label6, language_));
    SetLabel("Label7", QTr(txt::Label7, language_));
    SetLabel("Label8", QTr(txt::Label8, language_));
    SetLabel("Label9", QTr(txt::Label9, language_));
    SetLabel("LabelANI", QTr(txt::LabelANI, language_));
    SetLabel("Label21", QTr(txt::Label21, language_));
    Refill(suiDBComboBox[1], QChoices(lists::AniMode, language_));
    Refill(suiDBComboBox[4], QChoices(lists::PowerPress, language_));
    Refill(suiDBComboBox[5], QChoices(lists::KeyAPress, language_));
    Refill(suiDBComboBox[6], QChoices(lists::KeyBPress, language_));

    ScanGroupBox->setTitle(QTr(txt::ScanGroupBox, language_));
    SetLabel("Label13", QTr(txt::Label13, language_));
    SetLabel("Label14", QTr(txt::Label14, language_));
    SetLabel("Label15", QTr(txt::Label15, language_));
    SetLabel("Label16", QTr(txt::Label16, language_));
    SetLabel("Label17", QTr(txt::Label17, language_));
    Refill(suiDBComboBox[10], QChoices(lists::ScanPauseSel, language_));
    Refill(suiDBComboBox[7], QChoices(lists::ScanPause, language_));
    Refill(suiDBComboBox[8], QChoices(lists::ScanRestart, language_));
    Refill(suiDBComboBox[9], QChoices(lists::ScanChanSel, language_));

    FactoryGroupBox->setTitle(QTr(txt::FactoryGroupBox, language_));
    SetLabel("Label18", QTr(txt::Label18, language_));
    SetLabel("Label19", QTr(txt::Label19, language_));
    SetLabel("Label20", QTr(txt::Label20, language_));
}

void CommonParamPage::ShowValues(const q36::CommonPage& values) {
    const std::array<int, 11> positions{-1,
                                        values.aniMode,
                                        values.lowAlarm,
                                        values.lowBan,
                                        values.powerPress,
                                        values.keyAPress,
                                        values.keyBPress,
                                        values.scanPause,
                                        values.scanRestart,
                                        values.scanChanSel,
                                        values.scanPauseSel};
    for (std::size_t i = 1; i < suiDBComboBox.size(); ++i) {
        suiDBComboBox[i]->setCurrentIndex(positions[i] < suiDBComboBox[i]->count() ? positions[i]
                                                                                   : -1);
    }
    const std::array<const std::string*, 7> texts{
        nullptr,           &values.ani,      &values.tot,     &values.lostTime,
        &values.highPower, &values.midPower, &values.lowPower};
    for (std::size_t i = 1; i < suiDBEdit.size(); ++i) {
        suiDBEdit[i]->setText(QString::fromStdString(*texts[i]));
    }
    suiDBCheckBox1->setChecked(values.temControl);
    suiDBCheckBox2->setChecked(values.keyEnabled);
}

}  // namespace q36::ui
