#include "grid_cell_delegate.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "list_only_key_filter.h"
#include "pick_list_box.h"

namespace q36::ui {

GridCellDelegate::GridCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void GridCellDelegate::SetList(int column, const QStringList& shown, const QStringList& keys,
                               bool typingRefused) {
    lists_[column] = ListColumn{shown, keys.isEmpty() ? shown : keys, typingRefused};
}

QStringList GridCellDelegate::ShownList(int column) const {
    const auto list = lists_.find(column);
    return list == lists_.end() ? QStringList() : list->second.shown;
}

void GridCellDelegate::CommitOpenEditor() {
    if (QWidget* editor = openEditor_) {
        Q_EMIT commitData(editor);
        Q_EMIT closeEditor(editor, NoHint);
    }
}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    const int column = index.column();
    if (noEditor_.contains(column) || checkColumns_.contains(column)) return nullptr;
    QWidget* editor = nullptr;
    if (const auto list = lists_.find(column); list != lists_.end()) {
        auto* combo = new PickListBox(parent);
        combo->addItems(list->second.shown);
        if (list->second.typingRefused) ListOnlyKeyFilter::Install(*combo);
        // A choice is stored at once, as the cell's update, and ends the editing; a list closed
        // without a choice ends it too, once a choice that closed it has been announced.
        auto* self = const_cast<GridCellDelegate*>(this);
        connect(combo, &QComboBox::activated, self, [self, combo](int) {
            combo->setProperty("chosen", true);
            Q_EMIT self->commitData(combo);
            Q_EMIT self->closeEditor(combo, NoHint);
        });
        connect(
            combo, &PickListBox::PopupHidden, self,
            [self, box = QPointer<PickListBox>(combo)] {
                if (box && self->openEditor_ == box) Q_EMIT self->closeEditor(box, NoHint);
            },
            Qt::QueuedConnection);
        editor = combo;
    } else {
        auto* line = new QLineEdit(parent);
        line->setAlignment(Qt::AlignCenter);
        line->setFrame(false);
        editor = line;
    }
    editor->setFont(option.font);
    openEditor_ = editor;
    return editor;
}

void GridCellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (openEditor_ == editor) openEditor_ = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

void GridCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString stored = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const auto list = lists_.find(index.column());
        const int position = list == lists_.end() ? -1 : int(list->second.keys.indexOf(stored));
        combo->setCurrentIndex(position);
        // A value the list does not offer stays visible until another is chosen.
        combo->setPlaceholderText(position < 0 ? stored : QString());
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(stored);
    }
}

void GridCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const auto list = lists_.find(index.column());
        const int position = combo->currentIndex();
        if (list == lists_.end() || position < 0 || position >= list->second.keys.size()) return;
        const QString key = list->second.keys[position];
        // Leaving a list without choosing stores nothing; choosing stores, even the same entry.
        if (!combo->property("chosen").toBool() && key == index.data(Qt::EditRole).toString())
            return;
        combo->setProperty("chosen", false);
        model->setData(index, key, Qt::EditRole);
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        if (line->isModified()) model->setData(index, line->text(), Qt::EditRole);
    }
}

void GridCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex&) const {
    editor->setGeometry(option.rect);
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const int column = index.column();
    if (checkColumns_.contains(column)) {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        cell.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        cell.text.clear();
        QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
        QStyleOptionButton box;
        // A white box with a dark mark, as on a light desktop: a dark palette's box would vanish
        // into a dark row and show as a black hole in a tinted one.
        box.palette = QPalette(QColor(240, 240, 240));
        const QSize size(13, 13);
        box.rect = QRect(option.rect.center() - QPoint(size.width() / 2, size.height() / 2), size);
        box.state = QStyle::State_Enabled;
        if (!(index.flags() & Qt::ItemIsUserCheckable)) box.state &= ~QStyle::State_Enabled;
        box.state |= index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked
                         ? QStyle::State_On
                         : QStyle::State_Off;
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, cell.widget);
        return;
    }
    if (!lists_.contains(column)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The drop-down button is always shown, at the right of the cell; the text is centred in
    // the rest without the usual margins, so that the narrow columns show whole words.
    QStyleOptionViewItem whole = option;
    initStyleOption(&whole, index);
    const QString shown = whole.text;
    whole.text.clear();
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &whole, painter, option.widget);
    painter->save();
    painter->setFont(whole.font);
    painter->setPen(whole.palette.color(QPalette::Normal, whole.state & QStyle::State_Selected
                                                              ? QPalette::HighlightedText
                                                              : QPalette::Text));
    // A selected cell keeps the highlight's text colour, as the other columns do.
    if (const QVariant pen = index.data(Qt::ForegroundRole);
        pen.canConvert<QColor>() && !(whole.state & QStyle::State_Selected))
        painter->setPen(pen.value<QColor>());
    painter->drawText(option.rect.adjusted(1, 0, -ListButtonWidth, 0), Qt::AlignCenter, shown);
    painter->restore();
    DrawListButton(*painter, option.rect, option.palette, bool(index.flags() & Qt::ItemIsEditable),
                   option.widget);
}

bool GridCellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                   const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (!checkColumns_.contains(index.column())) {
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }
    if (!(index.flags() & Qt::ItemIsUserCheckable)) return false;
    bool toggle = false;
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        toggle =
            mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint());
    } else if (event->type() == QEvent::KeyPress) {
        toggle = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    }
    if (!toggle) return false;
    const bool checked = index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

bool GridCellDelegate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched)) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && discarded_.contains(text)) return true;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

}  // namespace q36::ui
