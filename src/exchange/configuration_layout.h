#pragma once
// Where the configuration sits in its workbook: the sheets, their cells and their columns.
// Save writes by these tables and Open reads by them.

#include <array>
#include <string>
#include <string_view>

#include "codec/channel_fields.h"
#include "text/text_pairs.h"

namespace q36::exchange {

// The common-parameter sheet (the first sheet): a labelled form of the PARAMETABLE row.
struct CommonFormField {
    int row;
    int labelColumn;
    const TextPair* label;
    int valueColumn;
    std::string_view column;  // PARAMETABLE column
};

// In reading order: row by row, column 2 before column 5, then rows 14 to 16.
inline constexpr std::array<CommonFormField, 18> CommonFormFields{{
    {2, 1, &txt::LabelANI, 2, "AVISET"},
    {2, 4, &txt::Label7, 5, "POWERPRESS"},
    {3, 1, &txt::Label2, 2, "AVIMODE"},
    {3, 4, &txt::Label8, 5, "KEYAPRESS"},
    {4, 1, &txt::Label3, 2, "TOPSET"},
    {4, 4, &txt::Label9, 5, "KEYBPRESS"},
    {5, 1, &txt::Label5, 2, "LOWALARM"},
    {5, 4, &txt::Label10, 5, "TEMCONTROL"},
    {6, 1, &txt::Label6, 2, "LOWBAN"},
    {6, 4, &txt::Label11, 5, "KEYENABLED"},
    {9, 1, &txt::Label13, 2, "SCANPAUSE"},
    {9, 4, &txt::Label16, 5, "SCANCHANSEL"},
    {10, 1, &txt::Label14, 2, "SCANRESTAR"},
    {10, 4, &txt::Label17, 5, "SCANPAUSESEL"},
    {11, 1, &txt::Label15, 2, "LOSTTIME"},
    {14, 1, &txt::Label18, 2, "HIGHTRANPOWER"},
    {15, 1, &txt::Label19, 2, "MIDTRANPOWER"},
    {16, 1, &txt::Label20, 2, "LOWTRANPOWER"},
}};

// Section headings of the common sheet, all in column 3.
struct CommonHeading {
    int row;
    const TextPair* text;
};
inline constexpr int COMMON_HEADING_COLUMN = 3;
inline constexpr std::array<CommonHeading, 3> CommonHeadings{{
    {1, &txt::GlobalGroupBox},
    {8, &txt::ScanGroupBox},
    {13, &txt::FactoryGroupBox},
}};

// Columns 1 to 5 of the common sheet are 16 characters wide; columns 2 and 5 hold text.
inline constexpr int COMMON_SHEET_COLUMNS = 5;
inline constexpr double COMMON_COLUMN_WIDTH = 16;

// The channel sheet: one column per CHANNELTABLE column (ChannelColumns), in grid order (sheet
// column k + 1); the two frequencies are number cells "0.0000", and the tone values are titled
// "发数值" and "收数值" instead of the grid's "数值".

// The title of channel column k (0..13) in language.
std::string ChannelSheetTitle(int k, int language);

// The scan list sheet: "LIST" and the slots "01" to "16".
inline constexpr int SCAN_COLUMN_COUNT = 17;
inline constexpr std::array<std::string_view, SCAN_COLUMN_COUNT> ScanColumns{
    "LIST", "01", "02", "03", "04", "05", "06", "07", "08",
    "09",   "10", "11", "12", "13", "14", "15", "16"};

}  // namespace q36::exchange
