// Whole transfers through the real serial port component and termios, against the virtual radio
// served on the master side of a pseudo-terminal.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "runner/transfer_runner.h"
#include "serial/queue_notice_receiver.h"
#include "serial/radio_link_settings.h"
#include "serial/tcomm.h"
#include "sim/pty_radio_server.h"
#include "support/radio_bench.h"
#include "text/text_pairs.h"

namespace q36::test {
namespace {

using namespace std::chrono_literals;

struct PtyTransfer : ::testing::Test {
    RunSettings settings;  // the 400-440 band with scan lists
    RadioConfig config;
    std::unique_ptr<VirtualRadio> radio;
    std::unique_ptr<PtyRadioServer> server;
    std::atomic<bool> stop{false};
    std::thread serverThread;

    void StartRadio(RadioImage image = DefaultRadioImage(400, 440)) {
        radio = std::make_unique<VirtualRadio>(config, image);
        server = std::make_unique<PtyRadioServer>(*radio);
        std::string error;
        ASSERT_TRUE(server->Open(error)) << error;
        serverThread = std::thread([this] { server->Run(stop); });
    }
    void StopRadio() {
        stop = true;
        if (serverThread.joinable()) serverThread.join();
    }
    ~PtyTransfer() override { StopRadio(); }

    // Runs a transfer through the runner on a real port, as the command-line tool does.
    void Run(MemoryHost& host, bool write) {
        QueueNoticeReceiver receiver;
        TComm comm(receiver);
        ApplyRadioLinkSettings(comm);
        comm.SetReadIntervalTimeout(30);  // a shorter idle rule keeps the test quick
        comm.SetCommName(server->SlavePath());
        comm.OpenPort();
        const SystemClock clock;
        TransferRunner runner(host, host, clock, settings);
        runner.GetTransfer().PortOpen = true;
        host.onSend = [&comm](const uint8_t* data, uint16_t length) {
            comm.SendData(data, length);
        };
        if (write ? runner.PrepareWrite() : runner.PrepareRead()) {
            write ? runner.StartWrite() : runner.StartRead();
        }
        runner.RunOnPort(comm, receiver);
        frameCount = runner.GetTransfer().FrameCount;
        ClosePortDrained(comm);
    }
    int frameCount = 0;
};

TEST_F(PtyTransfer, ReadAndWriteWithScanListsThroughTermios) {
    RadioImage image = DefaultRadioImage(400, 440);
    image.Block(2, 3)[9] = 0x1B;  // CTCSS receive tone, narrow, busy lockout off, enabled
    image.Block(2, 3)[10] = 8;    // 88.5
    image.Block(3, 1)[3] = 0x02;  // list 2 slot 1 = CH03
    StartRadio(image);

    MemoryHost reader;
    Run(reader, false);
    ASSERT_EQ(reader.LastMessage(), txt::MsgReadDone.zh);
    EXPECT_EQ(frameCount, 31);
    EXPECT_EQ(reader.channels[3].RETONE, "CTCSS");
    EXPECT_EQ(reader.channels[3].REDATA, "88.5");
    EXPECT_EQ(reader.channels[3].BW, "窄");
    EXPECT_EQ(reader.scans[1].slots[0], "CH03");

    MemoryHost writer;
    writer.channels = reader.channels;
    writer.scans = reader.scans;
    writer.channels[0].FTX = "433.0125";
    writer.scans[4].slots[15] = "CH24";
    Run(writer, true);
    ASSERT_EQ(writer.LastMessage(), txt::MsgWriteDone.zh);
    EXPECT_EQ(frameCount, 31);
    StopRadio();
    for (int n = 1; n <= 24; ++n) {
        EXPECT_EQ(
            radio->Image().Block(2, n - 1),
            EncodeChannelBlock(n, writer.channels[std::size_t(n - 1)], 400, 440, LANGUAGE_CHINESE)
                .value());
    }
    EXPECT_EQ(radio->Image().Block(3, 4)[3 + 15], 23);
}

TEST_F(PtyTransfer, SplitAnswerArrivesAsTwoDeliveriesAndIsRejected) {
    config.faults.split.push_back({2, 0});
    StartRadio();
    MemoryHost host;
    Run(host, false);
    EXPECT_EQ(host.LastMessage(), txt::MsgReadFailed.zh);
}

}  // namespace
}  // namespace q36::test
