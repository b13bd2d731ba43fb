#include "report_page.h"

#include "report_fonts.h"

namespace q36::print {

namespace {

constexpr double TITLE_HEIGHT = 27;
constexpr int TITLE_PIXELS = 22;

// The height a label of the font takes: its line spacing.
double LineHeight(const ReportFont& font) {
    return font.pixelSize * 1.3;
}

}  // namespace

ReportItem TextItem(ItemKind kind, const QString& text, double x, double y, double width,
                    ReportFont font, Qt::Alignment align) {
    ReportItem item;
    item.kind = kind;
    item.text = text;
    item.rect = QRectF(x, y, width, LineHeight(font));
    item.font = font;
    item.align = align | Qt::AlignTop;
    return item;
}

ReportLayout SharedPageLayout(const ReportFont& baseFont) {
    ReportLayout layout;
    layout.fontFamily = ReportFontFamily();

    ReportItem picture;
    picture.kind = ItemKind::Picture;
    picture.text = QString::fromLatin1(REPORT_HEAD_PICTURE);
    picture.rect = QRectF(72, 16, 96, 55);
    layout.pageItems.push_back(picture);

    // The header line, at HEADER_LINE_ITEM; its text is set each time the print dialog is shown.
    ReportFont headerFont = baseFont;
    headerFont.italic = true;
    layout.pageItems.push_back(TextItem(ItemKind::Label, QString(), 568, 40, 190, headerFont));

    layout.pageFooter.height = 40;
    layout.pageFooter.items.push_back(
        TextItem(ItemKind::PrintDate, QString(), 8, 16, 200, baseFont));
    layout.pageFooter.items.push_back(
        TextItem(ItemKind::PageNumber, QString(), 610, 16, 100, baseFont, Qt::AlignRight));
    return layout;
}

ReportBand TitleBand(const ReportLayout& layout, double height, const QString& title) {
    ReportBand band;
    band.height = height;
    band.ruleTop = true;
    ReportItem item;
    item.kind = ItemKind::Label;
    item.text = title;
    item.font = ReportFont{TITLE_PIXELS, false, true};
    item.rect = QRectF(0, (height - TITLE_HEIGHT) / 2, layout.bandWidth, TITLE_HEIGHT);
    item.align = Qt::AlignHCenter | Qt::AlignVCenter;
    band.items.push_back(item);
    return band;
}

}  // namespace q36::print
