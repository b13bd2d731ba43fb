#pragma once
// Helpers of the workbook tests: zip archives made on the spot, the
// independent Python readers and a sample configuration.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "codec/configuration.h"
#include "exchange/configuration_layout.h"
#include "exchange/workbook.h"
#include "support/scratch_folder.h"

namespace q36::exchange::testing {

using q36::test::ScratchFolder;

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Writes a zip archive holding the named parts, deflated or stored as they are.
void WriteZip(const std::string& path,
              const std::vector<std::pair<std::string, std::string>>& parts, bool deflate = true);

// The parts of a minimal .xlsx package with one sheet named "S" whose part is sheetXml, plus
// the shared strings when given.
std::vector<std::pair<std::string, std::string>> MinimalXlsxParts(
    const std::string& sheetXml, const std::string& sharedXml = "");

// A record of an .xls workbook stream: its type and data.
struct XlsRecord {
    uint16_t type;
    std::string data;
};
// The records of the workbook's .xls stream as this program's writer makes them.
std::vector<XlsRecord> XlsRecordsOf(const Workbook& workbook);
// Puts records in the place of a cell's record: sheet from 0, row and column from 1.
void ReplaceXlsCell(std::vector<XlsRecord>& records, int sheet, int row, int column,
                    const std::vector<XlsRecord>& with);
// Writes an .xls file whose workbook stream holds the records as they are (below 4096 bytes it
// lies in the container's mini stream), each sheet list entry pointing at the next sheet.
void WriteXlsRecords(const std::string& path, const std::vector<XlsRecord>& records);
// The two bytes of a BIFF 16-bit field.
std::string Le16(uint16_t value);

// Whether /usr/bin/python3 can import the module.
bool PythonHasModule(const std::string& module);
// Runs a Python script under /usr/bin/python3 with the arguments; its standard output.
std::string RunPython(const std::string& script, const std::vector<std::string>& args,
                      int* exitCode = nullptr);

// A configuration as the band reset 400-440 leaves it, with a few rows changed so that columns
// are told apart: channel 2 disabled, channel 3 with tones and 435.0125 MHz, list 2 with members.
Configuration SampleConfiguration();

}  // namespace q36::exchange::testing
