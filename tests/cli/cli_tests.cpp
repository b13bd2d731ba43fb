// q36cli as a dealer runs it: separate processes for the tool and the virtual radio, a real
// pseudo-terminal between them, workbooks checked with the project's reader and with openpyxl.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_process.h"
#include "codec/change_words.h"
#include "codec/channel_block.h"
#include "codec/channel_fields.h"
#include "codec/frequency.h"
#include "exchange/chirp_csv.h"
#include "exchange/chirp_csv_texts.h"
#include "exchange/configuration_reader.h"
#include "exchange/exchange_texts.h"
#include "protocol/frame.h"
#include "protocol/image_configuration.h"
#include "protocol/radio_image.h"
#include "runner/connection_texts.h"
#include "store/database_location.h"
#include "text/language.h"
#include "text/text_pairs.h"

namespace q36::test {
namespace {

// A radio memory unlike the defaults: tones, powers, a disabled channel, scan lists.
RadioImage VariedImage() {
    RadioImage image = DefaultRadioImage(400, 440);
    DataBlock& ch4 = image.Block(BLOCK_CHANNEL, 3);
    ch4[9] = 0x1B;   // enabled, scan add, narrow, CTCSS receive tone
    ch4[10] = 8;     // 88.5
    ch4[11] = 0x36;  // VOX, low power, DCS- transmit tone
    ch4[12] = 82;    // 754
    image.Block(BLOCK_CHANNEL, 9) = DataBlock{BLOCK_CHANNEL, 9, 24};  // disabled
    image.Block(BLOCK_SCAN, 1)[3] = 0x02;                             // list 2 slot 1: CH03
    return image;
}

// The channel rows a reset store holds after reading the image, as texts in column order.
std::vector<std::array<std::string, 14>> ExpectedChannels(const RadioImage& image) {
    std::vector<std::array<std::string, 14>> rows;
    for (int i = 0; i < 24; ++i) {
        ChannelResult row{
            ChannelKey(i + 1), "True", "True", "400", "NULL", "", "高", "440", "NULL", "", 4, "宽",
            "不添加",          "关"};
        ApplyChannelUpdate(
            row, DecodeChannelFrame(BuildFrame(CMD_READ_DATA, image.Block(BLOCK_CHANNEL, i)),
                                    LANGUAGE_CHINESE));
        rows.push_back({row.CHANNELNO, row.ENABLED, row.VOX, row.FTX, row.FTONE, row.SDATA,
                        row.TXPOWER, row.REFREQUENCY, row.RETONE, row.REDATA,
                        std::to_string(row.LEVEL), row.BW, row.ADDSCAN, row.BUSY});
    }
    return rows;
}

uint32_t UnitsOf(const std::string& text) {
    const auto value = ParseDecimalText(text);
    return value ? FrequencyUnitsLow24(*value) : 0xFFFFFFFF;
}

void ExpectSameChannel(const std::array<std::string, 14>& expected,
                       const std::vector<std::string>& got, const std::string& where) {
    ASSERT_EQ(got.size(), 14u) << where;
    for (std::size_t c = 0; c < 14; ++c) {
        if (c == 3 || c == 7) {
            EXPECT_EQ(UnitsOf(got[c]), UnitsOf(expected[c]))
                << where << " column " << c << ": " << got[c];
        } else {
            EXPECT_EQ(got[c], expected[c]) << where << " column " << c;
        }
    }
}

constexpr const char* kBand = "400-440";

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

struct CliTest : ::testing::Test {
    static inline ScratchFolder* shared = nullptr;
    static inline std::string workbook;  // read from VariedImage() once for the suite

    static void SetUpTestSuite() {
        shared = new ScratchFolder;
        const std::string image = shared->File("radio.img");
        ASSERT_TRUE(SaveImageFile(image, VariedImage()));
        RadioProcess radio;
        ASSERT_TRUE(radio.Start({"--image", image}));
        workbook = shared->File("radio.xlsx");
        const ProcessResult read =
            RunQ36cli({"read", "--port", radio.Port(), "--band", kBand, "--out", workbook});
        ASSERT_EQ(read.exitCode, 0) << read.err;
        EXPECT_NE(read.err.find(txt::MsgReadDone.zh), std::string::npos) << read.err;
        EXPECT_NE(read.err.find(txt::MsgFileSaved.zh), std::string::npos) << read.err;
        EXPECT_TRUE(read.out.empty()) << "stdout is for requested data only: " << read.out;
    }
    static void TearDownTestSuite() {
        delete shared;
        shared = nullptr;
    }

