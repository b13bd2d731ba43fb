// Saving replaces a file only with a complete new one: a failed save leaves the old file as it
// was and nothing else behind, and says why with the system's words and the path.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "exchange/configuration_sheets.h"
#include "exchange/workbook_file.h"
#include "exchange/workbook_source.h"
#include "exchange_test_support.h"

namespace q36::exchange {
namespace {

using testing::ReadFileBytes;
using testing::SampleConfiguration;
using testing::ScratchFolder;
using testing::WriteFileBytes;

class SaveWorkbookFile_ : public ::testing::TestWithParam<const char*> {
  protected:
    std::string Name() const { return std::string("archive.") + GetParam(); }
    const Workbook workbook_ = BuildConfigurationWorkbook(SampleConfiguration(), 0);
    ScratchFolder dir_;
};

TEST_P(SaveWorkbookFile_, ReplacesAnExistingFileAndKeepsItsPermissions) {
    const std::string path = dir_.File(Name());
    WriteFileBytes(path, "old archive");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    const ExchangeStatus status = SaveWorkbookFile(workbook_, path, LANGUAGE_CHINESE);
    ASSERT_TRUE(status.ok()) << status.detail;
    EXPECT_TRUE(OpenWorkbookFile(path, LANGUAGE_CHINESE).status.ok());
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{Name()});
}

TEST_P(SaveWorkbookFile_, WritesThroughASymbolicLinkToItsFile) {
    const std::string real = dir_.File("real." + std::string(GetParam()));
    WriteFileBytes(real, "old");
    ASSERT_EQ(symlink(real.c_str(), dir_.File(Name()).c_str()), 0);
    ASSERT_TRUE(SaveWorkbookFile(workbook_, dir_.File(Name()), LANGUAGE_CHINESE).ok());
    struct stat info {};
    ASSERT_EQ(lstat(dir_.File(Name()).c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_TRUE(OpenWorkbookFile(real, LANGUAGE_CHINESE).status.ok());
}

// Saves in a child process that runs as an unprivileged user when the tests run as root, who
// may write into any folder.
ExchangeStatus SaveUnprivileged(const Workbook& workbook, const std::string& path) {
    int fds[2];
    if (pipe(fds) != 0) return ExchangeStatus::Error(ExchangeError::WriteFailed, "pipe");
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        const ExchangeStatus status = SaveWorkbookFile(workbook, path, LANGUAGE_CHINESE);
        const std::string reply =
            std::to_string(static_cast<int>(status.code)) + "\n" + status.detail;
        if (write(fds[1], reply.data(), reply.size()) < 0) _exit(3);
        _exit(0);
    }
    close(fds[1]);
    std::string reply;
    char buffer[512];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        reply.append(buffer, std::size_t(n));
    close(fds[0]);
    int waitStatus = 0;
    waitpid(child, &waitStatus, 0);
    const auto newline = reply.find('\n');
    if (newline == std::string::npos)
        return ExchangeStatus::Error(ExchangeError::WriteFailed, "no reply");
    return ExchangeStatus::Error(static_cast<ExchangeError>(std::stoi(reply.substr(0, newline))),
                                 reply.substr(newline + 1));
}

TEST_P(SaveWorkbookFile_, FailureInAReadOnlyFolderLeavesTheOldFileAndSaysWhy) {
    const std::string path = dir_.File(Name());
    WriteFileBytes(path, "old archive");
    ASSERT_EQ(chmod(dir_.Path().c_str(), 0555), 0);
    const ExchangeStatus status = SaveUnprivileged(workbook_, path);
    chmod(dir_.Path().c_str(), 0755);
    EXPECT_EQ(status.code, ExchangeError::CannotCreate);
    EXPECT_EQ(status.detail, "Permission denied: " + path);
    EXPECT_EQ(ReadFileBytes(path), "old archive");
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{Name()});
}

TEST_P(SaveWorkbookFile_, FailureToRenameLeavesNoTemporaryFile) {
    // A folder where the file should go: the workbook is written, the rename refuses.
    const std::string path = dir_.File(Name());
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    WriteFileBytes(path + "/inside", "kept");
    const ExchangeStatus status = SaveWorkbookFile(workbook_, path, LANGUAGE_CHINESE);
    EXPECT_EQ(status.code, ExchangeError::WriteFailed);
    EXPECT_NE(status.detail.find("Is a directory"), std::string::npos) << status.detail;
    EXPECT_NE(status.detail.find(path), std::string::npos) << status.detail;
    EXPECT_EQ(ReadFileBytes(path + "/inside"), "kept");
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{Name()});
}

TEST_P(SaveWorkbookFile_, MissingFolderIsReportedWithThePath) {
    const std::string path = dir_.File("no/such/folder/" + Name());
    const ExchangeStatus status = SaveWorkbookFile(workbook_, path, LANGUAGE_CHINESE);
    EXPECT_EQ(status.code, ExchangeError::CannotCreate);
    EXPECT_EQ(status.detail, "No such file or directory: " + path);
}

TEST_P(SaveWorkbookFile_, WriteFailingHalfWayLeavesTheOldFile) {
    const std::string path = dir_.File(Name());
    WriteFileBytes(path, "old archive");
    // A file size limit makes every write past 2 KiB fail, as a full disk would.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 2048;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const ExchangeStatus status = SaveWorkbookFile(workbook_, path, LANGUAGE_CHINESE);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(status.code, ExchangeError::WriteFailed);
    EXPECT_NE(status.detail.find(path), std::string::npos) << status.detail;
    EXPECT_EQ(ReadFileBytes(path), "old archive");
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{Name()});
}

INSTANTIATE_TEST_SUITE_P(BothFormats, SaveWorkbookFile_, ::testing::Values("xlsx", "xls"));

}  // namespace
}  // namespace q36::exchange
