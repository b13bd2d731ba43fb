#pragma once
// Runs q36cli as a separate process, as a dealer's shell or script would, and the virtual radio
// beside it.

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "support/scratch_folder.h"
#include "text/language.h"

namespace q36::test {

// The folder of the running test executable, where q36cli is built too.
std::string ExecutableFolder();
std::string Q36cliPath();

struct ProcessResult {
    int exitCode = -1;  // -1 when it had to be killed
    std::string out;
    std::string err;
    rusage usage{};
};

// A signal sent to the tool once it has run for a while, as a user's Ctrl-C.
struct Interruption {
    std::chrono::milliseconds after;
    int signal;
};

// Runs q36cli with args to its end (killed after timeout) and collects its output.
ProcessResult RunQ36cli(const std::vector<std::string>& args,
                        std::chrono::milliseconds timeout = std::chrono::seconds(30),
                        const std::vector<std::string>& extraEnv = {},
                        std::optional<Interruption> interruption = std::nullopt);

// `q36cli radio ...` running in the background until Stop() or destruction.
class RadioProcess {
  public:
    RadioProcess() = default;
    ~RadioProcess();
    RadioProcess(const RadioProcess&) = delete;
    RadioProcess& operator=(const RadioProcess&) = delete;

    // Starts the radio and waits for the device path it prints; false if it did not come up.
    bool Start(const std::vector<std::string>& args);
    const std::string& Port() const { return port_; }
    // SIGTERM, then waits; returns its exit code.
    int Stop();

  private:
    pid_t pid_ = -1;
    int stdoutFd_ = -1;
    std::string port_;
};

// Runs a Python snippet with the system interpreter (which has openpyxl and xlrd); returns its
// stdout, or nothing when it failed (its stderr is added to error).
std::optional<std::string> RunPython(const std::string& script, std::string* error = nullptr);

// The pair's text as q36cli prints it: a two-line message as two plain lines.
std::string PrintedText(const TextPair& pair, int language);

}  // namespace q36::test
