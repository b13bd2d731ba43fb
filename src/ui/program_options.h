#pragma once
// The desktop program's own command-line options. They are read before the window system is
// reached, so that --help and a bad option work without a display; every other argument is left
// to Qt.

#include <string>
#include <vector>

#include "text/language.h"

namespace q36::ui {

// What is wrong with a command line.
enum class OptionError { None, BadLanguage, MissingLanguage };

struct ProgramOptions {
    int languageIndex = LANGUAGE_CHINESE;   // the run's language; the design's Chinese by default
    bool languageChosen = false;            // --lang was given (and valid)
    bool help = false;                      // --help or -h: print the usage and end
    OptionError error = OptionError::None;  // anything else: the program ends with exit code 2
    std::string badValue;                   // the value of a bad --lang
};

// Reads the options from the program's arguments (without the program's name).
ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments);

// The usage, or an error with a pointer to it, in the run's language; in both languages when
// --lang did not choose one.
std::string UsageText(const ProgramOptions& options);
std::string ErrorText(const ProgramOptions& options);

}  // namespace q36::ui
