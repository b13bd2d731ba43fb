#pragma once
// Outcome of a store operation, and what a failed one reports.

#include "text/status.h"

namespace q36 {

enum class StoreErrc {
    Ok,
    NotFound,       // a locate or bookmark found no row
    RowGone,        // the row being updated is no longer in its table
    CannotOpen,     // the database file is missing or cannot be opened
    NotDatabase,    // the file is not an SQLite database
    Damaged,        // the file is an SQLite database whose content is malformed
    MissingTable,   // one of the three tables is missing
    MissingColumn,  // a table lacks one of its columns
    MissingRows,    // a table does not hold its fixed set of rows
    ReadOnly,       // the file or its folder cannot be written
    Busy,           // another connection or process holds a lock beyond the busy timeout
    Conversion,     // a value the column cannot hold, or a read in a form it cannot give
    FieldReadOnly,  // the column is flagged read-only, or is the table's key
    NoSuchField,    // the query has no column of that name
    NotOpen,        // the connection or the query is not open
    NotEditing,     // a write outside edit state
    NoCurrentRow,   // the query holds no rows
    NotUpdatable,   // the query's rows cannot be traced back to one table's rows
    Engine,         // any other fault the engine reported
};

// The detail is the engine's own message (with the file's path) whenever the engine reported the
// fault.
using StoreResult = Status<StoreErrc>;

}  // namespace q36
