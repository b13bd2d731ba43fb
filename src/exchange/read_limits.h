#pragma once
// Bounds on what the reader takes from a workbook, which is untrusted input: every file within
// them is read in bounded memory and time, every file beyond them is refused.

#include <cstddef>

namespace q36::exchange {

// The whole file (a configuration workbook takes a few tens of kilobytes).
inline constexpr std::size_t MAX_WORKBOOK_FILE_BYTES = 32u << 20;
// One part of an .xlsx file, inflated; checked against the size the archive declares and
// again while inflating.
inline constexpr std::size_t MAX_ZIP_ENTRY_BYTES = 64u << 20;
// Entries of an .xlsx archive.
inline constexpr std::size_t MAX_ZIP_ENTRIES = 10000;
// Memory the parsed form of one XML part may take, estimated from its markup before parsing.
inline constexpr std::size_t MAX_XML_TREE_BYTES = 192u << 20;
// Non-empty cells kept of one sheet.
inline constexpr std::size_t MAX_SHEET_CELLS = 2000000;
// Bytes of text kept of one sheet, its cells' texts added up (a shared text counts once for
// every cell that shows it).
inline constexpr std::size_t MAX_SHEET_TEXT_BYTES = 64u << 20;
// Rows times columns, as the dimensions of an .xls file's sheets declare them, added up over
// all its sheets.
inline constexpr std::size_t MAX_XLS_SHEET_AREA = 4u << 20;

}  // namespace q36::exchange
