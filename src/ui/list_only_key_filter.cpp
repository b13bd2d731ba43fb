#include "list_only_key_filter.h"

#include <QKeyEvent>

namespace q36::ui {

ListOnlyKeyFilter::ListOnlyKeyFilter(QObject* parent) : QObject(parent) {}

void ListOnlyKeyFilter::Install(QObject& watched) {
    watched.installEventFilter(new ListOnlyKeyFilter(&watched));
}

bool ListOnlyKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
            return false;
        default:
            break;
    }
    // A combo box would otherwise jump to the entry that starts with the typed character.
    return !key->text().isEmpty();
}

}  // namespace q36::ui
