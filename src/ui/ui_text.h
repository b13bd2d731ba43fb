#pragma once
// Text pairs and pick lists turned into Qt strings for the windows.

#include <QString>
#include <QStringList>
#include <string>

#include "text/language.h"

namespace q36::ui {

// A UTF-8 text as shown on screen; a "\r\n" line break becomes one line break.
QString ShownText(const std::string& text);

// The pair's text in language.
QString QTr(const TextPair& pair, int language);

// The entries of a pick list in language, in list order.
QStringList QChoices(ChoiceList list, int language);

// A Qt string back to the UTF-8 text the core works with.
std::string CoreText(const QString& text);

// A file name as the operating system takes it (the local 8-bit encoding of the name).
std::string FilePath(const QString& name);

}  // namespace q36::ui
