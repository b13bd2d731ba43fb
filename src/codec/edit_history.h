#pragma once
// The window's undo history: a list of steps, each a name with the configuration before and
// after it, a position between the steps done and those undone, a depth limit, the point that
// was last saved, read or written ("clean"), and which steps were already written to the radio.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "configuration.h"
#include "text/language.h"

namespace q36 {

// One step: what it was called, a detail in plain words (the field it changed, a file name),
// and the configuration on either side of it.
struct EditStep {
    TextPair name;
    std::string detail;
    Configuration before;
    Configuration after;
};

class EditHistory {
  public:
    // Keeps at most depth steps (the oldest go first).
    explicit EditHistory(std::size_t depth = 100) : depth_(depth == 0 ? 1 : depth) {}

    // Forgets every step; current becomes what is shown and what counts as clean.
    void Reset(const Configuration& current);
    // The configuration after the last step done.
    const Configuration& Current() const { return current_; }

    // Records a step from Current() to after, dropping the steps undone; false (nothing
    // recorded) when after is what is current.
    bool Record(const TextPair& name, std::string detail, const Configuration& after);

    // The step an undo would take back, or a redo do again; nullptr when there is none.
    const EditStep* UndoStep() const;
    const EditStep* RedoStep() const;
    // Moves one step back or forth once its configuration is shown and stored.
    void Undo();
    void Redo();
    // Whether step (from UndoStep or RedoStep) was made before the last write to the radio, so
    // that undoing it leaves the radio as it is.
    bool WrittenBefore(const EditStep& step) const;

    // What is current is what was saved, read or written.
    void MarkClean() { clean_ = current_; }
    // And in the radio: the steps done so far were written.
    void MarkWritten();
    // Current() is the configuration last marked clean.
    bool IsClean() const { return clean_ && *clean_ == current_; }

    std::size_t Depth() const { return depth_; }
    std::size_t StepCount() const { return steps_.size(); }

  private:
    std::size_t depth_;
    std::vector<EditStep> steps_;
    std::size_t done_ = 0;     // steps_[0..done_) are done, the rest undone
    std::size_t written_ = 0;  // steps_[0..written_) were made before the last write
    Configuration current_;
    std::optional<Configuration> clean_;
};

}  // namespace q36
