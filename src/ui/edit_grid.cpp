#include "edit_grid.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>

#include "grid_cell_delegate.h"

namespace q36::ui {

EditGrid::EditGrid(QWidget* parent) : QTableView(parent), delegate_(new GridCellDelegate(this)) {
    setItemDelegate(delegate_);
}

bool EditGrid::OpenList(const QModelIndex& index) {
    if (!delegate_->IsList(index.column())) return false;
    if (!QTableView::edit(index, AllEditTriggers, nullptr)) return false;
    auto* list = qobject_cast<QComboBox*>(indexWidget(index));
    if (!list) return false;
    list->showPopup();
    return true;
}

bool EditGrid::OpensList(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F4:
            return true;
        case Qt::Key_Down:
            return event.modifiers() & Qt::AltModifier;
        default:
            return false;
    }
}

void EditGrid::keyboardSearch(const QString&) {
    // A typed key is no search: on a locked cell it would move to another channel, and the
    // keys after it would edit that one.
}

bool EditGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (trigger == EditKeyPressed && OpenList(index)) return true;
    if (!delegate_->IsList(index.column())) return QTableView::edit(index, trigger, event);
    if (event && event->type() == QEvent::MouseButtonRelease) {
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && OpenList(index);
    }
    // Mouse presses still reach the delegate; becoming current, typed keys and the double
    // click after the click that opened the list open nothing.
    if (trigger == NoEditTriggers) return QTableView::edit(index, trigger, event);
    return false;
}

void EditGrid::keyPressEvent(QKeyEvent* event) {
    if (OpensList(*event) && state() != EditingState && OpenList(currentIndex())) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace q36::ui
