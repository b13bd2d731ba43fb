#include "progress_printer.h"

#include <unistd.h>

#include <algorithm>

namespace q36::cli {

ProgressPrinter::ProgressPrinter(std::FILE* out)
    : out_(out), terminal_(::isatty(::fileno(out)) == 1) {}

void ProgressPrinter::EndBar() {
    if (barDrawn_) std::fputc('\n', out_);
    barDrawn_ = false;
}

void ProgressPrinter::SetProgress(int minimum, int maximum, int position) {
    if (!visible_ || position == lastPosition_) return;
    lastPosition_ = position;
    const int span = std::max(1, maximum - minimum);
    const int done = std::clamp(position - minimum, 0, span);
    if (terminal_) {
        constexpr int kWidth = 30;
        const int filled = done * kWidth / span;
        std::fprintf(out_, "\r[%s%s] %d/%d", std::string(std::size_t(filled), '#').c_str(),
                     std::string(std::size_t(kWidth - filled), ' ').c_str(), done, span);
        barDrawn_ = true;
    } else {
        std::fprintf(out_, "progress %d/%d\n", done, span);
    }
    std::fflush(out_);
}

void ProgressPrinter::SetVisible(bool visible) {
    if (!visible) EndBar();
    visible_ = visible;
    lastPosition_ = -1;
}

void ProgressPrinter::Message(const std::string& text) {
    EndBar();
    // Two-line messages use the Windows line break; print them as plain lines.
    std::string line;
    for (char c : text) {
        if (c != '\r') line += c;
    }
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
}

}  // namespace q36::cli
