#include "report_renderer.h"

#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QSvgRenderer>

// The pictures' resource file lives in a static library, so its registration is pulled in by
// hand before the first picture is drawn.
static void RegisterReportPictures() {
    Q_INIT_RESOURCE(report_pictures);
}

namespace q36::print {

namespace {

// How far down a wrapping text may run: more lines than any stored value needs.
constexpr double WRAP_ROOM = 400;

QFont ItemFont(const QString& family, const ReportFont& style) {
    QFont font(family);
    font.setPixelSize(style.pixelSize);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    // Sizes are layout pixels scaled to the device: hinting to the small layout size would
    // distort the widths once scaled up.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

class PageRenderer {
  public:
    PageRenderer(QPainter& painter, const ReportLayout& layout, const ReportData& data,
                 const QDate& printDate)
        : painter_(painter), layout_(layout), data_(data), printDate_(printDate) {}

    int PageNumber() const { return pageNumber_; }

    void BeginPage() {
        ++pageNumber_;
        DrawItems(layout_.pageItems, QPointF(0, 0), -1);
    }

    void EndPage() {
        const ReportBand& footer = layout_.pageFooter;
        DrawBand(footer, layout_.pageSize.height() - layout_.bottomMargin - footer.height, -1);
    }

    void DrawBand(const ReportBand& band, double top, int record) {
        const double left = layout_.leftMargin;
        const double right = left + layout_.bandWidth;
        painter_.setPen(QPen(Qt::black, 1.0));
        if (band.ruleTop) painter_.drawLine(QPointF(left, top), QPointF(right, top));
        if (band.ruleBottom) {
            const double bottom = top + band.height;
            painter_.drawLine(QPointF(left, bottom), QPointF(right, bottom));
        }
        DrawItems(band.items, QPointF(left, top), record);
    }

  private:
    void DrawItems(const std::vector<ReportItem>& items, QPointF origin, int record) {
        for (const ReportItem& item : items) {
            const QRectF rect = item.rect.translated(origin);
            if (item.kind == ItemKind::Picture) {
                DrawPicture(item.text, rect);
                continue;
            }
            painter_.setFont(ItemFont(layout_.fontFamily, item.font));
            painter_.setPen(Qt::black);
            const QString text = ItemText(item, record);
            if (item.wrap) {
                const QRectF room(rect.left(), rect.top(), rect.width(), WRAP_ROOM);
                painter_.drawText(room, int(item.align) | Qt::TextWordWrap | Qt::TextWrapAnywhere,
                                  text);
            } else {
                painter_.drawText(rect, int(item.align) | Qt::TextDontClip, text);
            }
        }
    }

    QString ItemText(const ReportItem& item, int record) const {
        switch (item.kind) {
            case ItemKind::Label:
                return item.text;
            case ItemKind::Field:
                return record < 0 ? QString() : data_.FieldText(record, item.text);
            case ItemKind::PrintDate:
                return printDate_.toString(Qt::ISODate);
            case ItemKind::PageNumber:
                return QString::number(pageNumber_);
            case ItemKind::Picture:
                break;
        }
        return {};
    }

    void DrawPicture(const QString& path, const QRectF& rect) {
        static const bool registered = [] {
            RegisterReportPictures();
            return true;
        }();
        (void)registered;
        QSvgRenderer picture(path);
        if (picture.isValid()) picture.render(&painter_, rect);
    }

    QPainter& painter_;
    const ReportLayout& layout_;
    const ReportData& data_;
    QDate printDate_;
    int pageNumber_ = 0;
};

}  // namespace

void SetUpA4Page(QPagedPaintDevice& device) {
    QPageLayout page(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    page.setMode(QPageLayout::FullPageMode);
    device.setPageLayout(page);
}

void SetUpA4Page(QPrinter& printer) {
    SetUpA4Page(static_cast<QPagedPaintDevice&>(printer));
    printer.setFullPage(true);
}

int RenderReport(const ReportLayout& layout, const ReportData& data, QPagedPaintDevice& device,
                 const QDate& printDate) {
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // From device pixels with the origin at the printable area to layout pixels with the origin
    // at the paper's corner.
    const double dpiX = device.logicalDpiX();
    const double dpiY = device.logicalDpiY();
    const QRectF paintRect = device.pageLayout().paintRectPixels(device.logicalDpiX());
    painter.translate(-paintRect.left(), -paintRect.top());
    painter.scale(dpiX / LAYOUT_DPI, dpiY / LAYOUT_DPI);

    PageRenderer pages(painter, layout, data, printDate);
    const double detailBottom =
        layout.pageSize.height() - layout.bottomMargin - layout.pageFooter.height;
    const double headerHeight = layout.columnHeader ? layout.columnHeader->height : 0;

    pages.BeginPage();
    double y = layout.bandsTop;
    pages.DrawBand(layout.title, y, -1);
    y += layout.title.height;
    if (layout.columnHeader) pages.DrawBand(*layout.columnHeader, y, -1);
    y += headerHeight;

    // A band taller than a whole page's room is drawn anyway rather than paging forever.
    const double freshPageTop = layout.bandsTop + headerHeight;
    const int records = data.RecordCount();
    for (int record = 0; record < records; ++record) {
        if (y + layout.detail.height > detailBottom && y > freshPageTop) {
            pages.EndPage();
            if (!device.newPage()) {
                painter.end();
                return 0;
            }
            pages.BeginPage();
            y = layout.bandsTop;
            if (layout.columnHeader) pages.DrawBand(*layout.columnHeader, y, -1);
            y += headerHeight;
        }
        pages.DrawBand(layout.detail, y, record);
        y += layout.detail.height;
    }
    pages.EndPage();
    if (!painter.end()) return 0;
    return pages.PageNumber();
}

}  // namespace q36::print
