#include "workbook_file.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "replacing_file.h"
#include "xls_writer.h"
#include "xlsx_writer.h"

namespace q36::exchange {

WorkbookFormat FormatForName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos) return WorkbookFormat::Xlsx;
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == "xls" ? WorkbookFormat::Xls : WorkbookFormat::Xlsx;
}

ExchangeStatus SaveWorkbookFile(const Workbook& workbook, const std::string& path, int language) {
    ReplacingFile file(path);
    if (FormatForName(path) == WorkbookFormat::Xls) {
        std::vector<uint8_t> bytes;
        auto status = BuildXlsFile(workbook, language, bytes);
        if (!status.ok()) {
            status.detail = DetailWithPath(status.detail, path);
            return status;
        }
        if (status = file.Create(); !status.ok()) return status;
        if (status = file.Write(bytes); !status.ok()) return status;
        return file.Commit();
    }
    auto status = file.Create();
    if (!status.ok()) return status;
    // The writer opens the temporary file by name and rewrites it; the open descriptor of the
    // same file is what Commit flushes.
    if (status = WriteXlsxFile(workbook, file.TempPath(), language); !status.ok()) {
        status.detail = DetailWithPath(status.detail, path);
        return status;
    }
    return file.Commit();
}

}  // namespace q36::exchange
