// q36cli when the port or the database fails under it: the cable pulled mid-transfer, the
// delivered database missing, damaged, write-protected or locked when the tool copies it, and its
// private working copy removed, damaged, made read-only or locked while a transfer runs. Each
// ends with a message and its exit code, and nothing is stored or written half.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_args.h"
#include "cli/cli_transfer.h"
#include "cli/working_store.h"
#include "cli_process.h"
#include "protocol/frame.h"
#include "store/store_transfer_data.h"
#include "store_checks.h"
#include "support/locking_process.h"
#include "support/radio_bench.h"
#include "support/radio_on_pty.h"
#include "text/text_pairs.h"

namespace q36::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// ---- The cable pulled during a transfer: q36cli and the virtual radio as separate processes.

TEST(CliPortVanishes, ReadExitsFiveWithNoAnswerAndWritesNoWorkbook) {
    ScratchFolder folder;
    RadioProcess radio;
    ASSERT_TRUE(radio.Start({"--fault", "hangup-after=14"}));
    const std::string out = folder.File("read.xlsx");
    const auto started = Clock::now();
    const ProcessResult read =
        RunQ36cli({"read", "--port", radio.Port(), "--band", "400-440", "--out", out});
    EXPECT_EQ(read.exitCode, cli::ExitNoAnswer) << read.err;
    EXPECT_TRUE(Contains(read.err, Tr(txt::MsgNoAnswer, LANGUAGE_CHINESE))) << read.err;
    EXPECT_LT(Clock::now() - started, 4s) << "the hangup, not the silence limit, ended the run";
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(CliPortVanishes, WriteExitsFiveAndTheRadioHoldsOnlyTheBlocksItReceived) {
    ScratchFolder folder;
    const std::string image = folder.File("radio.img");
    ASSERT_TRUE(SaveImageFile(image, DistinctImage()));
    // A workbook of the radio's own memory, then a radio that loses its cable after channel 12.
    const std::string workbook = folder.File("radio.xlsx");
    {
        RadioProcess source;
        ASSERT_TRUE(source.Start({"--image", image}));
        const ProcessResult read =
            RunQ36cli({"read", "--port", source.Port(), "--band", "400-440", "--out", workbook});
        ASSERT_EQ(read.exitCode, cli::ExitDone) << read.err;
    }
    const std::string target = folder.File("target.img");
    ASSERT_TRUE(SaveImageFile(target, DefaultRadioImage(400, 440)));
    RadioProcess radio;
    ASSERT_TRUE(radio.Start({"--image", target, "--fault", "hangup-after=14"}));
    const ProcessResult write = RunQ36cli({"write", "--port", radio.Port(), "--band", "400-440",
                                           "--no-backup", "--no-verify", "--in", workbook});
    EXPECT_EQ(write.exitCode, cli::ExitNoAnswer) << write.err;
    EXPECT_TRUE(Contains(write.err, Tr(txt::MsgNoAnswer, LANGUAGE_CHINESE))) << write.err;
    radio.Stop();
    const auto written = LoadImageFile(target);
    ASSERT_TRUE(written);
    const RadioImage source = DistinctImage(), untouched = DefaultRadioImage(400, 440);
    // The common block comes back as its page encodes it (the restart bit is not symmetric).
    CommonPage page;
    DecodeCommonFrame(BuildFrame(CMD_READ_DATA, source.Block(BLOCK_COMMON, 0)), true, page);
    EXPECT_EQ(written->Block(BLOCK_COMMON, 0), EncodeCommonBlock(page, true).value());
    for (int i = 0; i < CHANNEL_COUNT; ++i) {
        EXPECT_EQ(written->Block(BLOCK_CHANNEL, i),
                  (i < 12 ? source : untouched).Block(BLOCK_CHANNEL, i))
            << i;
    }
    for (int j = 0; j < SCAN_LIST_COUNT; ++j)
        EXPECT_EQ(written->Block(BLOCK_SCAN, j), untouched.Block(BLOCK_SCAN, j));
}

TEST(CliWorkingFolder, ATemporaryFolderThatIsNoFolderFallsBackToTmp) {
    // TMPDIR naming nothing once made the tool stop with an uncaught exception.
    ScratchFolder folder;
    RadioProcess radio;
    ASSERT_TRUE(radio.Start({}));
    const std::string out = folder.File("read.xlsx");
    const ProcessResult read =
        RunQ36cli({"read", "--port", radio.Port(), "--band", "400-440", "--out", out},
                  std::chrono::seconds(30), {"TMPDIR=/q36-no-such-folder"});
    EXPECT_EQ(read.exitCode, cli::ExitDone) << read.err;
    EXPECT_TRUE(std::filesystem::exists(out));
}

// ---- The delivered database, as q36cli finds it beside itself when it makes its working copy.

enum class Delivered { Missing, Garbage, Empty, ReadOnly, Locked };

struct DeliveredRow {
    const char* name;
    Delivered fault;
    int exitCode;
    std::string message;  // part of what the tool prints
};

class CliDeliveredDatabase : public ::testing::TestWithParam<DeliveredRow> {};

TEST_P(CliDeliveredDatabase, IsReportedWhenTheWorkingCopyIsMade) {
    const DeliveredRow& row = GetParam();
    // A program folder of its own: q36cli takes the database that lies beside it.
    ScratchFolder folder;
    const std::string program = folder.File("q36cli");
    const std::string delivered = folder.File("Q36DataBase.mdb");
    std::filesystem::copy_file(Q36cliPath(), program);
    std::filesystem::copy_file(ExecutableFolder() + "/Q36DataBase.mdb", delivered);
    const std::string before = ReadText(delivered);
    switch (row.fault) {
        case Delivered::Missing:
            std::filesystem::remove(delivered);
            break;
        case Delivered::Garbage:
            std::ofstream(delivered, std::ios::trunc) << "no database at all\n";
            break;
        case Delivered::Empty:
            std::ofstream(delivered, std::ios::trunc).close();
            break;
        case Delivered::ReadOnly:
            ::chmod(delivered.c_str(), 0444);
            break;
        case Delivered::Locked:
            break;
    }
    std::unique_ptr<LockingProcess> lock;
    if (row.fault == Delivered::Locked) {
        lock = std::make_unique<LockingProcess>(delivered);
        ASSERT_TRUE(lock->Held());
    }
    RadioProcess radio;
    ASSERT_TRUE(radio.Start({}));
    const std::string out = folder.File("read.xlsx"), err = folder.File("err");
    const std::string command = "timeout 60 " + program + " read --port " + radio.Port() +
                                " --band 400-440 --out " + out + " 2> " + err + " > /dev/null";
    const auto started = Clock::now();
    const int status = std::system(command.c_str());
    const auto took = Clock::now() - started;
    lock.reset();
    const std::string printed = ReadText(err);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), row.exitCode) << printed;
    EXPECT_TRUE(Contains(printed, row.message)) << printed;
    EXPECT_LT(took, 8s) << "a lock is waited out for the busy timeout only";
    if (row.exitCode == cli::ExitDone) {
        EXPECT_TRUE(std::filesystem::exists(out));
    } else {
        EXPECT_FALSE(std::filesystem::exists(out));
        if (row.fault != Delivered::Missing) {
            EXPECT_TRUE(Contains(printed, delivered)) << printed;
        }
    }
    // The tool only ever reads the delivered file.
    if (row.fault == Delivered::Locked || row.fault == Delivered::ReadOnly) {
        EXPECT_EQ(ReadText(delivered), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CliDeliveredDatabase,
    ::testing::Values(DeliveredRow{"Missing", Delivered::Missing, cli::ExitFailure,
                                   "unable to open database file"},
                      DeliveredRow{"Garbage", Delivered::Garbage, cli::ExitFailure,
                                   "file is not a database"},
                      DeliveredRow{"Empty", Delivered::Empty, cli::ExitFailure, "no such table"},
                      // Write protection is no obstacle: the working copy is the tool's own.
                      DeliveredRow{"ReadOnly", Delivered::ReadOnly, cli::ExitDone,
                                   Tr(txt::MsgReadDone, LANGUAGE_CHINESE)},
                      DeliveredRow{"LockedForTenSeconds", Delivered::Locked, cli::ExitFailure,
                                   "database is locked"}),
    [](const ::testing::TestParamInfo<DeliveredRow>& info) {
        return std::string(info.param.name);
    });

// ---- The private working copy, damaged while a transfer runs on it.

enum class Working { Removed, Garbage, ReadOnly, Locked };

// The command-line tool's host, with a fault done to its working copy just before the store is
// used for channel 6: as it is stored in a read, as its rows are loaded in a write.
class InjectingData : public StoreTransferData {
  public:
    InjectingData(Connection& connection, Working fault)
        : StoreTransferData(connection, LANGUAGE_CHINESE), connection_(connection), fault_(fault) {}

    // Where the working copy's content can still be read afterwards.
    std::string KeptPath() const { return kept_.empty() ? connection_.Path() : kept_; }

    StoreResult StoreChannel(const ChannelUpdate& update) override {
        if (update.channelNo == 6) Inject();
        return StoreTransferData::StoreChannel(update);
    }
    StoreResult LoadChannelRows(ChannelArr& rows) override {
        if (++loads_ == 6) Inject();
        return StoreTransferData::LoadChannelRows(rows);
    }

  private:
    void Inject() {
        if (injected_) return;
        injected_ = true;
        const std::string path = connection_.Path();
        switch (fault_) {
            case Working::Removed:
                // A second name keeps the content for the check afterwards.
                kept_ = path + ".kept";
                ASSERT_EQ(::link(path.c_str(), kept_.c_str()), 0);
                ASSERT_EQ(::unlink(path.c_str()), 0);
                break;
            case Working::Garbage: {
                const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
                ASSERT_GE(fd, 0);
                const char junk[] = "no database at all\n";
                ASSERT_EQ(::write(fd, junk, sizeof junk - 1), ssize_t(sizeof junk - 1));
                ::close(fd);
                break;
            }
            case Working::ReadOnly:
                // The engine's own refusal to write, as a write-protected file gives it; file
                // modes do not bind the superuser the tests may run as.
                ASSERT_TRUE(connection_.Execute("PRAGMA query_only=1").ok());
                break;
            case Working::Locked:
                lock_ = std::make_unique<LockingProcess>(path);
                ASSERT_TRUE(lock_->Held());
                break;
        }
    }

    Connection& connection_;
    Working fault_;
    bool injected_ = false;
    int loads_ = 0;
    std::string kept_;
    std::unique_ptr<LockingProcess> lock_;
};

struct WorkingRow {
    const char* name;
    cli::TransferKind kind;
    Working fault;
    int exitCode;
    std::vector<std::string> message;  // parts of what the tool prints
    Accepted accepted;                 // read: what the store holds; write: what the radio holds
    bool storeReadable = true;         // whether the working copy can be read afterwards
};

// What a transfer over the tool's own loop left behind.
struct FaultRun {
    int code = -1;
    std::string printed;
    StoreSnapshot before;  // the working copy before the transfer
    StoreSnapshot after;   // and after it, read through a connection of its own
    RadioImage image;      // the radio's memory afterwards
};

// Runs a transfer of kind between a fresh working store and a radio holding DistinctImage(),
// with fault done to the working copy on the way.
void RunWithFault(cli::TransferKind kind, Working fault, FaultRun& run) {
    RunSettings settings;
    settings.FactoryLock = 1;
    RadioOnPty served(DistinctImage());
    ASSERT_TRUE(served.Start());
    std::string error;

    cli::WorkingStore store;
    ASSERT_TRUE(store.Create(settings, error)) << error;
    run.before = ReadStore(store.connection().Path());
    char* printed = nullptr;
    std::size_t printedSize = 0;
    std::FILE* out = ::open_memstream(&printed, &printedSize);
    ASSERT_NE(out, nullptr);
    std::string kept;
    {
        cli::ProgressPrinter printer(out);
        InjectingData host(store.connection(), fault);
        EXPECT_TRUE(host.OpenQueries().ok());
        run.code = cli::RunTransfer(kind, {served.Path(), "KZP", "test.xlsx", "", {false, false}},
                                    settings, host, printer);
        // A block the store refused may stay pending in the query; the tool never posts it, as it
        // exits without saving, so only the file counts. The host lets go of any lock here.
        kept = host.KeptPath();
    }
    run.after = ReadStore(kept);
    std::fclose(out);
    run.printed.assign(printed, printedSize);
    std::free(printed);
    run.image = served.StoppedImage();
}

class CliWorkingStore : public ::testing::TestWithParam<WorkingRow> {
  protected:
};

TEST_P(CliWorkingStore, FaultEndsTheTransferWithNothingHalfStored) {
    const WorkingRow& row = GetParam();
    FaultRun run;
    ASSERT_NO_FATAL_FAILURE(RunWithFault(row.kind, row.fault, run));
    EXPECT_EQ(run.code, row.exitCode) << run.printed;
    for (const std::string& part : row.message) {
        EXPECT_TRUE(Contains(run.printed, part)) << part << " in " << run.printed;
    }
    if (row.kind == cli::TransferKind::Read) {
        ExpectReadStored(run.before, run.after, DistinctImage(), row.accepted);
    } else {
        // A store destroyed under the write cannot be compared; the radio still can.
        ExpectWritten(run.before, row.storeReadable ? run.after : run.before, DistinctImage(),
                      run.image, row.accepted);
    }
}

using cli::TransferKind;
const Accepted kFirstFive{true, 5, 0};

INSTANTIATE_TEST_SUITE_P(
    Faults, CliWorkingStore,
    ::testing::Values(
        // Reading: channel 6 cannot be stored, the radio is not acknowledged, no workbook follows.
        WorkingRow{"ReadRemoved",
                   TransferKind::Read,
                   Working::Removed,
                   cli::ExitFailure,
                   {Tr(txt::MsgReadFailed, LANGUAGE_CHINESE), "readonly database"},
                   kFirstFive},
        WorkingRow{"ReadReadOnly",
                   TransferKind::Read,
                   Working::ReadOnly,
                   cli::ExitFailure,
                   {Tr(txt::MsgReadFailed, LANGUAGE_CHINESE), "readonly database"},
                   kFirstFive},
        WorkingRow{"ReadLocked",
                   TransferKind::Read,
                   Working::Locked,
                   cli::ExitFailure,
                   {Tr(txt::MsgReadFailed, LANGUAGE_CHINESE), "database is locked"},
                   kFirstFive},
        // Writing: rows still readable are sent; a store that cannot be read stops the write.
        WorkingRow{"WriteRemoved",
                   TransferKind::Write,
                   Working::Removed,
                   cli::ExitDone,
                   {PrintedText(txt::MsgWriteDone, LANGUAGE_CHINESE)},
                   kEverything},
        WorkingRow{"WriteGarbage",
                   TransferKind::Write,
                   Working::Garbage,
                   cli::ExitFailure,
                   {Tr(txt::MsgNoAnswer, LANGUAGE_CHINESE), "not a database"},
                   kFirstFive,
                   false},
        WorkingRow{"WriteReadOnly",
                   TransferKind::Write,
                   Working::ReadOnly,
                   cli::ExitDone,
                   {PrintedText(txt::MsgWriteDone, LANGUAGE_CHINESE)},
                   kEverything},
        WorkingRow{"WriteLocked",
                   TransferKind::Write,
                   Working::Locked,
                   cli::ExitFailure,
                   {Tr(txt::MsgNoAnswer, LANGUAGE_CHINESE), "database is locked"},
                   kFirstFive}),
    [](const ::testing::TestParamInfo<WorkingRow>& info) { return std::string(info.param.name); });

TEST(CliWorkingStoreGarbage, ReadEndsWithTheEnginesMessage) {
    // The damaged copy holds nothing to compare, so only the ending is checked.
    FaultRun run;
    ASSERT_NO_FATAL_FAILURE(RunWithFault(cli::TransferKind::Read, Working::Garbage, run));
    EXPECT_EQ(run.code, cli::ExitFailure) << run.printed;
    EXPECT_TRUE(Contains(run.printed, Tr(txt::MsgReadFailed, LANGUAGE_CHINESE))) << run.printed;
    EXPECT_TRUE(Contains(run.printed, "not a database") || Contains(run.printed, "malformed"))
        << run.printed;
}

}  // namespace
}  // namespace q36::test
