#pragma once
// A grid that changes a cell only when the user means to. A text cell opens its editor as it
// becomes current; a list cell opens its list only when asked (a click, Enter, F2, F4 or
// Alt+Down), so that the arrow keys and Tab always move between cells and a list value changes
// only by a choice from the open list. Typing on a cell that cannot be edited does nothing (it
// never jumps to a row whose text starts with the key), and the wheel steps no value.

#include <QTableView>

class QKeyEvent;

namespace q36::ui {

class GridCellDelegate;

class EditGrid : public QTableView {
    Q_OBJECT
  public:
    explicit EditGrid(QWidget* parent = nullptr);

    // How the grid's cells are edited and drawn.
    GridCellDelegate& Delegate() { return *delegate_; }
    const GridCellDelegate& Delegate() const { return *delegate_; }

    // Opens the list of the cell, when it has one and can be edited; says whether it opened.
    virtual bool OpenList(const QModelIndex& index);
    // Whether the key asks for the current cell's list.
    static bool OpensList(const QKeyEvent& event);

    void keyboardSearch(const QString& search) override;

  protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    GridCellDelegate* delegate_;
};

}  // namespace q36::ui
