#include "configuration_sheets.h"

#include "codec/common_fields.h"
#include "configuration_layout.h"
#include "text_forms.h"

namespace q36::exchange {

namespace {

// A value cell: a number where the format is a number format and the text reads as one.
void PutValue(Sheet& sheet, int row, int column, const std::string& value, CellFormat format) {
    std::string text = TrimBlanks(value);
    if (format == CellFormat::Fixed4) {
        if (const auto number = NumberFromText(text)) {
            sheet.PutNumber(row, column, *number, format);
            return;
        }
    }
    sheet.PutText(row, column, std::move(text), format);
}

Sheet CommonSheet(const CommonPage& page, int language) {
    Sheet sheet;
    sheet.name = Tr(txt::SheetCommon, language);
    for (int column = 1; column <= COMMON_SHEET_COLUMNS; ++column) {
        const bool valueColumn = column == 2 || column == 5;
        sheet.columns.push_back(
            {column, COMMON_COLUMN_WIDTH, valueColumn ? CellFormat::Text : CellFormat::General});
    }
    for (const auto& heading : CommonHeadings) {
        PutValue(sheet, heading.row, COMMON_HEADING_COLUMN, Tr(*heading.text, language),
                 CellFormat::General);
    }
    for (const CommonFormField& field : CommonFormFields) {
        PutValue(sheet, field.row, field.labelColumn, Tr(*field.label, language),
                 CellFormat::General);
        PutValue(sheet, field.row, field.valueColumn,
                 CommonFieldText(page, *CommonFieldOf(field.column), language), CellFormat::Text);
    }
    return sheet;
}

Sheet ChannelSheet(const ChannelArr& channels, int language) {
    Sheet sheet;
    sheet.name = Tr(txt::SheetChannels, language);
    for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) {
        PutValue(sheet, 1, k + 1, ChannelSheetTitle(k, language), CellFormat::General);
    }
    int row = 2;
    for (const ChannelResult& channel : channels) {
        for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) {
            const bool frequency = k == CHANNEL_TX_FREQ || k == CHANNEL_RX_FREQ;
            PutValue(sheet, row, k + 1, ChannelFieldText(channel, k),
                     frequency ? CellFormat::Fixed4 : CellFormat::Text);
        }
        ++row;
    }
    return sheet;
}

Sheet ScanSheet(const ScanArr& scans, int language) {
    Sheet sheet;
    sheet.name = Tr(txt::SheetScan, language);
    for (int k = 0; k < SCAN_COLUMN_COUNT; ++k) {
        PutValue(sheet, 1, k + 1, std::string(ScanColumns[static_cast<std::size_t>(k)]),
                 CellFormat::Text);
    }
    int row = 2;
    for (const ScanResult& scan : scans) {
        PutValue(sheet, row, 1, std::to_string(scan.LIST), CellFormat::Text);
        for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) {
            PutValue(sheet, row, s + 1, scan.slots[std::size_t(s - 1)], CellFormat::Text);
        }
        ++row;
    }
    return sheet;
}

}  // namespace

Workbook BuildConfigurationWorkbook(const Configuration& configuration, int language) {
    Workbook workbook;
    workbook.sheets.push_back(CommonSheet(configuration.common, language));
    workbook.sheets.push_back(ChannelSheet(configuration.channels, language));
    workbook.sheets.push_back(ScanSheet(configuration.scans, language));
    return workbook;
}

}  // namespace q36::exchange
