#pragma once
// Cell editing of the program's grids: list columns edited through a drop-down list whose
// button is drawn in every cell and whose editor lives while its list is open, check-box columns
// toggled in place, columns without an editor, and typed text with characters that never reach
// the cell.

#include <QPointer>
#include <QStyledItemDelegate>
#include <map>
#include <set>

namespace q36::ui {

class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit GridCellDelegate(QObject* parent = nullptr);

    // The column is edited by choosing from shown; keys[k] is stored for shown[k] (shown when
    // keys is empty). typingRefused: typed characters choose nothing in the open list.
    void SetList(int column, const QStringList& shown, const QStringList& keys = {},
                 bool typingRefused = false);
    QStringList ShownList(int column) const;
    bool IsList(int column) const { return lists_.contains(column); }
    void SetCheckColumn(int column) { checkColumns_.insert(column); }
    void SetNoEditor(int column) { noEditor_.insert(column); }
    // Characters discarded when typed into a text editor of a cell.
    void SetDiscarded(const QString& characters) { discarded_ = characters; }

    // Stores what an open editor holds and closes it.
    void CommitOpenEditor();

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct ListColumn {
        QStringList shown;
        QStringList keys;
        bool typingRefused = false;
    };

    std::map<int, ListColumn> lists_;
    std::set<int> checkColumns_;
    std::set<int> noEditor_;
    QString discarded_;
    mutable QPointer<QWidget> openEditor_;
};

}  // namespace q36::ui
