// Workbooks are untrusted input: every damaged, truncated, oversized or malicious file ends in
// a clean error value, within bounded time (each under two seconds) and memory.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>

#include "exchange/configuration_sheets.h"
#include "exchange/workbook_file.h"
#include "exchange/workbook_source.h"
#include "exchange_test_support.h"

namespace q36::exchange {
namespace {

using testing::MinimalXlsxParts;
using testing::ReadFileBytes;
using testing::SampleConfiguration;
using testing::ScratchFolder;
using testing::WriteFileBytes;
using testing::WriteZip;

constexpr double kSecondsAllowed = 2.0;

// Opens the file and reads every sheet; the first failure, or success.
ExchangeStatus ReadEverything(const std::string& path) {
    OpenedWorkbook opened = OpenWorkbookFile(path, LANGUAGE_CHINESE);
    if (!opened.status.ok()) return opened.status;
    for (std::size_t s = 0; s < opened.source->SheetNames().size(); ++s) {
        SheetCells cells;
        if (auto status = opened.source->ReadSheet(s, cells); !status.ok()) return status;
    }
    return ExchangeStatus::Ok();
}

// ReadEverything, timed.
ExchangeStatus TimedRead(const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    ExchangeStatus status = ReadEverything(path);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, kSecondsAllowed) << path;
    if (!status.ok()) {
        EXPECT_NE(status.detail.find(path), std::string::npos) << status.detail;
    }
    return status;
}

std::string SheetXml(const std::string& rows) {
    return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<sheetData>" +
           rows + "</sheetData></worksheet>";
}

class HostileWorkbook : public ::testing::Test {
  protected:
    std::string Zip(const std::string& name,
                    const std::vector<std::pair<std::string, std::string>>& parts,
                    bool deflate = true) {
        const std::string path = dir_.File(name);
        WriteZip(path, parts, deflate);
        return path;
    }
    std::string Valid(const char* extension) {
        const std::string path = dir_.File(std::string("valid.") + extension);
        EXPECT_TRUE(SaveWorkbookFile(BuildConfigurationWorkbook(SampleConfiguration(), 0), path,
                                     LANGUAGE_CHINESE)
                        .ok());
        return path;
    }
    ScratchFolder dir_;
};

TEST_F(HostileWorkbook, FilesThatAreNoWorkbookAreRecognised) {
    const struct {
        const char* name;
        std::string bytes;
        ExchangeError expected;
    } cases[] = {
        {"empty.xlsx", "", ExchangeError::NotWorkbook},
        {"text.xlsx", "CHANNELNO,ENABLED\n01,True\n", ExchangeError::NotWorkbook},
        {"pk.xlsx", "PK", ExchangeError::NotWorkbook},
        {"emptyzip.xlsx", std::string("PK\x05\x06", 4) + std::string(18, '\0'),
         ExchangeError::NotWorkbook},
        {"ole-header-only.xls", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8),
         ExchangeError::Damaged},
    };
    for (const auto& c : cases) {
        WriteFileBytes(dir_.File(c.name), c.bytes);
        EXPECT_EQ(TimedRead(dir_.File(c.name)).code, c.expected) << c.name;
    }
    // An OpenDocument spreadsheet is a zip file too, but no .xlsx package.
    WriteZip(dir_.File("sheet.ods"),
             {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
              {"content.xml", "<office:document-content/>"}});
    EXPECT_EQ(TimedRead(dir_.File("sheet.ods")).code, ExchangeError::NotWorkbook);
    EXPECT_EQ(TimedRead(dir_.File("missing.xlsx")).code, ExchangeError::CannotOpen);
    EXPECT_EQ(TimedRead(dir_.Path()).code, ExchangeError::CannotOpen);
}

TEST_F(HostileWorkbook, TruncatedFilesAreRefused) {
    for (const char* extension : {"xlsx", "xls"}) {
        const std::string whole = ReadFileBytes(Valid(extension));
        for (const double fraction : {0.01, 0.1, 0.5, 0.9, 0.999}) {
            const std::string path = dir_.File("cut." + std::string(extension));
            WriteFileBytes(path,
                           whole.substr(0, static_cast<std::size_t>(whole.size() * fraction)));
            const ExchangeStatus status = TimedRead(path);
            EXPECT_FALSE(status.ok()) << extension << " cut at " << fraction;
        }
    }
}

