#pragma once
// The record of every programming: one tab-separated line per read, write, backup and check in
// programming-log.tsv of the data folder, appended by both programs.

#include <string>
#include <vector>

#include "exchange_status.h"
#include "runner/write_sequence.h"

namespace q36::exchange {

struct ProgrammingLogEntry {
    std::string program;  // "q36cps" or "q36cli"
    std::string port;
    std::string band;
    std::string firmware;
    std::string direction;  // "read", "write", "backup", "check"
    std::string result;     // "done", "refused", "no-answer", ...
    std::string backup;     // the backup's workbook, when one was taken
    std::string check;      // "equal", "differs: N", "not-read", or empty
    std::string workbook;   // the workbook read into or written from
};

// DataFolder()/programming-log.tsv.
std::string ProgrammingLogPath();

// The header line, with the column names.
std::string ProgrammingLogHeader();

// Appends the entry with the local time in front (the file and its header are made when
// missing); tabs and line breaks in the values become spaces.
ExchangeStatus AppendProgrammingLog(const ProgrammingLogEntry& entry);

// Appends one line per stage a transfer ran: base gives program, port, band, firmware and
// workbook, each record its direction, result and check; backupFile goes on the backup's line.
// Stops at the first line that cannot be kept.
ExchangeStatus AppendStages(const std::vector<StageRecord>& records,
                            const ProgrammingLogEntry& base, const std::string& backupFile);

}  // namespace q36::exchange
