#pragma once
// A panel of the status bar, of fixed width. A text too long for it is shortened from the left,
// so that its end stays whole: the state word after a long port path ("…ttyUSB0 打开") tells an
// open port from a busy one. The whole text is the panel's tooltip.

#include <QLabel>

namespace q36::ui {

class StatusPanel : public QLabel {
    Q_OBJECT
  public:
    explicit StatusPanel(QWidget* parent = nullptr);

    void SetFullText(const QString& text);
    // The text as set, before shortening.
    const QString& FullText() const { return full_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Fit();

    QString full_;
};

}  // namespace q36::ui
