#include "pick_list_box.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace q36::ui {

PickListBox::PickListBox(QWidget* parent) : QComboBox(parent) {}

void PickListBox::showPopup() {
    popupShown_ = true;
    QComboBox::showPopup();
}

void PickListBox::hidePopup() {
    QComboBox::hidePopup();
    if (!popupShown_) return;
    popupShown_ = false;
    Q_EMIT PopupHidden();
}

void PickListBox::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

void PickListBox::keyPressEvent(QKeyEvent* event) {
    const bool opens = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                       event->key() == Qt::Key_F4 ||
                       (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
    if (opens) {
        showPopup();
        return;
    }
    // Arrows, Page Up/Down, Home/End and typed characters would step or search the value; they
    // go on to the grid instead.
    event->ignore();
}

}  // namespace q36::ui
