#include "xls_source.h"

#include <freexl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>

#include "gsf_library.h"
#include "read_limits.h"
#include "text_forms.h"

namespace q36::exchange {

namespace {

ExchangeStatus LibraryFailure(const std::string& what, int code) {
    // Out of memory aside, every FreeXL failure means a file it cannot take apart.
    const auto error =
        code == FREEXL_INSUFFICIENT_MEMORY ? ExchangeError::TooLarge : ExchangeError::Damaged;
    return ExchangeStatus::Failure(error,
                                   "xls: " + what + " (FreeXL error " + std::to_string(code) + ")");
}

constexpr uint16_t kDimension = 0x0200;

uint32_t Le16(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<uint32_t>(b[at] | (b[at + 1] << 8));
}

uint32_t Le32(const std::vector<uint8_t>& b, std::size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

// The workbook stream of the compound file ("Workbook", or "Book" for BIFF5); false when the
// container cannot be read or holds neither.
bool ReadWorkbookStream(const std::vector<uint8_t>& bytes, std::vector<uint8_t>& stream) {
    InitGsfLibrary();
    GsfInput* input =
        gsf_input_memory_new(bytes.data(), static_cast<gsf_off_t>(bytes.size()), FALSE);
    GsfInfile* ole = gsf_infile_msole_new(input, nullptr);
    GsfInput* child = nullptr;
    if (ole) {
        child = gsf_infile_child_by_name(ole, "Workbook");
        if (!child) child = gsf_infile_child_by_name(ole, "Book");
    }
    bool ok = false;
    if (child) {
        const gsf_off_t size = gsf_input_size(child);
        if (size >= 0 && static_cast<uint64_t>(size) <= MAX_WORKBOOK_FILE_BYTES) {
            stream.resize(static_cast<std::size_t>(size));
            ok = size == 0 || gsf_input_read(child, stream.size(), stream.data()) != nullptr;
        }
        g_object_unref(child);
    }
    if (ole) g_object_unref(ole);
    g_object_unref(input);
    return ok;
}

// FreeXL sets aside one cell for every row and column each sheet's dimensions declare, for all
// sheets at once; a few bytes could make it take gigabytes. The declared areas are added up here
// first, and a container whose workbook stream cannot be found is refused before FreeXL sees it.
ExchangeStatus CheckDeclaredAreas(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> stream;
    if (!ReadWorkbookStream(bytes, stream)) {
        return ExchangeStatus::Failure(ExchangeError::Damaged, "xls: no workbook stream");
    }
    uint64_t area = 0;
    for (std::size_t at = 0; at + 4 <= stream.size();) {
        const uint32_t type = Le16(stream, at);
        const uint32_t length = Le16(stream, at + 2);
        if (at + 4 + length > stream.size()) break;
        if (type == kDimension && length >= 14) {  // BIFF8: 32-bit row numbers
            area += static_cast<uint64_t>(Le32(stream, at + 8)) * Le16(stream, at + 14);
        } else if (type == kDimension && length >= 10) {  // BIFF5
            area += static_cast<uint64_t>(Le16(stream, at + 6)) * Le16(stream, at + 10);
        }
        if (area > MAX_XLS_SHEET_AREA) {
            return ExchangeStatus::Failure(ExchangeError::TooLarge,
                                           "xls: the sheets declare too many cells");
        }
        at += 4 + length;
    }
    return ExchangeStatus::Success();
}

// The sheet list and every sheet of an .xls file, as FreeXL reads them.
struct XlsContent {
    ExchangeStatus status;
    std::vector<std::string> names;
    std::vector<XlsSource::Sheet> sheets;
};

XlsSource::Sheet ReadSheet(const void* handle, unsigned short index, const std::string& name) {
    XlsSource::Sheet sheet;
    if (const int got = freexl_select_active_worksheet(handle, index); got != FREEXL_OK) {
        sheet.status = LibraryFailure("cannot select sheet " + name, got);
        return sheet;
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (const int got = freexl_worksheet_dimensions(handle, &rows, &columns); got != FREEXL_OK) {
        sheet.status = LibraryFailure("no dimensions of sheet " + name, got);
        return sheet;
    }
    if (static_cast<std::size_t>(rows) * columns > MAX_XLS_SHEET_AREA) {
        sheet.status = ExchangeStatus::Failure(ExchangeError::TooLarge,
                                               "xls: sheet " + name + " is too large");
        return sheet;
    }
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue value{};
            if (const int got = freexl_get_cell_value(handle, row, column, &value);
                got != FREEXL_OK) {
                sheet.status = LibraryFailure("cannot read a cell of sheet " + name, got);
                sheet.cells.clear();
                return sheet;
            }
            std::string text;
            switch (value.type) {
                case FREEXL_CELL_INT:
                    text = std::to_string(value.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    text = NumberText(value.value.double_value);
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    text = ValidUtf8(value.value.text_value ? value.value.text_value : "");
                    break;
                default:
                    continue;
            }
            if (text.empty()) continue;
            if (sheet.cells.size() >= MAX_SHEET_CELLS) {
                sheet.status = ExchangeStatus::Failure(
                    ExchangeError::TooLarge, "xls: sheet " + name + " has too many cells");
                sheet.cells.clear();
                return sheet;
            }
            sheet.cells.push_back({row + 1, column + 1u, std::move(text)});
        }
    }
    return sheet;
}

XlsContent ReadWithFreeXL(const std::string& path) {
    XlsContent content;
    const void* handle = nullptr;
    const int opened = freexl_open(path.c_str(), &handle);
    // Some damaged string tables make FreeXL report success without a handle.
    if (opened != FREEXL_OK || !handle) {
        content.status = LibraryFailure("cannot open the workbook",
                                        opened != FREEXL_OK ? opened : FREEXL_NULL_HANDLE);
        if (handle) freexl_close(handle);
        return content;
    }
    unsigned int info = 0;
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED) {
        content.status =
            ExchangeStatus::Failure(ExchangeError::Damaged, "xls: the workbook is encrypted");
    } else if (const int got = freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count);
               got != FREEXL_OK) {
        content.status = LibraryFailure("no sheet list", got);
    } else {
        for (unsigned int k = 0; k < count && k <= 0xFFFF; ++k) {
            const char* name = nullptr;
            if (const int named =
                    freexl_get_worksheet_name(handle, static_cast<unsigned short>(k), &name);
                named != FREEXL_OK) {
                content.status = LibraryFailure("no sheet name", named);
                content.names.clear();
                break;
            }
            content.names.push_back(ValidUtf8(name ? name : ""));
        }
        for (std::size_t k = 0; content.status.Ok() && k < content.names.size(); ++k) {
            content.sheets.push_back(
                ReadSheet(handle, static_cast<unsigned short>(k), content.names[k]));
        }
    }
    freexl_close(handle);
    return content;
}

// The content travels from the child as length-prefixed fields.
class ContentWriter {
  public:
    void Number(uint32_t value) {
        out_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void Text(const std::string& text) {
        Number(static_cast<uint32_t>(text.size()));
        out_ += text;
    }
    void Status(const ExchangeStatus& status) {
        Number(static_cast<uint32_t>(status.code));
        Text(status.detail);
    }
    const std::string& Bytes() const { return out_; }

  private:
    std::string out_;
};

class ContentReader {
  public:
    explicit ContentReader(const std::string& in) : in_(in) {}
    bool Ok() const { return ok_; }
    uint32_t Number() {
        uint32_t value = 0;
        if (!Take(sizeof value)) return 0;
        std::memcpy(&value, in_.data() + at_ - sizeof value, sizeof value);
        return value;
    }
    std::string Text() {
        const uint32_t size = Number();
        return Take(size) ? in_.substr(at_ - size, size) : std::string();
    }
    ExchangeStatus Status() {
        const uint32_t code = Number();
        std::string detail = Text();
        if (code > static_cast<uint32_t>(ExchangeError::MissingColumn)) ok_ = false;
        return {static_cast<ExchangeError>(code), std::move(detail)};
    }
    bool AtEnd() const { return at_ == in_.size(); }

