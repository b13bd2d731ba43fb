#include "modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QTest>

namespace q36::test {

ModalAnswerer::ModalAnswerer() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::Poll);
    timer_.start();
}

void ModalAnswerer::On(const QString& name, std::function<void(QWidget&)> answer) {
    answers_[name] = std::move(answer);
}

QStringList ModalAnswerer::Texts() const {
    QStringList texts;
    for (const SeenModal& modal : seen_) texts << modal.text;
    return texts;
}

QStringList ModalAnswerer::Names() const {
    QStringList names;
    for (const SeenModal& modal : seen_) names << modal.name;
    return names;
}

void ModalAnswerer::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == last_ || !modal->isVisible()) return;
    last_ = modal;
    // The same dialog may be shown again later; it counts as new once this showing has ended.
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        connect(
            dialog, &QDialog::finished, this, [this] { last_ = nullptr; },
            Qt::SingleShotConnection);
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    // A dialog of the program's own that asks a question has its text as a property.
    seen_.append({modal->objectName(), box ? box->text() : modal->property("text").toString()});
    if (const auto found = answers_.find(modal->objectName()); found != answers_.end()) {
        found->second(*modal);
    } else if (box) {
        QAbstractButton* button = box->button(answerNo_ ? QMessageBox::No : QMessageBox::Yes);
        if (!button) button = box->button(QMessageBox::Ok);
        if (button) button->click();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->accept();
    }
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QTest::qWait(5);
    }
    return true;
}

}  // namespace q36::test
