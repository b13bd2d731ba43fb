#include <gtest/gtest.h>

#include "codec/frequency.h"
#include "sim/loopback_link.h"
#include "sim/virtual_radio.h"
#include "store_fixture.h"
#include "support/radio_bench.h"

namespace q36::test {
namespace {

// A transfer wired to a virtual radio, its host on the store at path (one connection for the
// main window's queries, one for the scan editor's).
struct StoreBench {
    StoreBench(const std::string& path, RadioImage image)
        : main(OpenStore(path)),
          scanEditor(OpenStore(path)),
          host(*main, *scanEditor, LANGUAGE_CHINESE),
          radio(RadioConfig{}, image),
          transfer(host, host, host, settings),
          link(radio) {
        host.onSend = [this](const uint8_t* data, uint16_t length) { link.Send(data, length); };
        transfer.PortOpen = true;
        EXPECT_TRUE(host.OpenQueries().ok());
    }
    void Read() {
        ReadCommand(transfer, host);
        Pump();
    }
    void Write() {
        WriteCommand(transfer, host);
        Pump();
    }
    void Pump() {
        link.Pump([this](const uint8_t* data, uint16_t length) { transfer.Receive(data, length); });
    }
    ChannelArr Channels() {
        ChannelArr rows;
        EXPECT_TRUE(host.LoadChannelRows(rows).ok());
        return rows;
    }
    ScanArr Scans() {
        ScanArr scans;
        EXPECT_TRUE(host.FillScanArr(scans).ok());
        return scans;
    }
    CommonPage Page() {
        CommonPage page;
        EXPECT_TRUE(host.ReadCommonPage(page).ok());
        return page;
    }

