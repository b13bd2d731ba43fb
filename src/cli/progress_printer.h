#pragma once
// Progress and messages of a transfer on stderr: a bar that redraws itself on a terminal, plain
// lines when stderr is a file or a pipe.

#include <cstdio>
#include <string>

namespace q36::cli {

class ProgressPrinter {
  public:
    explicit ProgressPrinter(std::FILE* out = stderr);

    void SetProgress(int minimum, int maximum, int position);
    void SetVisible(bool visible);
    // A message the desktop program would show in a box, on a line of its own.
    void Message(const std::string& text);

  private:
    void EndBar();

    std::FILE* out_;
    bool terminal_;
    bool visible_ = false;
    bool barDrawn_ = false;
    int lastPosition_ = -1;
};

}  // namespace q36::cli