    ScratchFolder folder;

    // A copy of the suite's workbook whose channel sheet `ws` the Python statements change through
    // openpyxl, as a spreadsheet program would.
    std::string EditedWorkbook(const std::string& edits) {
        const std::string path = folder.File("edited.xlsx");
        std::string error;
        const auto done =
            RunPython("import openpyxl\nwb = openpyxl.load_workbook('" + workbook +
                          "')\nws = wb['信道参数']\n" + edits + "\nwb.save('" + path + "')\n",
                      &error);
        EXPECT_TRUE(done) << error;
        return path;
    }
};

TEST_F(CliTest, ReadWritesTheRadioIntoTheWorkbookAsBothReadersSeeIt) {
    const auto expected = ExpectedChannels(VariedImage());

    Configuration read = BlankConfiguration();
    const auto check = exchange::ReadConfigurationWorkbook(workbook, {400, 440}, read);
    ASSERT_TRUE(check.Ok()) << check.status.detail;
    for (std::size_t i = 0; i < 24; ++i) {
        std::vector<std::string> texts;
        for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k)
            texts.push_back(ChannelFieldText(read.channels[i], k));
        ExpectSameChannel(expected[i], texts, "own reader, row " + std::to_string(i));
    }
    EXPECT_EQ(read.scans.at(1).slots.at(0), "CH03");

