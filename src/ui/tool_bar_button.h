#pragma once
// A toolbar button of the main window: a small image above its caption in 55 x 36 pixels, laid
// out by hand because the widget style's own layout leaves too little room for the caption.

#include <QToolButton>

namespace q36::ui {

class ToolBarButton : public QToolButton {
    Q_OBJECT
  public:
    explicit ToolBarButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace q36::ui
