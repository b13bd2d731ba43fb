// Files handed to the workbook reader: the configuration reader that Open uses, then every sheet
// of the file on its own. Whatever the bytes, the reader ends with rows that keep the rules Open
// relies on, or with a failure that names the file.

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "codec/channel_fields.h"
#include "codec/common_fields.h"
#include "exchange/configuration_reader.h"
#include "exchange/import_values.h"
#include "exchange/text_forms.h"
#include "exchange/workbook_source.h"
#include "fuzz_targets.h"
#include "text/language.h"

namespace q36::fuzz {

namespace {

using namespace exchange;

// One file per process, rewritten for every input (the reader opens a path, as Open does) and
// removed when the process ends.
struct InputFile {
    std::string path;
    InputFile() {
        std::error_code ec;
        std::filesystem::path folder = "/dev/shm";
        if (!std::filesystem::is_directory(folder, ec))
            folder = std::filesystem::temp_directory_path(ec);
        path = (folder / ("q36-fuzz-" + std::to_string(::getpid()) + ".bin")).string();
    }
    ~InputFile() { std::remove(path.c_str()); }
};

const std::string& InputPath() {
    static const InputFile file;
    return file.path;
}

bool WriteInput(const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

void RequireText(const std::string& text) {
    Require(ValidUtf8(text) == text, "a text that is not UTF-8");
}

void CheckConfiguration(const std::string& path) {
    ImportRules rules;
    rules.bandLowMHz = 400;
    rules.bandHighMHz = 440;

    const Configuration blank = BlankConfiguration();
    Configuration read = blank;
    const ConfigurationCheck check = ReadConfigurationWorkbook(path, rules, read);
    if (!check.Ok()) Require(read == blank, "a refused workbook that changed the configuration");
    if (!check.status.ok()) {
        Require(check.status.detail.find(path) != std::string::npos,
                "a read failure that does not name the file");
        return;
    }
    if (check.fault) {
        Require(check.fault->check != FrequencyCheck::Ok, "a frequency fault that is none");
        Require(CheckFrequencyText(check.fault->text, 400, 440) == check.fault->check,
                "a fault with another cause");
        return;
    }
    if (check.toneFault) return;
    for (const CommonField& field : CommonFields)
        RequireText(CommonFieldText(read.common, field, 0));
    Require(read.channels.size() == std::size_t(CHANNEL_COUNT) && read.scans.size() == 5,
            "channels or lists that the configuration did not have");
    for (std::size_t i = 0; i < read.channels.size(); ++i) {
        const ChannelResult& row = read.channels[i];
        Require(row.CHANNELNO == blank.channels[i].CHANNELNO, "a channel that changed its key");
        if (row == blank.channels[i]) continue;  // no record of it
        for (const int k : {CHANNEL_TX_FREQ, CHANNEL_RX_FREQ}) {
            Require(CheckFrequencyText(ChannelFieldText(row, k), 400, 440) == FrequencyCheck::Ok,
                    "a frequency outside the band passed");
        }
        for (const auto& [type, k] : {std::pair{CHANNEL_TX_TONE, CHANNEL_TX_VALUE},
                                      std::pair{CHANNEL_RX_TONE, CHANNEL_RX_VALUE}}) {
            Require(ToneValueOf(ChannelFieldText(row, type), ChannelFieldText(row, k)) ==
                        ChannelFieldText(row, k),
                    "a tone value that is in no table passed");
        }
        for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) RequireText(ChannelFieldText(row, k));
    }
    for (std::size_t j = 0; j < read.scans.size(); ++j) {
        Require(read.scans[j].LIST == blank.scans[j].LIST, "a list that changed its number");
        for (const std::string& text : read.scans[j].slots) RequireText(text);
    }
}

void CheckSheets(const std::string& path) {
    OpenedWorkbook opened = OpenWorkbookFile(path, LANGUAGE_CHINESE);
    if (!opened.status.ok()) {
        Require(!opened.source, "a failed open that kept a source");
        return;
    }
    const auto& names = opened.source->SheetNames();
    for (const std::string& name : names) RequireText(name);
    for (std::size_t k = 0; k < names.size() && k < 8; ++k) {
        SheetCells cells;
        if (!opened.source->ReadSheet(k, cells).ok()) {
            Require(cells.Count() == 0, "a failed sheet that kept cells");
            continue;
        }
        for (const uint32_t row : cells.Rows()) {
            for (const auto& [column, text] : cells.Row(row)) {
                Require(column >= 1 && !text->empty(), "an empty cell was kept");
                RequireText(*text);
            }
        }
    }
}

// Reads the configuration, then every sheet on its own, beyond the three the configuration needs.
int WorkbookOneInput(const uint8_t* data, size_t size, const uint8_t* signature,
                     size_t signatureSize) {
    std::vector<uint8_t> bytes(data, data + size);
    // The reader tells the formats apart by these bytes; the rest of the file is the fuzzer's.
    if (bytes.size() < signatureSize) bytes.resize(signatureSize);
    std::memcpy(bytes.data(), signature, signatureSize);
    if (!WriteInput(bytes)) return 0;
    CheckConfiguration(InputPath());
    CheckSheets(InputPath());
    return 0;
}

}  // namespace

int XlsxOneInput(const uint8_t* data, size_t size) {
    static const uint8_t kZip[] = {'P', 'K', 0x03, 0x04};
    return WorkbookOneInput(data, size, kZip, sizeof kZip);
}

int XlsOneInput(const uint8_t* data, size_t size) {
    static const uint8_t kOle2[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    return WorkbookOneInput(data, size, kOle2, sizeof kOle2);
}

}  // namespace q36::fuzz