  private:
    bool Take(std::size_t size) {
        if (!ok_ || in_.size() - at_ < size) return ok_ = false;
        at_ += size;
        return true;
    }
    const std::string& in_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

std::string Encode(const XlsContent& content) {
    ContentWriter out;
    out.Status(content.status);
    out.Number(static_cast<uint32_t>(content.names.size()));
    for (const std::string& name : content.names) out.Text(name);
    out.Number(static_cast<uint32_t>(content.sheets.size()));
    for (const XlsSource::Sheet& sheet : content.sheets) {
        out.Status(sheet.status);
        out.Number(static_cast<uint32_t>(sheet.cells.size()));
        for (const XlsSource::Cell& cell : sheet.cells) {
            out.Number(cell.row);
            out.Number(cell.column);
            out.Text(cell.text);
        }
    }
    return out.Bytes();
}

bool Decode(const std::string& bytes, XlsContent& content) {
    ContentReader in(bytes);
    content.status = in.Status();
    const uint32_t names = in.Number();
    for (uint32_t k = 0; in.Ok() && k < names; ++k) content.names.push_back(in.Text());
    const uint32_t sheets = in.Number();
    for (uint32_t k = 0; in.Ok() && k < sheets; ++k) {
        XlsSource::Sheet sheet;
        sheet.status = in.Status();
        const uint32_t cells = in.Number();
        for (uint32_t c = 0; in.Ok() && c < cells; ++c) {
            XlsSource::Cell cell;
            cell.row = in.Number();
            cell.column = in.Number();
            cell.text = in.Text();
            sheet.cells.push_back(std::move(cell));
        }
        content.sheets.push_back(std::move(sheet));
    }
    return in.Ok() && in.AtEnd() &&
           (!content.status.Ok() || content.sheets.size() == content.names.size());
}

// Longer than any honest file takes: FreeXL reads a sheet within its declared size limit in well
// under a second.
constexpr int kReaderSeconds = 30;

// The path FreeXL opens in the child: a memory file holding the bytes that were checked, so that
// a file changed on disk meanwhile cannot slip past the checks; the file's own path where the
// system has no memory files.
std::string CheckedBytesPath(const std::string& path, const std::vector<uint8_t>& bytes) {
    const int fd = ::memfd_create("q36-xls", 0);
    if (fd < 0) return path;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ::close(fd);
            return path;
        }
        done += static_cast<std::size_t>(n);
    }
    return "/proc/self/fd/" + std::to_string(fd);
}

// Runs the container check and ReadWithFreeXL in a child process and takes its answer.
ExchangeStatus ReadInChild(const std::string& path, const std::vector<uint8_t>& bytes,
                           XlsContent& content) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        return ExchangeStatus::Failure(ExchangeError::CannotOpen, "xls: " + SystemErrorText(errno));
    }
    const pid_t child = ::fork();
    if (child < 0) {
        const int err = errno;
        ::close(fds[0]);
        ::close(fds[1]);
        return ExchangeStatus::Failure(ExchangeError::CannotOpen, "xls: " + SystemErrorText(err));
    }
    if (child == 0) {
        // A crash ends the child by its signal; nothing of the parent's runs here but the reader.
        for (const int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
            std::signal(signal, SIG_DFL);
        ::close(fds[0]);
        // The container is taken apart here too: libgsf leaks, and may worse, on some damaged
        // directories, and none of that may reach the program.
        XlsContent read;
        if (ExchangeStatus areas = CheckDeclaredAreas(bytes); !areas.Ok()) {
            read.status = std::move(areas);
        } else {
            read = ReadWithFreeXL(CheckedBytesPath(path, bytes));
        }
        const std::string answer = Encode(read);
        std::size_t done = 0;
        while (done < answer.size()) {
            const ssize_t n = ::write(fds[1], answer.data() + done, answer.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) ::_exit(1);
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string answer;
    bool timedOut = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kReaderSeconds);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;  // the deadline is checked above
        char buffer[65536];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        answer.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    if (timedOut) ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut) {
        return ExchangeStatus::Failure(ExchangeError::Damaged, "xls: the reader did not finish");
    }
    if (WIFSIGNALED(status)) {
        return ExchangeStatus::Failure(ExchangeError::Damaged,
                                       "xls: the reader broke down on the file (signal " +
                                           std::to_string(WTERMSIG(status)) + ")");
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !Decode(answer, content)) {
        return ExchangeStatus::Failure(ExchangeError::Damaged,
                                       "xls: the reader broke down on the file");
    }
    return ExchangeStatus::Success();
}

}  // namespace

ExchangeStatus XlsSource::Open(const std::string& path, const std::vector<uint8_t>& bytes) {
    XlsContent content;
    if (auto status = ReadInChild(path, bytes, content); !status.Ok()) return status;
    if (!content.status.Ok()) return content.status;
    names_ = std::move(content.names);
    sheets_ = std::move(content.sheets);
    return ExchangeStatus::Success();
}

ExchangeStatus XlsSource::ReadSheetCells(std::size_t index, SheetCells& cells) {
    cells = SheetCells();
    if (index >= sheets_.size()) {
        return ExchangeStatus::Failure(ExchangeError::Damaged,
                                       "xls: no sheet " + std::to_string(index + 1));
    }
    const Sheet& sheet = sheets_[index];
    if (!sheet.status.Ok()) return sheet.status;
    for (const Cell& cell : sheet.cells) cells.Add(cell.row, cell.column, cell.text);
    cells.Finish();
    return ExchangeStatus::Success();
}

}  // namespace q36::exchange
