#pragma once
// Undo and redo of the main window: the history of its steps, the two actions that show the
// step each would take, and the edits of the grid, the common page and the scan editor noted as
// steps once the store (or the page) holds them.

#include <QObject>
#include <functional>
#include <string>

#include "codec/edit_history.h"

class QAction;

namespace q36::ui {

class UndoCommands : public QObject {
    Q_OBJECT
  public:
    // shown gives what the window shows (false when it cannot be read), store stores a whole
    // configuration and shows it (false after its message when the store refuses). The
    // actions' texts are set in language.
    UndoCommands(std::function<bool(Configuration&)> shown,
                 std::function<bool(const Configuration&)> store, QAction& undo, QAction& redo,
                 int language, QObject* parent = nullptr);

    // While busy says so (a transfer runs and reads or encodes the store), undo and redo wait.
    void SetBusy(std::function<bool()> busy) { busy_ = std::move(busy); }
    // What is shown becomes the start: no steps, and clean.
    void Reset();
    // Notes an edit as a step once the event loop is idle again (the edits of one user action
    // come as several changes of the store).
    void ScheduleSettle();
    // Notes what is shown as an edit step now, when it differs from the last step.
    void Settle();
    // After a command stored what it changed: one step from the last one to what is shown.
    bool RecordStep(const TextPair& name, std::string detail = {});

    void Undo();
    void Redo();

    // A read from the radio is one step: the changes it makes while it runs are not edits.
    void BeginRead();
    void EndRead(bool complete);
    // What is shown was saved or opened from a file; or written to the radio.
    void MarkClean();
    void MarkWritten();
    // Changes shown that were neither saved nor written.
    bool HasUnsavedChanges();

    const EditHistory& History() const { return history_; }

    // While one lives, changes of the store are no edits: a command that makes them records
    // its own step.
    class Hold {
      public:
        explicit Hold(UndoCommands& commands) : commands_(commands) { ++commands_.quiet_; }
        ~Hold() { --commands_.quiet_; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

      private:
        UndoCommands& commands_;
    };

  private:
    bool Shown(Configuration& configuration);
    std::string EditDetail(const Configuration& before, const Configuration& after) const;
    QString StepText(const TextPair& pattern, const EditStep& step) const;
    void UpdateActions();

    std::function<bool(Configuration&)> shown_;
    std::function<bool(const Configuration&)> store_;
    std::function<bool()> busy_;
    QAction& undo_;
    QAction& redo_;
    int language_;
    EditHistory history_;
    bool started_ = false;  // history_ holds what was shown at the start
    bool reading_ = false;
    bool settleDue_ = false;
    int quiet_ = 0;
};

}  // namespace q36::ui
