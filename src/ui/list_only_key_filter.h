#pragma once
// Makes a list control accept a choice only from its list: every typed character except Enter
// is discarded. Keys that type nothing (arrows, Page Up/Down) and the keys that move focus or
// close the dialog (Tab, Escape) still work.

#include <QObject>

namespace q36::ui {

class ListOnlyKeyFilter : public QObject {
    Q_OBJECT
  public:
    explicit ListOnlyKeyFilter(QObject* parent = nullptr);

    // Installs a filter owned by the watched object itself.
    static void Install(QObject& watched);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace q36::ui