TEST_F(HostileWorkbook, BrokenPackagesAreDamaged) {
    const std::string good = SheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>");
    const std::string strings =
        "<sst "
        "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>x</t></si></"
        "sst>";
    auto without = [&](const std::string& name) {
        auto parts = MinimalXlsxParts(good, strings);
        std::erase_if(parts, [&](const auto& p) { return p.first == name; });
        return parts;
    };
    auto replacing = [&](const std::string& name, const std::string& content) {
        auto parts = MinimalXlsxParts(good, strings);
        for (auto& p : parts) {
            if (p.first == name) p.second = content;
        }
        return parts;
    };
    const struct {
        const char* label;
        std::vector<std::pair<std::string, std::string>> parts;
    } cases[] = {
        {"no workbook part", without("xl/workbook.xml")},
        {"no sheet part", without("xl/worksheets/sheet1.xml")},
        {"no shared strings part", without("xl/sharedStrings.xml")},
        {"malformed sheet", replacing("xl/worksheets/sheet1.xml", "<worksheet><sheetData><row>")},
        {"malformed workbook",
         replacing("xl/workbook.xml", "<workbook><sheets><sheet name=\"S\" r:id=")},
        {"malformed strings", replacing("xl/sharedStrings.xml", "<sst><si><t>x</si></sst>")},
        {"not a sheet", replacing("xl/worksheets/sheet1.xml", "<html/>")},
        {"string index out of range",
         MinimalXlsxParts(SheetXml("<row><c t=\"s\"><v>1</v></c></row>"), strings)},
        {"negative string index",
         MinimalXlsxParts(SheetXml("<row><c t=\"s\"><v>-1</v></c></row>"), strings)},
        {"huge string index",
         MinimalXlsxParts(SheetXml("<row><c t=\"s\"><v>99999999999999</v></c></row>"), strings)},
        {"string index without strings",
         MinimalXlsxParts(SheetXml("<row><c t=\"s\"><v>0</v></c></row>"))},
        {"bad number", MinimalXlsxParts(SheetXml("<row><c><v>4oo</v></c></row>"))},
        {"bad boolean", MinimalXlsxParts(SheetXml("<row><c t=\"b\"><v>yes</v></c></row>"))},
        {"unknown cell type", MinimalXlsxParts(SheetXml("<row><c t=\"q\"><v>1</v></c></row>"))},
        {"bad cell reference",
         MinimalXlsxParts(SheetXml("<row><c r=\"ZZZZ1\"><v>1</v></c></row>"))},
        {"row zero", MinimalXlsxParts(SheetXml("<row r=\"0\"><c><v>1</v></c></row>"))},
        {"row beyond the limit",
         MinimalXlsxParts(SheetXml("<row r=\"1048577\"><c><v>1</v></c></row>"))},
        {"relationship leaving the package",
         replacing("xl/_rels/workbook.xml.rels",
                   "<Relationships><Relationship Id=\"rId1\" "
                   "Target=\"../../../etc/passwd\"/></Relationships>")},
    };
    for (const auto& c : cases) {
        const std::string path = Zip("broken.xlsx", c.parts);
        EXPECT_EQ(TimedRead(path).code, ExchangeError::Damaged) << c.label;
    }
}

