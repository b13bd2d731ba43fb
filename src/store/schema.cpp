#include "schema.h"

#include <array>

#include "codec/channel_block.h"
#include "codec/scan_block.h"

namespace q36 {

namespace {

using K = ColumnKind;

constexpr std::array<ColumnDef, 14> kChannelColumns{{
    {"CHANNELNO", K::Text},
    {"ENABLED", K::Boolean},
    {"VOX", K::Boolean},
    {"FTX", K::Floating},
    {"FTONE", K::Text},
    {"SDATA", K::Text},
    {"TXPOWER", K::Text},
    {"REFREQUENCY", K::Floating},
    {"RETONE", K::Text},
    {"REDATA", K::Text},
    {"LEVEL", K::Text},
    {"BW", K::Text},
    {"ADDSCAN", K::Text},
    {"BUSY", K::Text},
}};

constexpr std::array<ColumnDef, 18> kParamColumns{{
    {"AVISET", K::Text},
    {"AVIMODE", K::Text},
    {"TOPSET", K::Text},
    {"LOWALARM", K::Text},
    {"LOWBAN", K::Text},
    {"POWERPRESS", K::Text},
    {"KEYAPRESS", K::Text},
    {"KEYBPRESS", K::Text},
    {"TEMCONTROL", K::Boolean},
    {"KEYENABLED", K::Boolean},
    {"SCANPAUSE", K::Text},
    {"SCANRESTAR", K::Text},
    {"LOSTTIME", K::Text},
    {"SCANCHANSEL", K::Text},
    {"SCANPAUSESEL", K::Text},
    {"HIGHTRANPOWER", K::Text},
    {"MIDTRANPOWER", K::Text},
    {"LOWTRANPOWER", K::Text},
}};

constexpr std::array<ColumnDef, 17> kScanColumns{{
    {"LIST", K::Text},
    {"01", K::Text},
    {"02", K::Text},
    {"03", K::Text},
    {"04", K::Text},
    {"05", K::Text},
    {"06", K::Text},
    {"07", K::Text},
    {"08", K::Text},
    {"09", K::Text},
    {"10", K::Text},
    {"11", K::Text},
    {"12", K::Text},
    {"13", K::Text},
    {"14", K::Text},
    {"15", K::Text},
    {"16", K::Text},
}};

constexpr TableDef kChannelTable{"CHANNELTABLE", "CHANNELNO", kChannelColumns};
constexpr TableDef kParamTable{"PARAMETABLE", "", kParamColumns};
constexpr TableDef kScanTable{"SCANTABLE", "LIST", kScanColumns};

constexpr std::array<const TableDef*, 3> kTables{&kChannelTable, &kParamTable, &kScanTable};

}  // namespace

const TableDef& ChannelTableDef() {
    return kChannelTable;
}
const TableDef& ParamTableDef() {
    return kParamTable;
}
const TableDef& ScanTableDef() {
    return kScanTable;
}

std::span<const TableDef* const> StoreTables() {
    return kTables;
}

const TableDef* FindTableDef(std::string_view table) {
    for (const TableDef* def : kTables) {
        if (def->name == table) return def;
    }
    return nullptr;
}

std::optional<ColumnKind> KnownColumnKind(std::string_view table, std::string_view column) {
    const TableDef* def = FindTableDef(table);
    if (def == nullptr) return std::nullopt;
    for (const ColumnDef& c : def->columns) {
        if (c.name == column) return c.kind;
    }
    return std::nullopt;
}

std::vector<std::string> FixedKeys(const TableDef& table) {
    std::vector<std::string> keys;
    if (&table == &kChannelTable) {
        for (int n = 1; n <= CHANNEL_COUNT; ++n) keys.push_back(ChannelKey(n));
    } else if (&table == &kScanTable) {
        for (int n = 1; n <= SCAN_LIST_COUNT; ++n) keys.push_back(std::to_string(n));
    }
    return keys;
}

int FixedRowCount(const TableDef& table) {
    return table.key.empty() ? 1 : static_cast<int>(FixedKeys(table).size());
}

}  // namespace q36
