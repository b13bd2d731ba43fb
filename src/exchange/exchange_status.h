#pragma once
// Outcome of a workbook file operation: a code and the reason in words, with the path.

#include <string>

#include "text/status.h"

namespace q36::exchange {

enum class ExchangeError {
    None,
    CannotCreate,   // the file (or its temporary file) could not be created
    WriteFailed,    // writing, flushing or renaming the file failed
    CannotOpen,     // the file to read could not be opened or read
    NotWorkbook,    // the content is neither an .xlsx nor an .xls workbook
    TooLarge,       // the file or a part of it exceeds the reader's limits
    Damaged,        // a part is missing, truncated or malformed
    MissingSheet,   // a sheet the import needs is not in the workbook
    MissingColumn,  // a column the import needs is not in its sheet
    BadValue,       // a cell holds a value no editor of the program could have produced
    NoRecordMatch,  // the channel sheet has records, but none names a channel
    ErrorValue,     // a cell holds an error (#DIV/0!, #N/A, ...) instead of a value
};

// The detail is the system's or the library's error text and the path.
using ExchangeStatus = Status<ExchangeError>;

// "reason: path", the form every detail takes.
std::string DetailWithPath(const std::string& reason, const std::string& path);

// The text of errno value err, as the C library words it.
std::string SystemErrorText(int err);

}  // namespace q36::exchange
