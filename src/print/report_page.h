#pragma once
// The parts both reports share: the page head (picture and header line), the title band and
// the page footer.

#include <QString>
#include <cstddef>

#include "report_layout.h"

namespace q36::print {

// The page head picture, compiled into the program.
inline constexpr const char* REPORT_HEAD_PICTURE = ":/print/report_head.svg";

// The position among the page items of the header line, the text that names the program and the
// band.
inline constexpr std::size_t HEADER_LINE_ITEM = 1;

// A layout with the report font, the page head and the page footer in the base font.
ReportLayout SharedPageLayout(const ReportFont& baseFont);

// A title band of the layout's width and the given height, a rule along its top edge and the
// title centred in it, 27 pixels high and underlined.
ReportBand TitleBand(const ReportLayout& layout, double height, const QString& title);

// A text item at x, y of the given width, one line of the font high.
ReportItem TextItem(ItemKind kind, const QString& text, double x, double y, double width,
                    ReportFont font, Qt::Alignment align = Qt::AlignLeft);

}  // namespace q36::print
