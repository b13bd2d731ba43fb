#include "configuration_sheets.h"

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

Sheet CommonSheet(const CommonValues& values) {
    Sheet sheet;
    sheet.name = Tr(txt::SheetCommon);
    for (int column = 1; column <= COMMON_SHEET_COLUMNS; ++column) {
        const bool valueColumn = column == 2 || column == 5;
        sheet.columns.push_back(
            {column, COMMON_COLUMN_WIDTH, valueColumn ? CellFormat::Text : CellFormat::General});
    }
    for (const auto& heading : CommonHeadings) {
        PutValue(sheet, heading.row, COMMON_HEADING_COLUMN, Tr(*heading.text), CellFormat::General);
    }
    for (std::size_t k = 0; k < CommonFields.size(); ++k) {
        const CommonField& field = CommonFields[k];
        PutValue(sheet, field.row, field.labelColumn, Tr(*field.label), CellFormat::General);
        PutValue(sheet, field.row, field.valueColumn, values[k], CellFormat::Text);
    }
    return sheet;
}

Sheet ChannelSheet(const std::vector<ChannelRow>& channels) {
    Sheet sheet;
    sheet.name = Tr(txt::SheetChannels);
    for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) {
        PutValue(sheet, 1, k + 1, ChannelSheetTitle(k), CellFormat::General);
    }
    int row = 2;
    for (const auto& channel : channels) {
        for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) {
            const bool frequency = k == CHANNEL_TX_FREQ || k == CHANNEL_RX_FREQ;
            PutValue(sheet, row, k + 1, channel[static_cast<std::size_t>(k)],
                     frequency ? CellFormat::Fixed4 : CellFormat::Text);
        }
        ++row;
    }
    return sheet;
}

Sheet ScanSheet(const std::vector<ScanRow>& scans) {
    Sheet sheet;
    sheet.name = Tr(txt::SheetScan);
    for (int k = 0; k < SCAN_COLUMN_COUNT; ++k) {
        PutValue(sheet, 1, k + 1, std::string(ScanColumns[static_cast<std::size_t>(k)]),
                 CellFormat::Text);
    }
    int row = 2;
    for (const auto& scan : scans) {
        for (int k = 0; k < SCAN_COLUMN_COUNT; ++k) {
            PutValue(sheet, row, k + 1, scan[static_cast<std::size_t>(k)], CellFormat::Text);
        }
        ++row;
    }
    return sheet;
}

}  // namespace

Workbook BuildConfigurationWorkbook(const ConfigurationRows& rows) {
    Workbook workbook;
    workbook.sheets.push_back(CommonSheet(rows.common));
    workbook.sheets.push_back(ChannelSheet(rows.channels));
    workbook.sheets.push_back(ScanSheet(rows.scans));
    return workbook;
}

}  // namespace q36::exchange
