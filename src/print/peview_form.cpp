#include "peview_form.h"

#include <array>

#include "report_page.h"
#include "report_text.h"
#include "store/store_transfer_data.h"
#include "text/choice_lists.h"
#include "text/text_pairs.h"

namespace q36::print {

namespace {

constexpr ReportFont BASE_FONT{13, true, false};
constexpr ReportFont COLUMN_FONT{12, false, false};
constexpr double TEXT_TOP = 10;

// The report's columns, in the order of the channel grid and of the column titles.
struct ReportColumn {
    double x;
    double width;
    const char* field;
};

constexpr std::array<ReportColumn, 14> COLUMNS{{{0, 38, "CHANNELNO"},
                                                {40, 38, "ENABLED"},
                                                {80, 38, "VOX"},
                                                {120, 65, "FTX"},
                                                {184, 57, "FTONE"},
                                                {240, 45, "SDATA"},
                                                {288, 50, "TXPOWER"},
                                                {336, 65, "REFREQUENCY"},
                                                {400, 60, "RETONE"},
                                                {464, 45, "REDATA"},
                                                {508, 52, "LEVEL"},
                                                {560, 41, "BW"},
                                                {600, 60, "ADDSCAN"},
                                                {662, 55, "BUSY"}}};

ReportLayout ChannelLayout(int language) {
    ReportLayout layout = SharedPageLayout(BASE_FONT);
    layout.title = TitleBand(layout, 59, QtText(txt::ChannelReportTitle, language));

    ReportBand header;
    header.height = 32;
    header.ruleBottom = true;
    ReportBand detail;
    detail.height = 32;
    for (std::size_t i = 0; i < COLUMNS.size(); ++i) {
        const ReportColumn& column = COLUMNS[i];
        header.items.push_back(
            TextItem(ItemKind::Label, QtText(ChoiceAt(lists::ColumnTitleTable, int(i), language)),
                     column.x, TEXT_TOP, column.width, COLUMN_FONT, Qt::AlignHCenter));
        detail.items.push_back(TextItem(ItemKind::Field, QString::fromLatin1(column.field),
                                        column.x, TEXT_TOP, column.width, COLUMN_FONT,
                                        Qt::AlignHCenter));
    }
    layout.columnHeader = header;
    layout.detail = detail;
    return layout;
}

}  // namespace

TPeviewForm::TPeviewForm(int language)
    : ReportForm(QtText(txt::ChannelReportCaption, language), CHANNEL_QUERY_SQL,
                 ChannelLayout(language)) {}

}  // namespace q36::print
