#pragma once
// A drop-down list laid over a grid cell. Its value changes only by a choice from its open list:
// the wheel and the arrow keys never step it (they go on to the grid). It draws its whole text
// even in a 45-pixel cell, and its open list drops below it, at most 16 entries high with a
// scroll bar and as wide as its widest entry.

#include <QComboBox>

class QPainter;

namespace q36::ui {

// Width of the drop-down button drawn at the right of a list cell.
inline constexpr int ListButtonWidth = 12;

// Draws the drop-down button at the right of a list cell.
void DrawListButton(QPainter& painter, const QRect& cell, const QPalette& palette, bool enabled,
                    const QWidget* widget);

class PickListBox : public QComboBox {
    Q_OBJECT
  public:
    explicit PickListBox(QWidget* parent = nullptr);

    // Where the shown text is drawn: the box less its drop-down button.
    QRect TextArea() const;

    void showPopup() override;
    void hidePopup() override;

  Q_SIGNALS:
    // The open list has closed; a choice made in it is announced (activated) after this.
    void PopupHidden();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool popupShown_ = false;
};

}  // namespace q36::ui
