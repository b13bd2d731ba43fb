#include "undo_commands.h"

#include <QAction>
#include <QTimer>

#include "codec/change_words.h"
#include "ui_text.h"
#include "undo_texts.h"

namespace q36::ui {

UndoCommands::UndoCommands(std::function<bool(Configuration&)> shown,
                           std::function<bool(const Configuration&)> store, QAction& undo,
                           QAction& redo, int language, QObject* parent)
    : QObject(parent),
      shown_(std::move(shown)),
      store_(std::move(store)),
      undo_(undo),
      redo_(redo),
      language_(language) {
    connect(&undo_, &QAction::triggered, this, &UndoCommands::Undo);
    connect(&redo_, &QAction::triggered, this, &UndoCommands::Redo);
    UpdateActions();
}

bool UndoCommands::Shown(Configuration& configuration) {
    if (!shown_(configuration)) return false;
    // The first look at the store is the start, not an edit.
    if (!started_) {
        history_.Reset(configuration);
        started_ = true;
    }
    return true;
}

void UndoCommands::Reset() {
    started_ = false;
    Configuration shown;
    Shown(shown);
    UpdateActions();
}

void UndoCommands::ScheduleSettle() {
    if (settleDue_) return;
    settleDue_ = true;
    QTimer::singleShot(0, this, [this] {
        settleDue_ = false;
        Settle();
    });
}

void UndoCommands::Settle() {
    if (quiet_ > 0 || reading_) return;
    Configuration now;
    if (!Shown(now)) return;
    // A text stored in another form of the same value (a frequency's trailing zero) is no edit.
    const std::string detail = EditDetail(history_.Current(), now);
    if (detail.empty()) return;
    history_.Record(utxt::EditName, detail, now);
    UpdateActions();
}

std::string UndoCommands::EditDetail(const Configuration& before,
                                     const Configuration& after) const {
    const std::vector<FieldChange> changes = Diff(before, after, language_);
    if (changes.empty()) return {};
    const FieldChange& first = changes.front();
    std::string detail = ChangePlace(first, language_) + " " + ChangeColumn(first, language_);
    // A tone type resets its value too: still one place. Changes in several places say so.
    for (const FieldChange& change : changes) {
        if (change.part != first.part || change.number != first.number)
            return Fill(Tr(utxt::MorePlaces, language_), "{first}", detail);
    }
    return detail;
}

bool UndoCommands::RecordStep(const TextPair& name, std::string detail) {
    Configuration now;
    if (!Shown(now)) return false;
    const bool recorded = history_.Record(name, std::move(detail), now);
    UpdateActions();
    return recorded;
}

void UndoCommands::Undo() {
    if (reading_ || (busy_ && busy_())) return;
    Settle();
    const EditStep* step = history_.UndoStep();
    if (!step) return;
    {
        const Hold quiet(*this);
        if (!store_(step->before)) return;
    }
    history_.Undo();
    UpdateActions();
}

void UndoCommands::Redo() {
    if (reading_ || (busy_ && busy_())) return;
    Settle();
    const EditStep* step = history_.RedoStep();
    if (!step) return;
    {
        const Hold quiet(*this);
        if (!store_(step->after)) return;
    }
    history_.Redo();
    UpdateActions();
}

void UndoCommands::BeginRead() {
    Settle();
    reading_ = true;
}

void UndoCommands::EndRead(bool complete) {
    if (!reading_) return;
    reading_ = false;
    RecordStep(utxt::ReadName);
    if (complete) MarkClean();
}

void UndoCommands::MarkClean() {
    Settle();
    history_.MarkClean();
    UpdateActions();
}

void UndoCommands::MarkWritten() {
    Settle();
    history_.MarkWritten();
    UpdateActions();
}

bool UndoCommands::HasUnsavedChanges() {
    Settle();
    return started_ && !history_.IsClean();
}

QString UndoCommands::StepText(const TextPair& pattern, const EditStep& step) const {
    std::string name = Tr(step.name, language_);
    if (!step.detail.empty()) {
        name = Fill(Fill(Tr(utxt::StepDetail, language_), "{detail}", step.detail), "{name}", name);
    }
    std::string text = Fill(Tr(pattern, language_), "{step}", name);
    if (history_.WrittenBefore(step)) text += Tr(utxt::BeforeWrite, language_);
    return QString::fromStdString(text);
}

void UndoCommands::UpdateActions() {
    const EditStep* undo = history_.UndoStep();
    const EditStep* redo = history_.RedoStep();
    undo_.setEnabled(undo != nullptr);
    redo_.setEnabled(redo != nullptr);
    undo_.setText(undo ? StepText(utxt::UndoStepMenu, *undo) : QTr(utxt::UndoMenu, language_));
    redo_.setText(redo ? StepText(utxt::RedoStepMenu, *redo) : QTr(utxt::RedoMenu, language_));
}

}  // namespace q36::ui
