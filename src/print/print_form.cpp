#include "print_form.h"

#include "report_page.h"
#include "report_text.h"
#include "store/store_transfer_data.h"
#include "text/text_pairs.h"

namespace q36::print {

namespace {

constexpr ReportFont LABEL_FONT{13, false, false};
constexpr ReportFont GROUP_FONT{13, true, false};
constexpr ReportFont VALUE_FONT{12, false, false};

// A label right-aligned in its span and the column's value left-aligned after it, in one row.
struct FieldRow {
    const TextPair& label;
    const char* column;
};

struct FieldColumn {
    double labelLeft;
    double labelRight;
    double valueLeft;
    double valueWidth;
};

void AddRow(ReportBand& band, const FieldColumn& at, double y, const FieldRow& row, int language) {
    band.items.push_back(TextItem(ItemKind::Label, QtText(row.label, language), at.labelLeft, y,
                                  at.labelRight - at.labelLeft, LABEL_FONT, Qt::AlignRight));
    ReportItem value = TextItem(ItemKind::Field, QString::fromLatin1(row.column), at.valueLeft, y,
                                at.valueWidth, VALUE_FONT);
    value.wrap = true;
    band.items.push_back(value);
}

ReportBand DetailBand(int language) {
    ReportBand band;
    band.height = 584;
    band.items.push_back(
        TextItem(ItemKind::Label, QtText(txt::GlobalGroupBox, language), 17, 16, 200, GROUP_FONT));

    const double globalRows[] = {52, 84, 116, 148, 180};
    const FieldRow globalLeft[] = {{txt::LabelANI, "AVISET"},
                                   {txt::Label2, "AVIMODE"},
                                   {txt::Label3, "TOPSET"},
                                   {txt::Label5, "LOWALARM"},
                                   {txt::Label6, "LOWBAN"}};
    const FieldRow globalRight[] = {{txt::Label7, "POWERPRESS"},
                                    {txt::Label8, "KEYAPRESS"},
                                    {txt::Label9, "KEYBPRESS"},
                                    {txt::Label10, "TEMCONTROL"},
                                    {txt::Label11, "KEYENABLED"}};
    for (int i = 0; i < 5; ++i) {
        AddRow(band, {27, 137, 152, 150}, globalRows[i], globalLeft[i], language);
        AddRow(band, {357, 517, 528, 150}, globalRows[i], globalRight[i], language);
    }

    band.items.push_back(
        TextItem(ItemKind::Label, QtText(txt::ScanGroupBox, language), 17, 248, 200, GROUP_FONT));
    const double scanRows[] = {280, 320, 360};
    const FieldRow scanLeft[] = {
        {txt::Label13, "SCANPAUSE"}, {txt::Label14, "SCANRESTAR"}, {txt::Label15, "LOSTTIME"}};
    const FieldRow scanRight[] = {{txt::Label16, "SCANCHANSEL"}, {txt::Label17, "SCANPAUSESEL"}};
    for (int i = 0; i < 3; ++i)
        AddRow(band, {3, 138, 152, 130}, scanRows[i], scanLeft[i], language);
    for (int i = 0; i < 2; ++i)
        AddRow(band, {300, 520, 530, 200}, scanRows[i], scanRight[i], language);
    return band;
}

ReportLayout CommonLayout(int language) {
    ReportLayout layout = SharedPageLayout(LABEL_FONT);
    layout.title = TitleBand(layout, 69, QtText(txt::CommonReportTitle, language));
    layout.detail = DetailBand(language);
    return layout;
}

}  // namespace

TPrintForm::TPrintForm(int language)
    : ReportForm(QtText(txt::CommonReportCaption, language), PARAM_QUERY_SQL,
                 CommonLayout(language)) {}

}  // namespace q36::print
