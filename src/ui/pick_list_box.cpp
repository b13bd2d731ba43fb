#include "pick_list_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOption>
#include <QWheelEvent>

namespace q36::ui {

namespace {

constexpr int VisibleEntries = 16;

// The application's style, except that a list drops below its box with a scroll bar: in the
// style's own way it would cover the screen with all 83 DCS codes.
class DroppedListStyle : public QProxyStyle {
  public:
    explicit DroppedListStyle(const QString& key) : QProxyStyle(key) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

QStyle* SharedDroppedListStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new DroppedListStyle(QApplication::style()->name());
        style->setParent(qApp);
    }
    return style;
}

}  // namespace

void DrawListButton(QPainter& painter, const QRect& cell, const QPalette& palette, bool enabled,
                    const QWidget* widget) {
    QStyle* style = widget ? widget->style() : QApplication::style();
    QStyleOption button;
    button.rect = QRect(cell.right() - ListButtonWidth + 1, cell.top() + 2, ListButtonWidth - 2,
                        cell.height() - 4);
    button.palette = palette;
    button.state = QStyle::State_Raised;
    if (enabled) button.state |= QStyle::State_Enabled;
    style->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, widget);
    button.rect.adjust(2, 4, -2, -4);
    style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &button, &painter, widget);
}

PickListBox::PickListBox(QWidget* parent) : QComboBox(parent) {
    setStyle(SharedDroppedListStyle());
    setMaxVisibleItems(VisibleEntries);
}

QRect PickListBox::TextArea() const {
    return rect().adjusted(1, 0, -ListButtonWidth, 0);
}

void PickListBox::showPopup() {
    // The list may be wider than the cell; every entry shows whole beside the scroll bar.
    QAbstractItemView* list = view();
    int widest = 0;
    for (int k = 0; k < count(); ++k)
        widest = std::max(widest, list->sizeHintForIndex(model()->index(k, modelColumn())).width());
    const int scrollBar =
        count() > VisibleEntries ? list->verticalScrollBar()->sizeHint().width() : 0;
    list->setMinimumWidth(widest + scrollBar + 2 * list->frameWidth() + 8);
    popupShown_ = true;
    QComboBox::showPopup();
}

void PickListBox::hidePopup() {
    QComboBox::hidePopup();
    if (!popupShown_) return;
    popupShown_ = false;
    Q_EMIT PopupHidden();
}

void PickListBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Normal : QPalette::Disabled;
    painter.fillRect(rect(), palette().color(group, QPalette::Base));
    // The frame marks the box as the grid's current cell.
    painter.setPen(palette().color(group, QPalette::Highlight));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(group, QPalette::Text));
    painter.drawText(TextArea(), Qt::AlignCenter,
                     currentIndex() >= 0 ? currentText() : placeholderText());
    DrawListButton(painter, rect(), palette(), isEnabled(), this);
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
