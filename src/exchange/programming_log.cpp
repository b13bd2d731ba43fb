#include "programming_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "data_folder.h"

namespace q36::exchange {

namespace {

std::string Field(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

std::string LocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    return stamp;
}

}  // namespace

std::string ProgrammingLogPath() {
    return DataFolder() + "/programming-log.tsv";
}

std::string ProgrammingLogHeader() {
    return "time\tprogram\tport\tband\tfirmware\tdirection\tresult\tbackup\tcheck\tworkbook\n";
}

ExchangeStatus AppendProgrammingLog(const ProgrammingLogEntry& entry) {
    if (ExchangeStatus made = MakeFolders(DataFolder()); !made.ok()) return made;
    const std::string path = ProgrammingLogPath();
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return ExchangeStatus::Error(ExchangeError::CannotCreate,
                                     DetailWithPath(SystemErrorText(errno), path));
    }
    std::string line;
    if (::lseek(fd, 0, SEEK_END) == 0) line = ProgrammingLogHeader();
    line += LocalTime();
    for (const std::string* value :
         {&entry.program, &entry.port, &entry.band, &entry.firmware, &entry.direction,
          &entry.result, &entry.backup, &entry.check, &entry.workbook})
        line += "\t" + Field(*value);
    line += "\n";
    // One write of the whole line: two programs appending at once do not mix their lines.
    const ssize_t written = ::write(fd, line.data(), line.size());
    const int err = errno;
    ::close(fd);
    if (written != ssize_t(line.size())) {
        return ExchangeStatus::Error(ExchangeError::WriteFailed,
                                     DetailWithPath(SystemErrorText(err), path));
    }
    return ExchangeStatus::Ok();
}

ExchangeStatus AppendStages(const std::vector<StageRecord>& records,
                            const ProgrammingLogEntry& base, const std::string& backupFile) {
    static constexpr const char* kDirections[] = {"read", "backup", "write", "check"};
    for (const StageRecord& record : records) {
        ProgrammingLogEntry entry = base;
        entry.direction = kDirections[int(record.stage)];
        entry.result = record.result;
        entry.backup = record.stage == WriteStage::Backup ? backupFile : std::string();
        entry.check = record.check;
        if (ExchangeStatus kept = AppendProgrammingLog(entry); !kept.ok()) return kept;
    }
    return ExchangeStatus::Ok();
}

}  // namespace q36::exchange
