#pragma once
// Text pairs turned into Qt strings for the reports and the print dialog.

#include <QString>
#include <string>

#include "text/language.h"

namespace q36::print {

// The pair's text in language.
QString QtText(const TextPair& pair, int language);

// A UTF-8 text of the core (a stored value, an engine message) as a Qt string.
QString QtText(const std::string& text);

}  // namespace q36::print
