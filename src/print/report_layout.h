#pragma once
// A banded report layout: items placed on the page, a title band on the first page, an optional
// column header band at the top of every page, a detail band repeated once per record and a
// page footer at the bottom of every page. All positions and sizes are in the pixels of a page
// laid out at 96 pixels per inch; the renderer scales them to the device.

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

namespace q36::print {

// Layout pixels per inch.
inline constexpr double LAYOUT_DPI = 96.0;

// An A4 page at the layout resolution.
inline constexpr double A4_WIDTH = 794.0;
inline constexpr double A4_HEIGHT = 1123.0;

// Font of one item; the family is the report's.
struct ReportFont {
    int pixelSize = 13;
    bool italic = false;
    bool underline = false;
};

enum class ItemKind {
    Label,       // text: the label's text
    Field,       // text: the column whose value of the current record is shown
    Picture,     // text: the resource path of an SVG picture, drawn to fill the rectangle
    PrintDate,   // the date the report is printed
    PageNumber,  // the number of the page, from 1
};

struct ReportItem {
    ItemKind kind = ItemKind::Label;
    QRectF rect;  // relative to the band's top left corner, or to the page for page items
    QString text;
    ReportFont font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    // A text wider than the rectangle breaks into further lines below instead of running on
    // over its neighbours; otherwise it is drawn whole beyond the rectangle's ends.
    bool wrap = false;
};

struct ReportBand {
    double height = 0;
    bool ruleTop = false;     // a line along the band's top edge
    bool ruleBottom = false;  // a line along the band's bottom edge
    std::vector<ReportItem> items;
};

struct ReportLayout {
    QSizeF pageSize{A4_WIDTH, A4_HEIGHT};
    double leftMargin = 38;  // where the bands start
    double bandWidth = 718;
    double bandsTop = 80;      // the first band's top, below the page head
    double bottomMargin = 38;  // between the page footer and the paper's lower edge
    QString fontFamily;
    std::vector<ReportItem> pageItems;  // on every page, in page coordinates
    ReportBand title;
    std::optional<ReportBand> columnHeader;
    ReportBand detail;
    ReportBand pageFooter;
};

}  // namespace q36::print