    std::string error;
    const auto text = RunPython(
        "import openpyxl\nws = openpyxl.load_workbook('" + workbook +
            "')['信道参数']\n"
            "for row in ws.iter_rows(min_row=2, max_row=25, max_col=14, values_only=True):\n"
            "    print('|'.join('' if v is None else (repr(v) if isinstance(v, float) else str(v)) "
            "for v in row))\n",
        &error);
    ASSERT_TRUE(text) << error;
    std::istringstream lines(*text);
    std::string line;
    for (std::size_t i = 0; i < 24 && std::getline(lines, line); ++i) {
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (std::size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1) {
            cells.push_back(line.substr(start, bar - start));
        }
        cells.push_back(line.substr(start));
        ExpectSameChannel(expected[i], cells, "openpyxl, row " + std::to_string(i));
    }
}

TEST_F(CliTest, WriteTakesAnEditedWorkbookOfEitherLanguageIntoTheRadio) {
    // Keys turned into numbers, and an English run given the Chinese workbook.
    const std::string edited =
        EditedWorkbook("ws['D8'] = 435.0125\nfor r in range(2, 26): ws.cell(r, 1).value = r - 1");
    const std::string image = folder.File("target.img");
    RadioProcess radio;
    ASSERT_TRUE(radio.Start({"--image", image}));
    const ProcessResult write = RunQ36cli(
        {"write", "--port", radio.Port(), "--band", kBand, "--lang", "en", "--in", edited});
    ASSERT_EQ(write.exitCode, 0) << write.err;
    EXPECT_NE(write.err.find(Tr(exchange::texts::WorkbookInChinese, 1)), std::string::npos)
        << write.err;
    EXPECT_NE(write.err.find(PrintedText(txt::MsgWriteDone, LANGUAGE_ENGLISH)), std::string::npos);
    radio.Stop();
    const auto written = LoadImageFile(image);
    ASSERT_TRUE(written);
    const DataBlock& ch7 = written->Block(BLOCK_CHANNEL, 6);
    EXPECT_EQ(GetUnits24(&ch7[channel_layout::TxFrequency]), 435.0125 * 8000);
    // Everything else is the read radio's memory, unchanged by the trip through the workbook.
    const RadioImage original = VariedImage();
    for (int i = 0; i < 24; ++i) {
        if (i != 6 && i != 9) {
            EXPECT_EQ(written->Block(BLOCK_CHANNEL, i), original.Block(BLOCK_CHANNEL, i)) << i;
        }
    }
    EXPECT_EQ(written->Block(BLOCK_SCAN, 1), original.Block(BLOCK_SCAN, 1));
}

TEST_F(CliTest, WriteAndReadTakeAChirpCsvNamingWhatItLeavesOut) {
    const std::string fixture = Q36_FIXTURES_DIR "/chirp_tones.csv";
    const std::string image = folder.File("csv.img");
    RadioProcess radio;
    ASSERT_TRUE(radio.Start({"--image", image}));
    const ProcessResult write = RunQ36cli(
        {"write", "--port", radio.Port(), "--band", kBand, "--no-backup", "--in", fixture});
    ASSERT_EQ(write.exitCode, 0) << write.err;
    for (const TextPair* said : {&exchange::csvtxt::DroppedLocations, &exchange::csvtxt::RefuseDcs})
        EXPECT_NE(write.err.find(said->zh), std::string::npos) << write.err;
    const std::string csv = folder.File("back.CSV");
    const ProcessResult read =
        RunQ36cli({"read", "--port", radio.Port(), "--band", kBand, "--out", csv});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    EXPECT_NE(read.err.find(exchange::csvtxt::NotHeld.zh), std::string::npos) << read.err;
    radio.Stop();
    // The radio holds every row the file gives a channel, and the CSV read back gives them again.
    const auto written = LoadImageFile(image);
    ASSERT_TRUE(written);
    const Configuration held = DecodeImage(*written, RunSettings{});
    for (const std::string& file : {fixture, csv}) {
        const auto again = exchange::ReadChirpCsvFile(file, held, 400, 440, LANGUAGE_CHINESE);
        EXPECT_EQ(again.channelsRead, file == csv ? 24 : 12) << file;
        EXPECT_TRUE(Diff(held, again.configuration, LANGUAGE_CHINESE).empty()) << file;
    }
    EXPECT_EQ(held.channels[9].FTONE + held.channels[9].SDATA, "DCS-31");
}

TEST_F(CliTest, DiffListsExactlyTheChangeBetweenWorkbooksImagesAndItsExitSaysWhether) {
    const std::string image = shared->File("radio.img");
    for (const std::string& other : {workbook, image}) {
        const ProcessResult same = RunQ36cli({"diff", workbook, other});
        EXPECT_EQ(same.exitCode, 0) << other << ": " << same.out << same.err;
        EXPECT_EQ(same.out, "") << other;
    }
    const std::string edited = EditedWorkbook("ws['D8'] = 435.0125");
    const std::string before = DecodeImage(VariedImage(), RunSettings{}).channels[6].FTX;
    const FieldChange change{FieldChange::Part::Channel, 7, "FTX", before, "435.0125"};
    const ProcessResult words = RunQ36cli({"diff", workbook, edited});
    EXPECT_EQ(words.exitCode, 1) << words.err;
    EXPECT_EQ(words.out, DescribeChange(change, workbook, edited, LANGUAGE_CHINESE) + "\n");
    const ProcessResult json = RunQ36cli({"diff", image, edited, "--json", "--lang", "en"});
    EXPECT_EQ(json.exitCode, 1) << json.err;
    EXPECT_EQ(json.out,
              "[\n {\"part\": \"channel\", \"number\": 7, \"column\": \"FTX\", \"a\": \"" + before +
                  "\", \"b\": \"435.0125\"}\n]\n");
    std::ofstream(folder.File("notes.txt")) << "neither a workbook nor an image";
    EXPECT_EQ(RunQ36cli({"diff", workbook, folder.File("notes.txt")}).exitCode, 7);
    EXPECT_EQ(RunQ36cli({"diff", workbook, "radio:/dev/null"}).exitCode, 2);  // no --band
}

TEST_F(CliTest, SafeWriteKeepsTheRadioBeforeItChecksItAfterAndLogsEachStage) {
    const std::vector<std::string> env{"XDG_DATA_HOME=" + folder.File("data")};
    const std::string backups = folder.File("data/q36cps/backups");
    const std::string image = folder.File("target.img");
    ASSERT_TRUE(SaveImageFile(image, DefaultRadioImage(400, 440)));
    {  // The radio keeps channel 8 other than written: the check names it and exits 8.
        RadioProcess radio;
        ASSERT_TRUE(radio.Start({"--image", image, "--fault", "alter=2:7"}));
        const ProcessResult write =
            RunQ36cli({"write", "--port", radio.Port(), "--band", kBand, "--trace",
                       folder.File("trace.tsv"), "--in", workbook},
                      std::chrono::seconds(60), env);
        EXPECT_EQ(write.exitCode, 8) << write.err;
        EXPECT_NE(write.err.find(Fill(Tr(txt::MsgVerifyDiffers, 0), "{count}", "1")),
                  std::string::npos)
            << write.err;
        EXPECT_NE(write.err.find("信道 8 接收频率"), std::string::npos) << write.err;
    }
    // The backup holds the radio's memory before the write, as image and as workbook.
    std::vector<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(backups))
        kept.push_back(entry.path().filename().string());
    std::sort(kept.begin(), kept.end());
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_TRUE(kept[0].ends_with("_400-440_fw1.0.3.img")) << kept[0];
    EXPECT_EQ(LoadImageFile(backups + "/" + kept[0]), DefaultRadioImage(400, 440));
    EXPECT_TRUE(kept[1].ends_with("_400-440_fw1.0.3.xlsx")) << kept[1];
    // The trace has the 30 written blocks among its frames.
    const std::vector<std::string> trace = ReadLines(folder.File("trace.tsv"));
    EXPECT_EQ(std::count_if(trace.begin(), trace.end(),
                            [](const std::string& l) {
                                return l.find("\tsent\tframe\tC4 D7 94 23") != std::string::npos;
                            }),
              30);
    {  // A backup read that fails sends no write block.
        RadioProcess radio;
        const std::string log = folder.File("radio.log");
        ASSERT_TRUE(radio.Start({"--image", image, "--log", log, "--fault", "corrupt=2:3"}));
        const ProcessResult write =
            RunQ36cli({"write", "--port", radio.Port(), "--band", kBand, "--in", workbook},
                      std::chrono::seconds(60), env);
        EXPECT_EQ(write.exitCode, 1) << write.err;
        EXPECT_NE(write.err.find(Tr(txt::MsgBackupFailed, 0)), std::string::npos) << write.err;
        radio.Stop();
        for (const std::string& frame : ReadLines(log))
            EXPECT_NE(frame.substr(0, 8), "C4 D7 94") << frame;
    }
    const ProcessResult log = RunQ36cli({"log"}, std::chrono::seconds(10), env);
    std::vector<std::string> stages;
    std::istringstream lines(log.out);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> cells;
        for (std::size_t at = 0, tab; at <= line.size(); at = tab + 1) {
            tab = std::min(line.find('\t', at), line.size());
            cells.push_back(line.substr(at, tab - at));
        }
        if (cells.size() == 10) stages.push_back(cells[5] + " " + cells[6] + " " + cells[8]);
    }
    EXPECT_EQ(stages,
              (std::vector<std::string>{"direction result check", "backup done ", "write done ",
                                        "check done differs: 1", "backup bad-block "}));
}