TEST_F(HostileWorkbook, OddButValidXmlIsRead) {
    // Namespace prefixes, cells without references, inline and rich strings, a formula's cached
    // value, booleans, escapes, and a deeply nested element that must not exhaust the stack.
    std::string deep;
    for (int k = 0; k < 200000; ++k) deep += "<x>";
    for (int k = 0; k < 200000; ++k) deep += "</x>";
    const std::string sheet =
        "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<x:sheetData><x:row><x:c t=\"inlineStr\"><x:is><x:r><x:t>信</x:t></x:r><x:r><x:t "
        "xml:space=\"preserve\"> 道 </x:t></x:r>"
        "<x:rPh><x:t>xin</x:t></x:rPh></x:is></x:c><x:c><x:f>1+1</x:f><x:v>2</x:v></x:c>"
        "<x:c t=\"b\"><x:v>1</x:v></x:c><x:c t=\"str\"><x:f>A1</x:f><x:v>a_x000D_b</x:v></x:c>"
        "<x:c t=\"s\"><x:v>0</x:v></x:c><x:c><x:v>4.350125E2</x:v></x:c></x:row>"
        "<x:row r=\"5\"><x:c r=\"C5\" t=\"e\"><x:v>#N/A</x:v></x:c></x:row></x:sheetData>" +
        deep + "</x:worksheet>";
    const std::string strings =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t "
        "xml:space=\"preserve\"> </t></si></sst>";
    const std::string path = Zip("odd.xlsx", MinimalXlsxParts(sheet, strings));
    OpenedWorkbook opened = OpenWorkbookFile(path, LANGUAGE_CHINESE);
    ASSERT_TRUE(opened.status.ok()) << opened.status.detail;
    SheetCells cells;
    ASSERT_TRUE(opened.source->ReadSheet(0, cells).ok());
    EXPECT_EQ(cells.Text(1, 1), "信 道 ");
    EXPECT_EQ(cells.Text(1, 2), "2");
    EXPECT_EQ(cells.Text(1, 3), "True");
    EXPECT_EQ(cells.Text(1, 4), "a\rb");
    EXPECT_EQ(cells.Text(1, 5), " ");
    EXPECT_EQ(cells.Text(1, 6), "435.0125");
    EXPECT_EQ(cells.Text(5, 3), "#N/A");
}

TEST_F(HostileWorkbook, OversizedZipEntriesAreRefusedWhetherDeclaredOrNot) {
    // 65 MiB of blanks within the markup, which deflate to little.
    const std::string sheet = SheetXml(std::string(65u << 20, ' '));
    const std::string honest = Zip("bomb.xlsx", MinimalXlsxParts(sheet));
    EXPECT_EQ(TimedRead(honest).code, ExchangeError::TooLarge);

    // The same archive claiming the part inflates to a few bytes: the count while inflating
    // catches it.
    std::string bytes = ReadFileBytes(honest);
    const std::string name = "xl/worksheets/sheet1.xml";
    const uint32_t claimed = 4096;
    int patched = 0;
    for (std::size_t at = 0; at + 46 < bytes.size(); ++at) {
        const bool local = bytes.compare(at, 4, "PK\x03\x04") == 0 &&
                           bytes.compare(at + 30, name.size(), name) == 0;
        const bool central = bytes.compare(at, 4, "PK\x01\x02") == 0 &&
                             bytes.compare(at + 46, name.size(), name) == 0;
        if (local || central) {
            std::memcpy(&bytes[at + (local ? 22 : 24)], &claimed, 4);
            ++patched;
        }
    }
    ASSERT_EQ(patched, 2);
    const std::string liar = dir_.File("liar.xlsx");
    WriteFileBytes(liar, bytes);
    EXPECT_EQ(TimedRead(liar).code, ExchangeError::Damaged);
}

TEST_F(HostileWorkbook, HundredThousandRowsAreReadOrRefusedInTime) {
    // One key per row: read, all of it.
    std::string keys;
    for (int r = 1; r <= 100000; ++r) {
        keys += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) +
                "\" t=\"inlineStr\"><is><t>99</t></is></c></row>";
    }
    const std::string narrow = Zip("narrow.xlsx", MinimalXlsxParts(SheetXml(keys)), false);
    OpenedWorkbook opened = OpenWorkbookFile(narrow, LANGUAGE_CHINESE);
    ASSERT_TRUE(opened.status.ok());
    SheetCells cells;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(opened.source->ReadSheet(0, cells).ok());
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
              kSecondsAllowed);
    EXPECT_EQ(cells.Count(), 100000u);
    EXPECT_EQ(cells.Text(100000, 1), "99");

    // Fourteen columns on each row: more than the reader takes, refused before it is parsed.
    std::string row = "<row>";
    for (int c = 0; c < 14; ++c) row += "<c><v>9</v></c>";
    row += "</row>";
    std::string full;
    full.reserve(row.size() * 100000);
    for (int r = 1; r <= 100000; ++r) full += row;
    const std::string wide = Zip("wide.xlsx", MinimalXlsxParts(SheetXml(full)), false);
    EXPECT_EQ(TimedRead(wide).code, ExchangeError::TooLarge);
}

