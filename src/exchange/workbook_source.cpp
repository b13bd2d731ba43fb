#include "workbook_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "exchange_texts.h"
#include "read_limits.h"
#include "xls_source.h"
#include "xlsx_source.h"

namespace q36::exchange {

namespace {

constexpr uint8_t kZipSignature[] = {'P', 'K', 0x03, 0x04};
constexpr uint8_t kOle2Signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

bool StartsWith(const std::vector<uint8_t>& bytes, const uint8_t* signature, std::size_t size) {
    return bytes.size() >= size && std::memcmp(bytes.data(), signature, size) == 0;
}

ExchangeStatus SystemFailure(int err, const std::string& path) {
    return ExchangeStatus::Error(ExchangeError::CannotOpen,
                                 DetailWithPath(SystemErrorText(err), path));
}

}  // namespace

ExchangeStatus ReadWholeFile(const std::string& path, int language, std::vector<uint8_t>& bytes) {
    // Non-blocking, so that a named pipe given as the file cannot hold the program.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return SystemFailure(errno, path);
    struct stat info {};
    ExchangeStatus status;
    if (fstat(fd, &info) != 0) {
        status = SystemFailure(errno, path);
    } else if (!S_ISREG(info.st_mode)) {
        status = SystemFailure(S_ISDIR(info.st_mode) ? EISDIR : EINVAL, path);
    } else if (static_cast<uint64_t>(info.st_size) > MAX_WORKBOOK_FILE_BYTES) {
        status = ReadFailure(ExchangeError::TooLarge, "", path, language);
    } else {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                status = SystemFailure(errno, path);
                break;
            }
            if (n == 0) break;  // the file shrank while it was read
            done += static_cast<std::size_t>(n);
        }
        bytes.resize(done);
    }
    close(fd);
    return status;
}

ExchangeStatus ReadFailure(ExchangeError code, const std::string& reason, const std::string& path,
                           int language) {
    std::string text;
    switch (code) {
        case ExchangeError::NotWorkbook:
            text = Tr(texts::ReasonNotWorkbook, language);
            break;
        case ExchangeError::TooLarge:
            text = Tr(texts::ReasonTooLarge, language);
            break;
        case ExchangeError::MissingSheet:
            text = Tr(texts::ReasonMissingSheet, language);
            break;
        case ExchangeError::MissingColumn:
            text = Tr(texts::ReasonMissingColumn, language);
            break;
        case ExchangeError::ErrorValue:
            text = Tr(texts::ReasonErrorValue, language);
            break;
        default:
            text = Tr(texts::ReasonDamaged, language);
            break;
    }
    if (!reason.empty()) text += " (" + reason + ")";
    return ExchangeStatus::Error(code, DetailWithPath(text, path));
}

ExchangeStatus WorkbookSource::ReadSheet(std::size_t index, SheetCells& cells) {
    ExchangeStatus status = ReadSheetCells(index, cells);
    if (!status.ok()) {
        cells = SheetCells();
        return ReadFailure(status.code, status.detail, path_, language_);
    }
    return status;
}

OpenedWorkbook OpenWorkbookFile(const std::string& path, int language) {
    std::vector<uint8_t> bytes;
    if (auto status = ReadWholeFile(path, language, bytes); !status.ok()) return {status, nullptr};

    std::unique_ptr<WorkbookSource> source;
    ExchangeStatus status;
    if (StartsWith(bytes, kZipSignature, sizeof kZipSignature)) {
        auto xlsx = std::make_unique<XlsxSource>();
        status = xlsx->Open(std::move(bytes));
        source = std::move(xlsx);
    } else if (StartsWith(bytes, kOle2Signature, sizeof kOle2Signature)) {
        auto xls = std::make_unique<XlsSource>();
        status = xls->Open(bytes);
        source = std::move(xls);
    } else {
        status = ExchangeStatus::Error(ExchangeError::NotWorkbook, "");
    }
    if (!status.ok()) return {ReadFailure(status.code, status.detail, path, language), nullptr};
    source->path_ = path;
    source->language_ = language;
    return {ExchangeStatus::Ok(), std::move(source)};
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        const auto x = static_cast<unsigned char>(a[k]);
        const auto y = static_cast<unsigned char>(b[k]);
        if (x != y && !(x < 0x80 && y < 0x80 && std::tolower(x) == std::tolower(y))) return false;
    }
    return true;
}

int SheetIndexOf(const WorkbookSource& source, const std::string& name) {
    const auto& names = source.SheetNames();
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (names[k] == name) return static_cast<int>(k);
    }
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (SameName(names[k], name)) return static_cast<int>(k);
    }
    return -1;
}

}  // namespace q36::exchange
