#include "edit_history.h"

#include <algorithm>

namespace q36 {

void EditHistory::Reset(const Configuration& current) {
    steps_.clear();
    done_ = 0;
    written_ = 0;
    current_ = current;
    clean_ = current;
}

bool EditHistory::Record(const TextPair& name, std::string detail, const Configuration& after) {
    if (after == current_) return false;
    steps_.resize(done_);
    written_ = std::min(written_, done_);
    steps_.push_back({name, std::move(detail), current_, after});
    if (steps_.size() > depth_) {
        const std::size_t dropped = steps_.size() - depth_;
        steps_.erase(steps_.begin(), steps_.begin() + std::ptrdiff_t(dropped));
        written_ -= std::min(written_, dropped);
    }
    done_ = steps_.size();
    current_ = after;
    return true;
}

const EditStep* EditHistory::UndoStep() const {
    return done_ > 0 ? &steps_[done_ - 1] : nullptr;
}

const EditStep* EditHistory::RedoStep() const {
    return done_ < steps_.size() ? &steps_[done_] : nullptr;
}

void EditHistory::Undo() {
    if (done_ == 0) return;
    --done_;
    current_ = steps_[done_].before;
}

void EditHistory::Redo() {
    if (done_ >= steps_.size()) return;
    current_ = steps_[done_].after;
    ++done_;
}

bool EditHistory::WrittenBefore(const EditStep& step) const {
    const auto position = std::size_t(&step - steps_.data());
    return position < written_;
}

void EditHistory::MarkWritten() {
    written_ = done_;
    MarkClean();
}

}  // namespace q36
