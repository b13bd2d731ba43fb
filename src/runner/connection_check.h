#pragma once
// The connection check: the steps between a user and a radio that answers, tried in order on
// one port, each with its result and, when it fails, what to do about it. The device is never
// opened before the steps that need no opening have passed, and a console never at all.

#include <string>
#include <vector>

#include "protocol/handshake.h"
#include "serial/port_facts.h"

namespace q36 {

enum class CheckStep { Exists, NotConsole, MayOpen, NotHeld, Opens, Answers };
enum class CheckOutcome { Passed, Failed, Skipped };
// What a failed step means for a caller that exits with a code: the port cannot be used, the
// radio refused the handshake, or it did not answer.
enum class CheckFailure { None, Port, Refused, NoAnswer };

struct CheckLine {
    CheckStep step;
    CheckOutcome outcome;
    CheckFailure failure = CheckFailure::None;
    std::string result;  // in the check's language
    std::string fix;     // what to do, for a failed step; empty otherwise
};

struct CheckOptions {
    int bandIndex = 0;  // the handshake's band byte
    std::string password = "KZP";
    int language = LANGUAGE_CHINESE;
    // The caller itself holds the port open (the window's own port): it is said so, and the
    // opening and the handshake are left out rather than disturb the port.
    bool heldByThisProgram = false;
    std::string sysTtyDir = "/sys/class/tty";
};

struct ConnectionCheck {
    std::string port;
    std::vector<CheckLine> lines;  // one per step, in CheckStep order
    PortHolders holders;
    HandshakeAnswer answer;  // the radio's, when the handshake step ran

    // The failure of the first step that failed, None when every step passed.
    CheckFailure FirstFailure() const;
};

// Runs the steps on port. Never throws.
ConnectionCheck CheckConnection(const std::string& port, const CheckOptions& options);

// One printed line: the mark, the port, the result and, for a failed step, the fix.
std::string CheckLineText(const std::string& port, const CheckLine& line, int language);

// The same for a device left out because it is the system console.
std::string ConsoleLeftOutText(const std::string& port, int language);

}  // namespace q36
