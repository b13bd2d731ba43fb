#include "tone_tables.h"

namespace q36 {

const std::array<std::string_view, 50> CTCSSTable{
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

const std::array<std::string_view, 83> DCSTable{
    "23",  "25",  "26",  "31",  "32",  "43",  "47",  "51",  "54",  "65",  "71",  "72",
    "73",  "74",  "114", "115", "116", "125", "131", "132", "134", "143", "152", "155",
    "156", "162", "165", "172", "174", "205", "223", "226", "243", "244", "245", "251",
    "261", "263", "265", "271", "306", "311", "315", "331", "343", "346", "351", "364",
    "365", "371", "411", "412", "413", "423", "431", "432", "445", "464", "465", "466",
    "503", "506", "516", "532", "546", "565", "606", "612", "624", "627", "631", "632",
    "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

const std::array<std::string_view, 24> ChannelNameTable{
    "CH01", "CH02", "CH03", "CH04", "CH05", "CH06", "CH07", "CH08", "CH09", "CH10", "CH11", "CH12",
    "CH13", "CH14", "CH15", "CH16", "CH17", "CH18", "CH19", "CH20", "CH21", "CH22", "CH23", "CH24"};

std::string ToneTextAt(ToneTable table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return "NULL";
    return std::string(table[static_cast<std::size_t>(index)]);
}

uint8_t ToneIndexOf(ToneTable table, int last, std::string_view text) {
    if (text == "NULL") return NoValueByte;
    for (int i = 0; i <= last && static_cast<std::size_t>(i) < table.size(); ++i) {
        if (table[static_cast<std::size_t>(i)] == text) return static_cast<uint8_t>(i);
    }
    return NoValueByte;
}

int ToneTypeCode(std::string_view text) {
    for (std::size_t i = 0; i < ToneTypeTexts.size(); ++i) {
        if (ToneTypeTexts[i] == text) return int(i);
    }
    return -1;
}

ToneTable ToneValueTable(std::string_view toneType) {
    switch (ToneTypeCode(toneType)) {
        case int(ToneType::Ctcss):
            return CTCSSTable;
        case int(ToneType::DcsPlus):
        case int(ToneType::DcsMinus):
            return DCSTable;
        default:
            return {};
    }
}

}  // namespace q36
