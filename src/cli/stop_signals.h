#pragma once
// SIGINT and SIGTERM as a request to stop that the tool's loops look at, so that a run ends
// between two frames, cleans up and says what it left; SIGPIPE ignored, so that a closed output
// never ends a transfer halfway.

namespace q36::cli {

// Installs the handlers; call once at start.
void InstallStopSignals();

// The signal that asked the tool to stop, or 0.
int StopSignal();

// The exit code of a run stopped by signal: 128 + its number (130 for SIGINT, 143 for SIGTERM).
int ExitCodeOfSignal(int signal);

}  // namespace q36::cli
