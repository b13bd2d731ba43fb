#include "right_button_filter.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

namespace q36::ui {

RightButtonFilter::RightButtonFilter(QObject* parent) : QObject(parent) {}

bool RightButtonFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) return true;
            break;
        case QEvent::ContextMenu:
            // Some platforms raise the menu request on their own after a right click.
            if (static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Mouse) {
                return true;
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace q36::ui