TEST_F(CliTest, EachHandshakeRefusalExitsWithFourAndItsMessage) {
    const TextPair* messages[] = {&txt::MsgModelMismatch, &txt::MsgWrongPassword,
                                  &txt::MsgChecksumError, &txt::MsgUnknownHandshake};
    for (int status = 1; status <= 4; ++status) {
        RadioProcess radio;
        ASSERT_TRUE(radio.Start({"--fault", "handshake-status=" + std::to_string(status)}));
        const ProcessResult read = RunQ36cli(
            {"read", "--port", radio.Port(), "--band", kBand, "--out", folder.File("x.xlsx")});
        EXPECT_EQ(read.exitCode, 4) << read.err;
        EXPECT_NE(read.err.find(messages[status - 1]->zh), std::string::npos) << read.err;
    }
}

TEST_F(CliTest, FailuresExitWithTheirOwnCodes) {
    {  // a port another program holds
        RadioProcess radio;
        ASSERT_TRUE(radio.Start({}));
        const int held = ::open(radio.Port().c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(held, 0);
        ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
        const ProcessResult read = RunQ36cli(
            {"read", "--port", radio.Port(), "--band", kBand, "--out", folder.File("x.xlsx")});
        ::close(held);
        EXPECT_EQ(read.exitCode, 3) << read.err;
        EXPECT_NE(read.err.find(txt::MsgPortBusy.zh), std::string::npos) << read.err;
        EXPECT_NE(read.err.find(std::string(txt::MsgPortInUse.zh)), std::string::npos) << read.err;
    }
    {  // a radio that never answers
        RadioProcess radio;
        ASSERT_TRUE(radio.Start({"--fault", "silent-after=0"}));
        const ProcessResult read = RunQ36cli(
            {"read", "--port", radio.Port(), "--band", kBand, "--out", folder.File("x.xlsx")});
        EXPECT_EQ(read.exitCode, 5) << read.err;
        EXPECT_NE(read.err.find(txt::MsgResponseTimeout.zh), std::string::npos) << read.err;
        EXPECT_FALSE(std::filesystem::exists(folder.File("x.xlsx")));
    }
    {  // a workbook frequency outside the band: nothing is sent
        RadioProcess radio;
        const std::string image = folder.File("untouched.img");
        ASSERT_TRUE(radio.Start({"--image", image}));
        const ProcessResult write = RunQ36cli({"write", "--port", radio.Port(), "--band", kBand,
                                               "--in", EditedWorkbook("ws['D8'] = 300")});
        EXPECT_EQ(write.exitCode, 6) << write.err;
        EXPECT_NE(write.err.find(txt::MsgFreqError.zh), std::string::npos) << write.err;
        const ProcessResult tone =  // a CTCSS tone in no entry of the table
            RunQ36cli({"write", "--port", radio.Port(), "--band", kBand, "--in",
                       EditedWorkbook("ws['J5'] = 88.6")});
        EXPECT_EQ(tone.exitCode, 6) << tone.err;
        EXPECT_NE(tone.err.find(Tr(txt::MsgToneNotInTable, LANGUAGE_CHINESE)), std::string::npos)
            << tone.err;
        radio.Stop();
        EXPECT_FALSE(std::filesystem::exists(image)) << "the radio was written to";
    }
    {  // a damaged workbook
        std::ofstream(folder.File("damaged.xlsx")) << "PK\x03\x04 not really a workbook";
        const ProcessResult write = RunQ36cli(
            {"write", "--port", "/dev/null", "--band", kBand, "--in", folder.File("damaged.xlsx")});
        EXPECT_EQ(write.exitCode, 7) << write.err;
        EXPECT_NE(write.err.find(txt::MsgFileReadFailed.zh), std::string::npos) << write.err;
    }
    {  // a workbook that cannot be written: found out before anything is sent
        RadioProcess radio;
        const std::string log = folder.File("unsent.log");
        ASSERT_TRUE(radio.Start({"--log", log}));
        const ProcessResult read = RunQ36cli({"read", "--port", radio.Port(), "--band", kBand,
                                              "--out", folder.File("no/such/x.xlsx")});
        EXPECT_EQ(read.exitCode, 7) << read.err;
        EXPECT_NE(read.err.find(PrintedText(exchange::texts::SaveFailed, LANGUAGE_CHINESE)),
                  std::string::npos)
            << read.err;
        radio.Stop();
        EXPECT_TRUE(ReadLines(log).empty());
    }
    {  // bad usage; a link is never made over a file
        EXPECT_EQ(RunQ36cli({"read", "--port", "/dev/null", "--band", "123-456", "--out", "x.xlsx"})
                      .exitCode,
                  2);
        EXPECT_EQ(RunQ36cli({"read", "--bogus"}).exitCode, 2);
        EXPECT_EQ(RunQ36cli({"radio", "--fault", "noise=1"}).exitCode, 2);
        EXPECT_EQ(RunQ36cli({}).exitCode, 2);
        for (const char* password : {"KZPX", "AB", "口令"}) {
            EXPECT_EQ(RunQ36cli({"read", "--port", "/dev/null", "--band", kBand, "--password",
                                 password, "--out", "x.xlsx"})
                          .exitCode,
                      2)
                << password;
        }
        std::ofstream(folder.File("keep.txt")) << "mine";
        EXPECT_EQ(RunQ36cli({"radio", "--link", folder.File("keep.txt")}).exitCode, 2);
        EXPECT_TRUE(std::filesystem::is_regular_file(folder.File("keep.txt")));
    }
}

TEST_F(CliTest, HelpAndVersionAnswerOnStdout) {
    const std::vector<std::vector<std::string>> asks = {
        {"read", "--help"}, {"read", "-h"},       {"help", "read"}, {"write", "-h"},
        {"ports", "-h"},    {"radio", "--help"},  {"--help"},       {"--version"},
        {"info", "-h"},     {"doctor", "--help"}, {"diff", "-h"}};
    for (const auto& ask : asks) {
        const ProcessResult help = RunQ36cli(ask);
        EXPECT_EQ(help.exitCode, 0) << ask[0] << " " << help.err;
        EXPECT_EQ(help.out.rfind(ask[0] == "--version" ? "q36cli 1." : "usage: q36cli", 0), 0u)
            << help.out;
        // The version's second line names the database the subcommands start from.
        if (ask[0] == "--version") {
            const std::string line = Tr(q36::texts::DatabaseBesideProgram, LANGUAGE_CHINESE);
            EXPECT_NE(help.out.find(line.substr(0, line.find('{'))), std::string::npos);
        }
    }
}

TEST_F(CliTest, LastFramesGoOutWholeAndASignalEndsARunSayingWhatTheRadioHolds) {
    const std::string ack = "C4 D7 80 01 00 81 04 04 04";
    {  // the final acknowledgement of a read without scan lists, run after run
        RadioProcess radio;
        const std::string log = folder.File("reads.log");
        ASSERT_TRUE(radio.Start({"--no-scan-list", "--firmware", "2.0.1", "--log", log}));
        for (int run = 0; run < 3; ++run) {
            const ProcessResult read =
                RunQ36cli({"read", "--port", radio.Port(), "--band", kBand, "--no-scan-list",
                           "--out", folder.File("r.xlsx")});
            ASSERT_EQ(read.exitCode, 0) << read.err;
            EXPECT_NE(read.err.find("2.0.1"), std::string::npos) << read.err;
        }
        radio.Stop();
        const std::vector<std::string> lines = ReadLines(log);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), ack), 3 * 24);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), ack);
    }
    const std::string tmp = folder.File("tmp");
    std::filesystem::create_directory(tmp);
    {  // Ctrl-C in a write: the block under way goes out whole, the tool says what the radio holds
        RadioProcess radio;
        const std::string log = folder.File("write.log");
        ASSERT_TRUE(radio.Start({"--pace", "--version", "1.0.3", "--log", log}));
        const ProcessResult write = RunQ36cli(
            {"write", "--port", radio.Port(), "--band", kBand, "--no-backup", "--in", workbook},
            std::chrono::seconds(30), {"TMPDIR=" + tmp},
            Interruption{std::chrono::milliseconds(1500), SIGINT});
        EXPECT_EQ(write.exitCode, 130) << write.err;
        radio.Stop();
        // The handshake, the common block and the channels; the last one has no answer yet.
        const int channels = int(ReadLines(log).size()) - 2;
        ASSERT_GE(channels, 3) << write.err;
        const std::string held = "公共参数和信道 1-" + std::to_string(channels - 1) + "（信道 " +
                                 std::to_string(channels) + "已发出";
        EXPECT_NE(write.err.find(held), std::string::npos) << held << " in " << write.err;
    }
    {  // SIGTERM in a read: no workbook
        RadioProcess radio;
        ASSERT_TRUE(radio.Start({"--pace"}));
        const ProcessResult read = RunQ36cli(
            {"read", "--port", radio.Port(), "--band", kBand, "--out", folder.File("t.xlsx")},
            std::chrono::seconds(30), {"TMPDIR=" + tmp},
            Interruption{std::chrono::milliseconds(1000), SIGTERM});
        EXPECT_EQ(read.exitCode, 143) << read.err;
        EXPECT_NE(read.err.find(std::string(txt::MsgStoppedRead.zh)), std::string::npos)
            << read.err;
        EXPECT_FALSE(std::filesystem::exists(folder.File("t.xlsx")));
    }
    EXPECT_TRUE(std::filesystem::is_empty(tmp)) << "a working copy was left behind";
    {  // a reader of the output that goes away ends nothing
        RadioProcess radio;
        ASSERT_TRUE(radio.Start({}));
        const std::string command = "set -o pipefail; '" + Q36cliPath() + "' read --port " +
                                    radio.Port() + " --band " + kBand + " --out '" +
                                    folder.File("p.xlsx") +
                                    "' 2>&1 | head -c 0; exit \\${PIPESTATUS[0]}";
        const int status = std::system(("bash -c \"" + command + "\"").c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_TRUE(std::filesystem::exists(folder.File("p.xlsx")));
    }
}

