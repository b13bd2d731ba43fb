#pragma once
// The font family the reports are printed in: one that holds the Chinese glyphs, so that labels
// and stored option texts print as characters and not as empty boxes.

#include <QString>

namespace q36::print {

// The first installed family of a short preference list, else any family that the font
// database says writes Simplified Chinese, else the application's default family. Needs a
// running QGuiApplication; the answer is looked up once.
QString ReportFontFamily();

}  // namespace q36::print
