#pragma once
// An application-wide filter that swallows every press and release of the right mouse button
// before any widget sees it, so that no context menu opens anywhere in the program.

#include <QObject>

namespace q36::ui {

class RightButtonFilter : public QObject {
    Q_OBJECT
  public:
    explicit RightButtonFilter(QObject* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace q36::ui
