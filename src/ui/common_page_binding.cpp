#include "common_page_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "common_page.h"
#include "text/text_pairs.h"
#include "ui_text.h"

namespace q36::ui {

CommonPageBinding::CommonPageBinding(CommonParamPage& page, int language, QObject* parent)
    : QObject(parent),
      page_(page),
      language_(language),
      label15_(page.findChild<QLabel*>(QStringLiteral("Label15"))) {
    for (std::size_t i = 1; i < page_.suiDBEdit.size(); ++i) {
        QLineEdit* edit = page_.suiDBEdit[i];
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, &CommonPageBinding::Edited);
    }
    for (std::size_t i = 1; i < page_.suiDBComboBox.size(); ++i) {
        connect(page_.suiDBComboBox[i], &QComboBox::activated, this, &CommonPageBinding::Edited);
    }
    QComboBox* pauseChannel = page_.suiDBComboBox[10];
    // A typed text stays a text: it never becomes a further entry whose position the radio
    // would take for a code.
    pauseChannel->setInsertPolicy(QComboBox::NoInsert);
    connect(pauseChannel, &QComboBox::editTextChanged, this, [this, pauseChannel] {
        if (pauseChannel->lineEdit() && pauseChannel->lineEdit()->hasFocus()) Edited();
    });
    for (QCheckBox* box : {page_.suiDBCheckBox1, page_.suiDBCheckBox2}) {
        connect(box, &QCheckBox::clicked, this, &CommonPageBinding::Edited);
    }
    connect(page_.suiDBComboBox[8], &QComboBox::activated, this,
            &CommonPageBinding::RestartConditionPicked);
}

void CommonPageBinding::RestartConditionPicked(int position) {
    if (!label15_) return;
    if (position == 0) label15_->setText(QTr(txt::Label15, language_));
    if (position == 1) label15_->setText(QTr(txt::Label15Pause, language_));
}

bool CommonPageBinding::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // The number edits take typed digits only. Keys that type no character (Backspace,
        // Delete, the arrows, Home/End, selection and clipboard shortcuts) work as in any edit.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
        for (QChar c : key->text()) {
            if (!shortcut && c.isPrint() && (c < QLatin1Char('0') || c > QLatin1Char('9')))
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

q36::CommonPage CommonPageBinding::Values() const {
    q36::CommonPage values;
    const auto position = [this](int number) {
        QComboBox* list = page_.suiDBComboBox[std::size_t(number)];
        if (list->isEditable()) return int(list->findText(list->currentText(), Qt::MatchExactly));
        return list->currentIndex();
    };
    values.aniMode = position(1);
    values.lowAlarm = position(2);
    values.lowBan = position(3);
    values.powerPress = position(4);
    values.keyAPress = position(5);
    values.keyBPress = position(6);
    values.scanPause = position(7);
    values.scanRestart = position(8);
    values.scanChanSel = position(9);
    values.scanPauseSel = position(10);
    const auto text = [this](int number) {
        return CoreText(page_.suiDBEdit[std::size_t(number)]->text());
    };
    values.ani = text(1);
    values.tot = text(2);
    values.lostTime = text(3);
    values.highPower = text(4);
    values.midPower = text(5);
    values.lowPower = text(6);
    values.temControl = page_.suiDBCheckBox1->isChecked();
    values.keyEnabled = page_.suiDBCheckBox2->isChecked();
    return values;
}

void CommonPageBinding::Show(const q36::CommonPage& values) {
    page_.ShowValues(values);
    pending_ = true;
}

StoreResult CommonPageBinding::Load(TransferData& row) {
    if (pending_) return StoreResult::Ok();
    q36::CommonPage values;
    const StoreResult read = row.ReadCommonPage(values);
    if (read.ok()) page_.ShowValues(values);
    return read;
}

StoreResult CommonPageBinding::Save(TransferData& row) {
    if (!pending_) return StoreResult::Ok();
    const StoreResult saved = row.ShowCommonPage(Values());
    if (saved.ok()) pending_ = false;
    return saved;
}

}  // namespace q36::ui
