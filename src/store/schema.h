#pragma once
// The three tables of the configuration store as the program knows them: column names in their
// order, the kind of value each column holds, the row key and the fixed set of key values.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace q36 {

inline constexpr std::string_view DATABASE_FILE_NAME = "Q36DataBase.mdb";

// How a column's values are read and written.
enum class ColumnKind {
    Text,      // any text; an empty text is stored as no value
    Boolean,   // reads "True"/"False"; takes "True"/"1"/"False"/"0"
    Floating,  // a number, read back as its shortest decimal text
};

struct ColumnDef {
    std::string_view name;
    ColumnKind kind;
};

struct TableDef {
    std::string_view name;
    std::string_view key;  // the key column; empty for the one-row table, whose row is its rowid
    std::span<const ColumnDef> columns;
};

const TableDef& ChannelTableDef();
const TableDef& ParamTableDef();
const TableDef& ScanTableDef();

// The three tables, in the order above.
std::span<const TableDef* const> StoreTables();

// The definition of a table, by its exact name; nullptr for a table the store does not know.
const TableDef* FindTableDef(std::string_view table);

// The kind of a column of a known table; nothing for an unknown table or column.
std::optional<ColumnKind> KnownColumnKind(std::string_view table, std::string_view column);

// The key values a table must hold, in table order ("01".."24", "1".."5"); empty for the one-row
// table.
std::vector<std::string> FixedKeys(const TableDef& table);

// Number of rows a table holds.
int FixedRowCount(const TableDef& table);

}  // namespace q36