TEST_F(HostileWorkbook, OneLongTextShownByManyCellsIsRefusedBeyondTheTextLimit) {
    // The file keeps the text once; the cells' texts add up to 69 MB.
    Workbook workbook;
    workbook.sheets.push_back(Sheet{"S", {}, {}});
    std::string text;
    for (int k = 0; k < 32767; ++k) text += "信";
    for (int row = 1; row <= 700; ++row) workbook.sheets[0].PutText(row, 1, text, CellFormat::Text);
    for (const char* name : {"long.xlsx", "long.xls"}) {
        ASSERT_TRUE(SaveWorkbookFile(workbook, dir_.File(name), LANGUAGE_CHINESE).ok());
        EXPECT_EQ(TimedRead(dir_.File(name)).code, ExchangeError::TooLarge) << name;
    }
}

TEST_F(HostileWorkbook, TooManyZipEntriesAreRefused) {
    auto parts = MinimalXlsxParts(SheetXml(""));
    for (int k = 0; k < 10001; ++k) parts.emplace_back("pad/" + std::to_string(k), "");
    EXPECT_EQ(TimedRead(Zip("crowded.xlsx", parts)).code, ExchangeError::TooLarge);
}

TEST_F(HostileWorkbook, FileBeyondTheSizeLimitIsRefusedUnread) {
    const std::string path = dir_.File("huge.xlsx");
    WriteFileBytes(path, "PK\x03\x04");
    ASSERT_EQ(truncate(path.c_str(), 33 << 20), 0);  // sparse: no real bytes written
    EXPECT_EQ(TimedRead(path).code, ExchangeError::TooLarge);
}

TEST_F(HostileWorkbook, XlsDeclaringHugeSheetsIsRefusedBeforeItIsLoaded) {
    // The dimensions of every sheet claim 65536 rows by 256 columns.
    std::string bytes = ReadFileBytes(Valid("xls"));
    const std::string dimension("\x00\x02\x0E\x00", 4);
    int patched = 0;
    for (auto at = bytes.find(dimension); at != std::string::npos;
         at = bytes.find(dimension, at + 1)) {
        const uint32_t rows = 65536;
        const uint16_t columns = 256;
        std::memcpy(&bytes[at + 8], &rows, 4);
        std::memcpy(&bytes[at + 14], &columns, 2);
        ++patched;
    }
    ASSERT_EQ(patched, 3);
    const std::string path = dir_.File("wide.xls");
    WriteFileBytes(path, bytes);
    EXPECT_EQ(TimedRead(path).code, ExchangeError::TooLarge);
}

TEST_F(HostileWorkbook, XlsWithBadStringTableIsDamaged) {
    // A string table claiming millions of strings in a few hundred bytes.
    std::string bytes = ReadFileBytes(Valid("xls"));
    const auto at = bytes.find(std::string("\xFC\x00", 2));
    ASSERT_NE(at, std::string::npos);
    const uint32_t count = 200000000;
    std::memcpy(&bytes[at + 4], &count, 4);
    std::memcpy(&bytes[at + 8], &count, 4);
    const std::string path = dir_.File("sst.xls");
    WriteFileBytes(path, bytes);
    EXPECT_EQ(TimedRead(path).code, ExchangeError::Damaged);
}

TEST_F(HostileWorkbook, RandomlyDamagedFilesNeverCrashOrHang) {
    std::mt19937 random(20240607);
    for (const char* extension : {"xls", "xlsx"}) {
        const std::string whole = ReadFileBytes(Valid(extension));
        const auto start = std::chrono::steady_clock::now();
        for (int k = 0; k < 300; ++k) {
            std::string bytes = whole;
            const int flips = 1 + static_cast<int>(random() % 8);
            for (int f = 0; f < flips; ++f) {
                bytes[random() % bytes.size()] = static_cast<char>(random() & 0xFF);
            }
            const std::string path = dir_.File(std::string("mutant.") + extension);
            WriteFileBytes(path, bytes);
            ReadEverything(path);  // any outcome but a crash or a hang
        }
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                  10 * kSecondsAllowed);
    }
}

}  // namespace
}  // namespace q36::exchange