    RunSettings settings;  // the 400-440 band with scan lists
    std::unique_ptr<Connection> main;
    std::unique_ptr<Connection> scanEditor;
    RecordingStoreHost host;
    VirtualRadio radio;
    Transfer transfer;
    LoopbackLink link;
};

// A radio whose memory differs from the store's defaults everywhere: tones of every type, all
// powers, narrow and scanned channels, a disabled channel, filled scan lists.
RadioImage VariedImage() {
    RadioImage image = DefaultRadioImage(400, 440);
    image.blocks[0] =
        DataBlock{1, 0, 1, 4, 3, 120, 0, 0, 0x07, 0x39, 0x30, 3, 0x0E, 30, 200, 150, 100};
    for (int i = 0; i < 24; ++i) {
        DataBlock& b = image.Block(2, i);
        const int rxType = i % 4;
        const int txType = (i + 1) % 4;
        b[9] = uint8_t(0x01 | rxType << 4 | (i % 2 ? 0x02 : 0) | (i % 5 ? 0x04 : 0) |
                       (i % 3 ? 0x08 : 0));
        b[10] = rxType ? uint8_t(i * 3 % 50) : 0;
        b[11] = uint8_t(txType << 4 | (i % 3) << 2 | (i % 2 ? 0x02 : 0));
        b[12] = txType ? uint8_t((i * 2 + 30) % 50) : 0;
        b[13] = uint8_t(i % 9);
    }
    PutUnits24(&image.Block(2, 5)[3], 3480100);  // 435.0125 MHz
    image.Block(2, 9) = DataBlock{2, 9, 24};     // a disabled channel carries only its head
    for (int i = 0; i < 5; ++i) {
        DataBlock& b = image.Block(3, i);
        for (int s = 0; s < 16; ++s) b[3 + s] = s <= i * 3 ? uint8_t((s * 5 + i) % 24) : 0xFF;
    }
    return image;
}

std::string RowText(const ChannelResult& r) {
    return r.CHANNELNO + "|" + r.ENABLED + "|" + r.VOX + "|" + r.FTX + "|" + r.FTONE + "|" +
           r.SDATA + "|" + r.TXPOWER + "|" + r.REFREQUENCY + "|" + r.RETONE + "|" + r.REDATA + "|" +
           std::to_string(r.LEVEL) + "|" + r.BW + "|" + r.ADDSCAN + "|" + r.BUSY;
}

std::vector<uint8_t> FrameOf(const DataBlock& payload) {
    std::vector<uint8_t> frame(4, 0);
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.resize(frame.size() + 4, 0);
    return frame;
}

struct StoreTransfer : ::testing::Test {
    StoreCopy copy;
};

TEST_F(StoreTransfer, ReadLeavesTheStoreEqualToTheRadio) {
    const RadioImage image = VariedImage();
    StoreBench bench(copy.Path(), image);
    CommonPage expectedPage = bench.Page();
    DecodeCommonFrame(FrameOf(image.blocks[0]), true, expectedPage);

    bench.Read();
    ASSERT_EQ(bench.host.messages.size(), 1u) << bench.host.messages.back().text;
    EXPECT_EQ(bench.host.messages[0].event, TransferEvent::ReadDone);

    // Read afresh through the scan editor's connection: the rows are in the file, not only held.
    Query channels(*bench.scanEditor);
    ASSERT_TRUE(channels.Open("select * from CHANNELTABLE").ok());
    EXPECT_EQ(channels.TextAt(5, "REFREQUENCY"), "435.0125");
    EXPECT_EQ(channels.TextAt(0, "FTX"), "400");
    EXPECT_EQ(channels.TextAt(9, "ENABLED"), "False");

    const ChannelArr rows = bench.Channels();
    for (int n = 1; n <= 24; ++n) {
        EXPECT_EQ(
            EncodeChannelBlock(n, rows[std::size_t(n - 1)], 400, 440, LANGUAGE_CHINESE).value(),
            image.Block(2, n - 1))
            << RowText(rows[std::size_t(n - 1)]);
    }
    const ScanArr scans = bench.Scans();
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(EncodeScanBlock(n, scans[std::size_t(n - 1)]), image.Block(3, n - 1))
            << "list " << n;
    }
    EXPECT_EQ(bench.Page(), expectedPage);
    EXPECT_EQ(bench.Page().highPower, "200");
}

TEST_F(StoreTransfer, WritePutsExactlyTheStoreRowsIntoTheRadio) {
    StoreBench bench(copy.Path(), VariedImage());
    Query& grid = bench.host.ChannelQuery();
    ASSERT_TRUE(grid.Locate("CHANNELNO", "07").ok());
    ASSERT_TRUE(grid.Edit().ok());
    ASSERT_TRUE(grid.WriteText("FTX", "435.0125").ok());
    ASSERT_TRUE(grid.WriteText("FTONE", "DCS-").ok());
    ASSERT_TRUE(grid.WriteText("SDATA", "754").ok());
    ASSERT_TRUE(grid.Next().ok());
    ASSERT_TRUE(grid.Edit().ok());  // channel 8 is still being edited when Write is pressed
    ASSERT_TRUE(grid.WriteText("VOX", "False").ok());
    ASSERT_TRUE(grid.WriteInteger("LEVEL", 0).ok());
    Query& editor = bench.host.ScanQuery();
    ASSERT_TRUE(editor.Locate("LIST", "2").ok());
    ASSERT_TRUE(editor.Edit().ok());
    ASSERT_TRUE(editor.WriteText("01", "CH03").ok());
    CommonPage page = bench.Page();
    page.tot = "120";
    ASSERT_TRUE(bench.host.ShowCommonPage(page).ok());

    bench.Write();
    ASSERT_EQ(bench.host.messages.size(), 1u) << bench.host.messages.back().text;
    EXPECT_EQ(bench.host.messages[0].event, TransferEvent::WriteDone);

    const RadioImage& written = bench.radio.Image();
    EXPECT_EQ(written.blocks[0], EncodeCommonBlock(bench.Page(), true).value());
    EXPECT_EQ(written.blocks[0][5], 120);
    const ChannelArr rows = bench.Channels();
    for (int n = 1; n <= 24; ++n) {
        EXPECT_EQ(
            written.Block(2, n - 1),
            EncodeChannelBlock(n, rows[std::size_t(n - 1)], 400, 440, LANGUAGE_CHINESE).value())
            << "channel " << n;
    }
    EXPECT_EQ(GetUnits24(&written.Block(2, 6)[6]), 3480100u);
    EXPECT_EQ(written.Block(2, 7)[13], 0);
    const ScanArr scans = bench.Scans();
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(written.Block(3, n - 1), EncodeScanBlock(n, scans[std::size_t(n - 1)]));
    EXPECT_EQ(written.Block(3, 1)[3], 2);

    // Reading that radio into another store gives back the same rows.
    StoreCopy other;
    StoreBench reread(other.Path(), written);
    reread.Read();
    const ChannelArr again = reread.Channels();
    for (std::size_t k = 0; k < 24; ++k) EXPECT_EQ(RowText(again[k]), RowText(rows[k]));
    const ScanArr scansAgain = reread.Scans();
    for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(scansAgain[k].slots, scans[k].slots);
}

TEST_F(StoreTransfer, ReadIntoAStoreThatCannotBeWrittenStopsWithTheEnginesMessage) {
    StoreBench bench(copy.Path(), VariedImage());
    ASSERT_TRUE(bench.main->Execute("PRAGMA query_only = 1").ok());
    bench.Read();
    ASSERT_EQ(bench.host.messages.size(), 1u);
    EXPECT_EQ(bench.host.messages[0].event, TransferEvent::StoreFailed);
    EXPECT_NE(bench.host.messages[0].text.find("attempt to write a readonly database"),
              std::string::npos);
    EXPECT_EQ(bench.radio.AnswersSent(), 2);  // handshake reply and common block, then silence
}

}  // namespace
}  // namespace q36::test
