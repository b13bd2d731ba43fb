#include "exchange_test_support.h"

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "codec/channel_fields.h"
#include "codec/common_fields.h"
#include "exchange/xls_writer.h"

namespace q36::exchange::testing {

namespace fs = std::filesystem;

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteZip(const std::string& path,
              const std::vector<std::pair<std::string, std::string>>& parts, bool deflate) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) throw std::runtime_error("zip_open failed");
    // libzip reads the buffers when the archive is closed; they live until then.
    for (const auto& [name, content] : parts) {
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0 ||
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                     deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) != 0) {
            throw std::runtime_error("zip_file_add failed");
        }
    }
    if (zip_close(archive) != 0) throw std::runtime_error("zip_close failed");
}

std::vector<std::pair<std::string, std::string>> MinimalXlsxParts(const std::string& sheetXml,
                                                                  const std::string& sharedXml) {
    const std::string ns = "http://schemas.openxmlformats.org/";
    std::vector<std::pair<std::string, std::string>> parts{
        {"_rels/.rels", "<Relationships xmlns=\"" + ns +
                            "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"" + ns +
                            "officeDocument/2006/relationships/officeDocument\" "
                            "Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", "<workbook xmlns=\"" + ns + "spreadsheetml/2006/main\" xmlns:r=\"" +
                                ns +
                                "officeDocument/2006/relationships\"><sheets><sheet name=\"S\" "
                                "sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"" + ns +
             "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"" + ns +
             "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>" +
             (sharedXml.empty() ? ""
                                : "<Relationship Id=\"rId2\" Type=\"" + ns +
                                      "officeDocument/2006/relationships/sharedStrings\" "
                                      "Target=\"sharedStrings.xml\"/>") +
             "</Relationships>"},
        {"xl/worksheets/sheet1.xml", sheetXml},
    };
    if (!sharedXml.empty()) parts.emplace_back("xl/sharedStrings.xml", sharedXml);
    return parts;
}

namespace {

constexpr uint16_t kBof = 0x0809;
constexpr uint16_t kBoundSheet = 0x0085;

uint16_t Le16At(const std::string& data, std::size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(data[at]) | static_cast<uint8_t>(data[at + 1])
                                                                      << 8);
}

}  // namespace

std::string Le16(uint16_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::vector<XlsRecord> XlsRecordsOf(const Workbook& workbook) {
    std::vector<uint8_t> bytes;
    if (!BuildBiffStream(workbook, LANGUAGE_CHINESE, bytes).ok())
        throw std::runtime_error("BuildBiffStream failed");
    const std::string stream(bytes.begin(), bytes.end());
    std::vector<XlsRecord> records;
    for (std::size_t at = 0; at + 4 <= stream.size();) {
        const uint16_t type = Le16At(stream, at);
        const uint16_t length = Le16At(stream, at + 2);
        if (type == 0 && length == 0) break;  // the padding after the last record
        records.push_back({type, stream.substr(at + 4, length)});
        at += 4 + length;
    }
    return records;
}

void ReplaceXlsCell(std::vector<XlsRecord>& records, int sheet, int row, int column,
                    const std::vector<XlsRecord>& with) {
    int substream = -2;  // the globals are -1
    for (auto it = records.begin(); it != records.end(); ++it) {
        if (it->type == kBof) ++substream;
        const bool cell = it->type == 0x00FD || it->type == 0x0203 || it->type == 0x0201;
        if (substream == sheet && cell && Le16At(it->data, 0) == row - 1 &&
            Le16At(it->data, 2) == column - 1) {
            records.insert(records.erase(it), with.begin(), with.end());
            return;
        }
    }
    throw std::runtime_error("no such cell record");
}

void WriteXlsRecords(const std::string& path, const std::vector<XlsRecord>& records) {
    std::string stream;
    std::vector<std::size_t> entries, starts;
    for (const XlsRecord& record : records) {
        if (record.type == kBoundSheet) entries.push_back(stream.size() + 4);
        if (record.type == kBof && !stream.empty()) starts.push_back(stream.size());
        stream += Le16(record.type) + Le16(static_cast<uint16_t>(record.data.size())) + record.data;
    }
    for (std::size_t k = 0; k < entries.size() && k < starts.size(); ++k) {
        stream.replace(entries[k], 2, Le16(static_cast<uint16_t>(starts[k])));
        stream.replace(entries[k] + 2, 2, Le16(static_cast<uint16_t>(starts[k] >> 16)));
    }
    std::vector<uint8_t> file;
    if (!BuildXlsFileOfStream(std::vector<uint8_t>(stream.begin(), stream.end()), file).ok()) {
        throw std::runtime_error("BuildXlsFileOfStream failed");
    }
    WriteFileBytes(path, std::string(file.begin(), file.end()));
}

bool PythonHasModule(const std::string& module) {
    const std::string command = "/usr/bin/python3 -c 'import " + module + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::string RunPython(const std::string& script, const std::vector<std::string>& args,
                      int* exitCode) {
    ScratchFolder dir;
    const std::string scriptPath = dir.File("check.py");
    WriteFileBytes(scriptPath, script);
    std::string command = "/usr/bin/python3 '" + scriptPath + "'";
    for (const auto& arg : args) command += " '" + arg + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("popen failed");
    std::string output;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = pclose(pipe);
    if (exitCode) *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

Configuration SampleConfiguration() {
    Configuration sample = BlankConfiguration();
    // In the order of the common form.
    const std::array<const char*, 18> common = {"01234",
                                                "关",
                                                "关闭",
                                                "监听",
                                                "60",
                                                "扫描",
                                                "6.6V",
                                                "False",
                                                "6.6V",
                                                "False",
                                                "载波",
                                                "扫描前工作信道",
                                                "信号消失...",
                                                "扫描前工作信道",
                                                "5",
                                                "120",
                                                "",
                                                "7"};
    for (std::size_t k = 0; k < common.size(); ++k) {
        SetCommonFieldText(sample.common, *CommonFieldOf(CommonFormFields[k].column), common[k]);
    }
    const auto fill = [](ChannelResult& row, const std::array<const char*, 13>& texts) {
        for (int k = 1; k < CHANNEL_COLUMN_COUNT; ++k) SetChannelFieldText(row, k, texts[k - 1]);
    };
    for (ChannelResult& row : sample.channels) {
        fill(row, {"True", "True", "400", "NULL", "", "高", "440", "NULL", "", "4", "宽", "不添加",
                   "关"});
    }
    sample.channels[1].ENABLED = "False";
    fill(sample.channels[2], {"True", "False", "435.0125", "CTCSS", "67.0", "低", "430.5", "DCS-",
                              "754", "0", "窄", "添加", "开"});
    for (ScanResult& list : sample.scans) list.slots.fill("NULL");
    sample.scans[1].slots[0] = "CH01";
    sample.scans[1].slots[15] = "CH24";
    return sample;
}

}  // namespace q36::exchange::testing
