#pragma once
// A drop-down list laid over a grid cell. Its value changes only by a choice from its open list:
// the wheel and the arrow keys never step it (they go on to the grid).

#include <QComboBox>

namespace q36::ui {

class PickListBox : public QComboBox {
    Q_OBJECT
  public:
    explicit PickListBox(QWidget* parent = nullptr);

    void showPopup() override;
    void hidePopup() override;

  Q_SIGNALS:
    // The open list has closed; a choice made in it is announced (activated) after this.
    void PopupHidden();

  protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool popupShown_ = false;
};

}  // namespace q36::ui
