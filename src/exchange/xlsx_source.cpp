#include "xlsx_source.h"

#include <charconv>
#include <cmath>

#include "read_limits.h"
#include "text_forms.h"
#include "xml_part.h"

namespace q36::exchange {

namespace {

constexpr uint32_t kMaxRow = 1048576;
constexpr uint32_t kMaxColumn = 16384;

struct Relationship {
    std::string type;
    std::string target;  // the part name, resolved; empty for an external target
};
using Relationships = std::map<std::string, Relationship>;

ExchangeStatus Damaged(const std::string& reason) {
    return ExchangeStatus::Error(ExchangeError::Damaged, reason);
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string FolderOf(const std::string& part) {
    const auto slash = part.find_last_of('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

// The part a relationship target names, relative to the folder of its source part; empty when
// the target leaves the package.
std::string ResolveTarget(const std::string& folder, const std::string& target) {
    const std::string joined =
        !target.empty() && target[0] == '/' ? target.substr(1) : folder + target;
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= joined.size()) {
        const auto slash = std::min(joined.find('/', start), joined.size());
        const std::string segment = joined.substr(start, slash - start);
        if (segment == "..") {
            if (segments.empty()) return {};
            segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = slash + 1;
    }
    std::string part;
    for (const auto& segment : segments) part += (part.empty() ? "" : "/") + segment;
    return part;
}

// The relationships of a part; none when the package has no relationship part for it.
ExchangeStatus ReadRelationships(const ZipArchive& zip, const std::string& part,
                                 Relationships& relationships) {
    relationships.clear();
    const auto slash = part.find_last_of('/');
    const std::string relsPart = FolderOf(part) + "_rels/" +
                                 (slash == std::string::npos ? part : part.substr(slash + 1)) +
                                 ".rels";
    if (!zip.Contains(relsPart)) return ExchangeStatus::Ok();
    std::string text;
    if (auto status = zip.Read(relsPart, text); !status.ok()) return status;
    pugi::xml_document doc;
    if (auto status = ParseXmlPart(relsPart, text, doc); !status.ok()) return status;
    const pugi::xml_node root = FirstChild(doc, "Relationships");
    for (auto rel = FirstChild(root, "Relationship"); rel; rel = NextSibling(rel, "Relationship")) {
        Relationship entry;
        entry.type = AttributeOf(rel, "Type").value();
        if (std::string_view(AttributeOf(rel, "TargetMode").value()) != "External") {
            entry.target = ResolveTarget(FolderOf(part), AttributeOf(rel, "Target").value());
        }
        relationships.emplace(AttributeOf(rel, "Id").value(), std::move(entry));
    }
    return ExchangeStatus::Ok();
}

std::string FindByType(const Relationships& relationships, std::string_view typeEnd) {
    for (const auto& [id, rel] : relationships) {
        if (EndsWith(rel.type, typeEnd)) return rel.target;
    }
    return {};
}

// The text of a string item: its own text element, or the texts of its runs one after another
// (phonetic runs are not part of the text).
std::string ItemText(pugi::xml_node item) {
    std::string text;
    if (const auto t = FirstChild(item, "t")) text = t.text().get();
    for (auto run = FirstChild(item, "r"); run; run = NextSibling(run, "r")) {
        text += FirstChild(run, "t").text().get();
    }
    return UnescapeOoxmlText(text);
}

bool ParseUnsigned(std::string_view text, uint32_t max, uint32_t& value) {
    if (text.empty() || text.size() > 10) return false;
    uint64_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + static_cast<uint64_t>(c - '0');
    }
    if (n > max) return false;
    value = static_cast<uint32_t>(n);
    return true;
}

// "B12" gives row 12, column 2.
bool ParseCellReference(std::string_view ref, uint32_t& row, uint32_t& column) {
    std::size_t i = 0;
    uint32_t col = 0;
    while (i < ref.size() && i < 3 && std::isalpha(static_cast<unsigned char>(ref[i]))) {
        col = col * 26 +
              static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(ref[i])) - 'A' + 1);
        ++i;
    }
    if (i == 0 || col > kMaxColumn) return false;
    if (!ParseUnsigned(ref.substr(i), kMaxRow, row) || row == 0) return false;
    column = col;
    return true;
}

bool NumberValueText(std::string_view raw, std::string& text) {
    const std::string trimmed = TrimBlanks(raw);
    double value = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto result = std::from_chars(trimmed.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) return false;
    text = NumberText(value);
    return true;
}

}  // namespace

ExchangeStatus XlsxSource::Open(std::vector<uint8_t> bytes) {
    if (auto status = zip_.Open(std::move(bytes)); !status.ok()) return status;

    Relationships packageRels;
    if (auto status = ReadRelationships(zip_, "", packageRels); !status.ok()) return status;
    std::string workbookPart = FindByType(packageRels, "/officeDocument");
    if (workbookPart.empty()) {
        // Neither the package's pointer to a workbook nor the usual part: another kind of zip
        // file (an OpenDocument spreadsheet, a plain archive), not a damaged .xlsx.
        if (!zip_.Contains("xl/workbook.xml")) {
            return ExchangeStatus::Error(ExchangeError::NotWorkbook, "zip: no workbook part");
        }
        workbookPart = "xl/workbook.xml";
    }

    std::string text;
    if (auto status = zip_.Read(workbookPart, text); !status.ok()) return status;
    pugi::xml_document doc;
    if (auto status = ParseXmlPart(workbookPart, text, doc); !status.ok()) return status;
    const pugi::xml_node root = FirstChild(doc, "workbook");
    if (!root) return Damaged(workbookPart + ": no workbook element");

    Relationships workbookRels;
    if (auto status = ReadRelationships(zip_, workbookPart, workbookRels); !status.ok()) {
        return status;
    }
    const pugi::xml_node sheets = FirstChild(root, "sheets");
    for (auto sheet = FirstChild(sheets, "sheet"); sheet; sheet = NextSibling(sheet, "sheet")) {
        const auto rel = workbookRels.find(AttributeOf(sheet, "id").value());
        names_.push_back(ValidUtf8(AttributeOf(sheet, "name").value()));
        sheetParts_.push_back(rel == workbookRels.end() ? std::string() : rel->second.target);
    }

    std::string stringsPart = FindByType(workbookRels, "/sharedStrings");
    if (stringsPart.empty() && zip_.Contains("xl/sharedStrings.xml")) {
        stringsPart = "xl/sharedStrings.xml";
    }
    return stringsPart.empty() ? ExchangeStatus::Ok() : ReadSharedStrings(stringsPart);
}

ExchangeStatus XlsxSource::ReadSharedStrings(const std::string& part) {
    std::string text;
    if (auto status = zip_.Read(part, text); !status.ok()) return status;
    pugi::xml_document doc;
    if (auto status = ParseXmlPart(part, text, doc); !status.ok()) return status;
    const pugi::xml_node root = FirstChild(doc, "sst");
    if (!root) return Damaged(part + ": no string table");
    for (auto item = FirstChild(root, "si"); item; item = NextSibling(item, "si")) {
        sharedStrings_.push_back(ItemText(item));
    }
    return ExchangeStatus::Ok();
}

ExchangeStatus XlsxSource::ReadSheetCells(std::size_t index, SheetCells& cells) {
    cells = SheetCells();
    if (index >= sheetParts_.size()) return Damaged("no sheet " + std::to_string(index + 1));
    const std::string& part = sheetParts_[index];
    if (part.empty()) return Damaged("sheet " + names_[index] + ": no part");
    std::string text;
    if (auto status = zip_.Read(part, text); !status.ok()) return status;
    pugi::xml_document doc;
    if (auto status = ParseXmlPart(part, text, doc); !status.ok()) return status;
    const pugi::xml_node root = FirstChild(doc, "worksheet");
    if (!root) return Damaged(part + ": no worksheet element");

    std::size_t count = 0;
    std::size_t textBytes = 0;  // a shared string counts for every cell that shows it
    uint32_t rowNo = 0;
    const pugi::xml_node data = FirstChild(root, "sheetData");
    for (auto row = FirstChild(data, "row"); row; row = NextSibling(row, "row")) {
        if (const auto r = AttributeOf(row, "r")) {
            if (!ParseUnsigned(r.value(), kMaxRow, rowNo) || rowNo == 0) {
                return Damaged(part + ": bad row number");
            }
        } else if (++rowNo > kMaxRow) {
            return Damaged(part + ": too many rows");
        }
        uint32_t columnNo = 0;
        for (auto c = FirstChild(row, "c"); c; c = NextSibling(c, "c")) {
            uint32_t cellRow = rowNo;
            if (const auto r = AttributeOf(c, "r")) {
                if (!ParseCellReference(r.value(), cellRow, columnNo)) {
                    return Damaged(part + ": bad cell reference");
                }
            } else if (++columnNo > kMaxColumn) {
                return Damaged(part + ": too many columns");
            }

            const std::string_view type = AttributeOf(c, "t") ? AttributeOf(c, "t").value() : "n";
            const pugi::xml_node v = FirstChild(c, "v");
            std::string value;
            if (type == "inlineStr") {
                value = ItemText(FirstChild(c, "is"));
            } else if (!v) {
                continue;  // a formatted cell without a value
            } else if (const std::string_view raw = v.text().get(); type == "s") {
                uint32_t item = 0;
                if (!ParseUnsigned(TrimBlanks(raw), UINT32_MAX, item) ||
                    item >= sharedStrings_.size()) {
                    return Damaged(part + ": shared string index out of range");
                }
                value = sharedStrings_[item];
            } else if (type == "b") {
                const std::string flag = TrimBlanks(raw);
                if (flag != "0" && flag != "1") return Damaged(part + ": bad boolean");
                value = flag == "1" ? "True" : "False";
            } else if (type == "n") {
                if (TrimBlanks(raw).empty()) continue;
                if (!NumberValueText(raw, value)) return Damaged(part + ": bad number");
            } else if (type == "str" || type == "e" || type == "d") {
                value = UnescapeOoxmlText(raw);
            } else {
                return Damaged(part + ": unknown cell type");
            }
            textBytes += value.size();
            if (++count > MAX_SHEET_CELLS || textBytes > MAX_SHEET_TEXT_BYTES) {
                return ExchangeStatus::Error(ExchangeError::TooLarge, part + ": too much content");
            }
            cells.Add(cellRow, columnNo, std::move(value));
        }
    }
    cells.Finish();
    return ExchangeStatus::Ok();
}

}  // namespace q36::exchange