TEST_F(CliTest, EnglishRunPrintsTheEnglishTexts) {
    RadioProcess radio;
    ASSERT_TRUE(radio.Start({"--band", "136-174", "--no-scan-list"}));
    const ProcessResult read =
        RunQ36cli({"read", "--port", radio.Port(), "--band", "136-174", "--no-scan-list", "--lang",
                   "en", "--out", folder.File("en.xls")});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    EXPECT_NE(read.err.find(txt::MsgReadDone.en), std::string::npos) << read.err;
    EXPECT_NE(read.err.find(txt::MsgFileSaved.en), std::string::npos) << read.err;
    std::string error;
    const auto sheets = RunPython(
        "import xlrd\nprint(xlrd.open_workbook('" + folder.File("en.xls") + "').sheet_names())\n",
        &error);
    ASSERT_TRUE(sheets) << error;
    EXPECT_EQ(*sheets, "['CommonSettings', 'ChannelSettings', 'ScanList']\n");
}

TEST_F(CliTest, DoctorSaysWhatStandsInTheWayAndInfoWhatTheRadioAnswers) {
    namespace texts = connection::texts;
    const auto said = [](const ProcessResult& run, const TextPair& pair) {
        return run.out.find(Tr(pair, LANGUAGE_CHINESE)) != std::string::npos;
    };
    const ProcessResult missing = RunQ36cli({"doctor", "--port", "/dev/q36-missing"});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_TRUE(said(missing, texts::DeviceMissing)) << missing.out;
    EXPECT_FALSE(said(missing, texts::DeviceExists)) << missing.out;

    RadioProcess radio;
    const std::string link = folder.File("cable");
    ASSERT_TRUE(radio.Start({"--link", link}));
    const ProcessResult free = RunQ36cli({"doctor", "--port", link});
    EXPECT_EQ(free.exitCode, 0) << free.out;
    EXPECT_EQ(std::count(free.out.begin(), free.out.end(), '\n'), 6) << free.out;
    EXPECT_EQ(free.out.find(Tr(texts::MarkFailed, LANGUAGE_CHINESE)), std::string::npos);
    EXPECT_TRUE(said(free, texts::NotHeld) && free.out.find("1.0.3") != std::string::npos)
        << free.out;
    const ProcessResult info = RunQ36cli({"info", "--port", link, "--band", kBand});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out.rfind(std::string(txt::TxtFirmware.zh) + " 1.0.3\n", 0), 0u) << info.out;
    EXPECT_TRUE(said(info, texts::InfoAccepted)) << info.out;

    const pid_t holder = ::fork();  // another program with the port open, and no lock
    if (holder == 0) {
        if (::open(radio.Port().c_str(), O_RDWR | O_NOCTTY) >= 0) ::pause();
        ::_exit(1);
    }
    ASSERT_GT(holder, 0);
    ProcessResult held;
    for (int tries = 0; tries < 50 && held.exitCode != 3; ++tries)
        held = RunQ36cli({"doctor", "--port", link});
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_EQ(held.exitCode, 3) << held.out;
    EXPECT_NE(held.out.find("PID " + std::to_string(holder) + " (cli_tests)"), std::string::npos)
        << held.out;
    EXPECT_FALSE(said(held, texts::Opens)) << "a held port is not opened: " << held.out;
}

TEST_F(CliTest, PortsListsTheChosenPathsAndSkipsMissingOnes) {
    RadioProcess radio;
    ASSERT_TRUE(radio.Start({}));
    const ProcessResult ports = RunQ36cli({"ports"}, std::chrono::seconds(5),
                                          {"Q36_PORTS=/dev/q36-missing:" + radio.Port()});
    EXPECT_EQ(ports.exitCode, 0);
    EXPECT_EQ(ports.out, radio.Port() + "\n");
}

}  // namespace
}  // namespace q36::test
