#include <functional>
#include <sstream>

#include "codec/bits.h"
#include "protocol/run_settings.h"
#include "text/language.h"
#include "text/text_pairs.h"
#include "transfer_fixture.h"

namespace q36::test {
namespace {

const Bytes kAcknowledge{0xC4, 0xD7, 0x80, 0x01, 0x00, 0x81, 0x04, 0x04, 0x04};
const Bytes kReject{0xC4, 0xD7, 0x80, 0x01, 0x03, 0x82, 0x04, 0x04, 0x04};

std::string Describe(const ChannelResult& r) {
    std::ostringstream out;
    out << r.CHANNELNO << '|' << r.ENABLED << '|' << r.VOX << '|' << r.FTX << '|' << r.FTONE << '|'
        << r.SDATA << '|' << r.TXPOWER << '|' << r.REFREQUENCY << '|' << r.RETONE << '|' << r.REDATA
        << '|' << r.LEVEL << '|' << r.BW << '|' << r.ADDSCAN << '|' << r.BUSY;
    return out.str();
}

class BlockTransferTest : public TransferTest {
  protected:
    // A sent data frame as the radio would give it back when read.
    static Bytes ToRead(Bytes frame) {
        frame[2] = CMD_READ_DATA;
        frame[39] ^= CMD_WRITE_DATA ^ CMD_READ_DATA;
        return frame;
    }
    // Channel n as the host holds it now, in its received form.
    Bytes ChannelFrame(int n) {
        host.sent.clear();
        transfer.SendChannelBlock(n);
        Bytes frame = host.sent;
        host.sent.clear();
        return ToRead(frame);
    }
};

TEST_F(BlockTransferTest, ExampleChannelGoesOutByteForByte) {
    settings.BandLowMHz = 136;
    settings.BandHighMHz = 174;
    ChannelResult& row = host.channels[0];
    row.ENABLED = "True";
    row.VOX = "False";
    row.FTX = row.REFREQUENCY = "145.5";
    row.FTONE = row.RETONE = "CTCSS";
    row.SDATA = row.REDATA = "88.5";
    row.TXPOWER = "高";
    row.BW = "宽";
    row.ADDSCAN = "添加";
    row.BUSY = "开";
    row.LEVEL = 3;

    transfer.SendChannelBlock(1);
    Bytes expected{0xC4, 0xD7, 0x94, 0x23, 0x02, 0x00, 0x18, 0xE0, 0xC2,
                   0x11, 0xE0, 0xC2, 0x11, 0x13, 0x08, 0x10, 0x08, 0x03};
    expected.resize(expected.size() + 21, 0x00);
    expected.insert(expected.end(), {0xAD, 0x04, 0x04, 0x04});
    EXPECT_EQ(host.sent, expected);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(transfer.Phase(), WritePhase::Common);
}

TEST_F(BlockTransferTest, LastChannelMovesToTheScanPhaseOnlyWhenSent) {
    host.channels[23].FTX = "500";
    transfer.SendChannelBlock(24);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(transfer.Phase(), WritePhase::Common);

    host.channels[23].FTX = "440";
    transfer.SendChannelBlock(24);
    EXPECT_EQ(host.sent.size(), 43u);
    EXPECT_EQ(transfer.Phase(), WritePhase::ScanLists);
}

struct ChannelRefusal {
    const char* name;
    std::function<void(ChannelResult&)> change;
    std::function<std::string(int language)> text;
    bool progressReset;  // reset to 0 and hidden
};

TEST_F(BlockTransferTest, RefusedChannelShowsItsMessageAndSendsNothing) {
    const ChannelRefusal cases[] = {
        {"frequency not a number", [](ChannelResult& r) { r.REFREQUENCY = "43x"; },
         [](int l) { return Tr(txt::MsgFreqNotNumber, l); }, false},
        {"frequency out of band", [](ChannelResult& r) { r.FTX = "440.0001"; },
         [](int l) { return Tr(txt::TxtChannel, l) + " 5 " + Tr(txt::MsgFreqError, l); }, true},
        {"tone value empty",
         [](ChannelResult& r) {
             r.FTONE = "DCS+";
             r.SDATA = "";
         },
         [](int l) { return Tr(txt::MsgToneEmpty, l); }, false},
        {"tone value in no table", [](ChannelResult& r) { r.FTONE = "CTCSS", r.SDATA = "100"; },
         [](int l) {
             return Tr(txt::MsgToneNotInTable, l) + "\n" + Tr(txt::TxtChannel, l) + " 05 " +
                    Tr(txt::HeadTxValue, l) + ": 100";
         },
         false},
    };
    for (int language : {0, 1}) {
        settings.LanguageIndex = language;
        for (const ChannelRefusal& c : cases) {
            host.channels = DefaultChannels();
            c.change(host.channels[4]);
            host.messages.clear();
            host.SetProgress(0, 30, 7);
            host.progressVisible = true;
            transfer.SendChannelBlock(5);
            ASSERT_EQ(host.messages.size(), 1u) << c.name;
            EXPECT_EQ(host.messages[0].event, TransferEvent::CheckFailed) << c.name;
            EXPECT_EQ(host.messages[0].text, c.text(language)) << c.name;
            EXPECT_TRUE(host.sent.empty()) << c.name;
            EXPECT_EQ(host.progressPosition, c.progressReset ? 0 : 7) << c.name;
            EXPECT_EQ(host.progressVisible, !c.progressReset) << c.name;
        }
    }
}

TEST_F(BlockTransferTest, UnreadableChannelRowsStopTheWriteWithNoAnswerAndTheEnginesText) {
    host.failLoadChannels = true;
    host.SetProgress(0, 30, 12);
    transfer.SendChannelBlock(1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].event, TransferEvent::StoreFailed);
    EXPECT_EQ(host.messages[0].text,
              Tr(txt::MsgNoAnswer, LANGUAGE_CHINESE) + "\r\nchannel table unreadable");
    EXPECT_EQ(host.progressPosition, 0);
    EXPECT_EQ(host.progressMax, 30);
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(BlockTransferTest, ExampleCommonPageGoesOutAndMovesToTheChannels) {
    transfer.SendCommonBlock();
    const DataBlock payload{0x01, 0x00, 0x01, 0x02, 0x00, 0x3C, 0x00,
                            0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x08};
    EXPECT_EQ(host.sent, BuildFrame(CMD_WRITE_DATA, payload));
    EXPECT_EQ(transfer.Phase(), WritePhase::Channels);
}

struct CommonRefusal {
    const char* name;
    std::function<void(CommonPage&)> change;
    const TextPair* text;
    bool noAnswer;  // shown as "no answer" with the progress reset
};

TEST_F(BlockTransferTest, RefusedCommonPageShowsItsMessageAndSendsNothing) {
    const CommonRefusal cases[] = {
        {"TOT letters", [](CommonPage& p) { p.tot = "6O"; }, &txt::MsgTotNotNumber, false},
        {"TOT 251", [](CommonPage& p) { p.tot = "251"; }, &txt::MsgTotRange, false},
        {"ANI letters", [](CommonPage& p) { p.ani = "12A"; }, &txt::MsgAniNotNumber, false},
        {"ANI 65536", [](CommonPage& p) { p.ani = "65536"; }, &txt::MsgAniMax, false},
        {"scan time letters", [](CommonPage& p) { p.lostTime = "x"; }, &txt::MsgScanTimeNotNumber,
         false},
        {"scan time 251",
         [](CommonPage& p) {
             p.scanRestart = 1;
             p.lostTime = "251";
         },
         &txt::MsgScanTimeRange, false},
        {"TOT empty", [](CommonPage& p) { p.tot = ""; }, &txt::MsgNoAnswer, true},
        {"ANI mode unselected", [](CommonPage& p) { p.aniMode = -1; }, &txt::MsgNoAnswer, true},
        {"scan time empty", [](CommonPage& p) { p.lostTime = ""; }, &txt::MsgNoAnswer, true},
    };
    for (int language : {0, 1}) {
        settings.LanguageIndex = language;
        for (const CommonRefusal& c : cases) {
            host.page = DefaultCommonPage();
            c.change(host.page);
            host.messages.clear();
            host.SetProgress(0, 30, 1);
            transfer.SendCommonBlock();
            ASSERT_EQ(host.messages.size(), 1u) << c.name;
            EXPECT_EQ(host.messages[0].text, Tr(*c.text, language)) << c.name;
            EXPECT_EQ(host.messages[0].event,
                      c.noAnswer ? TransferEvent::NoAnswer : TransferEvent::CheckFailed)
                << c.name;
            EXPECT_TRUE(host.sent.empty()) << c.name;
            EXPECT_EQ(transfer.Phase(), WritePhase::Common) << c.name;
            EXPECT_EQ(host.progressPosition, c.noAnswer ? 0 : 1) << c.name;
        }
    }
}

TEST_F(BlockTransferTest, ExampleScanListGoesOutByteForByte) {
    host.scans[1].slots[0] = "CH03";
    host.scans[1].slots[1] = "CH24";
    transfer.SendScanBlock(2);
    DataBlock payload{0x03, 0x01, 0x05, 0x02, 0x17};
    for (int s = 5; s < 19; ++s) payload[std::size_t(s)] = 0xFF;
    EXPECT_EQ(host.sent, BuildFrame(CMD_WRITE_DATA, payload));
    EXPECT_EQ(transfer.ScanArrRows().size(), 5u);
}

TEST_F(BlockTransferTest, ReceivedChannelIsStoredAndAcknowledged) {
    host.channels[6].LEVEL = 2;
    host.channels[6].FTX = "435.0125";
    const Bytes frame = ChannelFrame(7);
    host.channels = DefaultChannels();

    Deliver(frame);  // read data is decoded whatever the mode, here idle
    EXPECT_EQ(host.sent, kAcknowledge);
    EXPECT_EQ(host.channels[6].FTX, "435.0125");
    EXPECT_EQ(host.channels[6].LEVEL, 2);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BlockTransferTest, ReceivedChannelWithBadChecksumIsRejected) {
    host.channels[0].FTX = "435.0125";
    Bytes frame = ChannelFrame(1);
    frame[39] ^= 0x01;
    host.channels = DefaultChannels();
    host.SetProgress(0, 30, 9);
    for (int language : {0, 1}) {
        settings.LanguageIndex = language;
        host.sent.clear();
        transfer.DispatchFrame(frame);
        EXPECT_EQ(host.sent, kReject);
        EXPECT_EQ(host.messages.back().event, TransferEvent::ReadFailed);
        EXPECT_EQ(host.LastMessage(), Tr(txt::MsgReadFailed, language));
        EXPECT_EQ(host.progressPosition, 0);
        EXPECT_EQ(host.channels[0].FTX, "400");
    }
}

TEST_F(BlockTransferTest, ReceivedChannelWithoutRowIsDroppedSilently) {
    Bytes frame = ChannelFrame(1);
    frame[5] = 30;
    frame[39] ^= 0 ^ 30;
    Deliver(frame);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BlockTransferTest, LastReceivedChannelEndsTheReadOrAsksForScanLists) {
    const Bytes last = ChannelFrame(24);
    host.progressVisible = true;
    Deliver(last);
    EXPECT_EQ(TakeSentFrames(),
              (std::vector<Bytes>{kAcknowledge, BuildFrame(CMD_READ_REQUEST, Bytes{3})}));
    EXPECT_TRUE(host.timerRunning);
    EXPECT_TRUE(host.messages.empty());

    UseVariantWithoutScanLists();
    Deliver(last);
    EXPECT_EQ(host.sent, kAcknowledge);
    EXPECT_FALSE(host.timerRunning);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].event, TransferEvent::ReadDone);
    EXPECT_EQ(host.messages[0].text, txt::MsgReadDone.zh);
    EXPECT_FALSE(host.progressVisible);
}

TEST_F(BlockTransferTest, ReceivedPowerBitsElevenKeepTheStoredPower) {
    Bytes frame = ChannelFrame(3);
    frame[15] |= 0x0C;
    frame[39] = XorChecksum(std::span(frame).subspan(2, 37));
    host.channels[2].TXPOWER = "中";
    Deliver(frame);
    EXPECT_EQ(host.sent, kAcknowledge);
    EXPECT_EQ(host.channels[2].TXPOWER, "中");
}

TEST_F(BlockTransferTest, ReceivedBlockThatCannotBeStoredStopsTheRead) {
    const Bytes channel = ChannelFrame(1);
    host.failStore = true;
    host.SetProgress(0, 30, 5);
    transfer.DispatchFrame(channel);
    EXPECT_TRUE(host.sent.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].event, TransferEvent::StoreFailed);
    EXPECT_EQ(host.messages[0].text, Tr(txt::MsgReadFailed, LANGUAGE_CHINESE) + "\r\ndisk full");
    EXPECT_EQ(host.progressPosition, 0);

    host.messages.clear();
    transfer.DispatchFrame(ReadData(EncodeCommonBlock(DefaultCommonPage(), true).value()));
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(host.LastMessage(), Tr(txt::MsgReadFailed, LANGUAGE_CHINESE) + "\r\ndisk full");

    host.messages.clear();
    transfer.DispatchFrame(ReadData(EncodeScanBlock(1, host.scans[0])));
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(host.LastMessage(), Tr(txt::MsgReadFailed, LANGUAGE_CHINESE) + "\r\ndisk full");
}

TEST_F(BlockTransferTest, ReceivedCommonBlockFillsThePageAndAsksForChannels) {
    CommonPage radio = DefaultCommonPage();
    radio.tot = "180";
    radio.ani = "777";
    radio.scanRestart = 1;
    radio.scanPause = 1;
    radio.lostTime = "20";
    const DataBlock payload = EncodeCommonBlock(radio, true).value();

    Deliver(ReadData(payload));
    EXPECT_EQ(host.sent, BuildFrame(CMD_READ_REQUEST, Bytes{2}));
    EXPECT_EQ(host.page.tot, "180");
    EXPECT_EQ(host.page.ani, "777");
    EXPECT_EQ(host.page.scanRestart, 1);
    EXPECT_EQ(host.page.lostTime, "20");

    // Without scan lists the scan controls keep what they show.
    UseVariantWithoutScanLists();
    host.page = DefaultCommonPage();
    host.sent.clear();
    Deliver(ReadData(payload));
    EXPECT_EQ(host.sent, BuildFrame(CMD_READ_REQUEST, Bytes{2}));
    EXPECT_EQ(host.page.tot, "180");
    EXPECT_EQ(host.page.scanRestart, 0);
    EXPECT_EQ(host.page.scanPause, 0);
    EXPECT_EQ(host.page.lostTime, "8");

    Bytes bad = ReadData(payload);
    bad[20] ^= 0x40;
    host.sent.clear();
    Deliver(bad);
    EXPECT_EQ(host.sent, kReject);
    EXPECT_EQ(host.LastMessage(), txt::MsgReadFailed.zh);
    EXPECT_EQ(host.page.tot, "180");
}

TEST_F(BlockTransferTest, ReceivedScanListsAreAcknowledgedUntilTheLast) {
    ScanResult list;
    list.slots.fill("NULL");
    list.slots[0] = "CH05";
    list.slots[15] = "CH24";

    Deliver(ReadData(EncodeScanBlock(3, list)));
    EXPECT_EQ(host.sent, kAcknowledge);
    EXPECT_EQ(host.scans[2].slots[0], "CH05");
    EXPECT_EQ(host.scans[2].slots[15], "CH24");
    EXPECT_TRUE(host.messages.empty());

    host.sent.clear();
    host.progressVisible = true;
    Deliver(ReadData(EncodeScanBlock(5, list)));
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(host.scans[4].slots[0], "CH05");
    EXPECT_EQ(host.LastMessage(), txt::MsgReadDone.zh);
    EXPECT_FALSE(host.progressVisible);

    host.messages.clear();
    Deliver(ReadData(EncodeScanBlock(6, list)));  // no such list
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(host.messages.empty());
}

// What the program writes, a radio gives back when read; a fresh store then holds the same rows.
TEST_F(BlockTransferTest, WrittenBlocksReadBackIntoTheSameConfiguration) {
    host.channels[0].FTX = "435.0125";
    host.channels[0].FTONE = "DCS-";
    host.channels[0].SDATA = "754";
    host.channels[1].REFREQUENCY = "400.0000";
    host.channels[1].RETONE = "CTCSS";
    host.channels[1].REDATA = "254.1";
    host.channels[1].TXPOWER = "低";
    host.channels[1].BUSY = "开";
    host.channels[1].ADDSCAN = "添加";
    host.channels[2].TXPOWER = "中";
    host.channels[2].BW = "窄";
    host.channels[2].VOX = "False";
    host.channels[3].ENABLED = "False";
    for (auto& row : host.channels) {
        if (row.FTX.find('.') == std::string::npos) row.FTX += ".0000";
        if (row.REFREQUENCY.find('.') == std::string::npos) row.REFREQUENCY += ".0000";
    }
    host.scans[0].slots[3] = "CH17";
    host.scans[4].slots[15] = "CH01";
    host.page.tot = "0";
    host.page.ani = "65535";
    host.page.aniMode = 3;
    host.page.temControl = true;
    host.page.highPower = host.page.midPower = host.page.lowPower = "0";

    std::vector<Bytes> blocks;
    StartWrite();
    Deliver(HandshakeReply(1, 0, 3));
    while (host.messages.empty() && blocks.size() < 40) {
        for (Bytes& frame : TakeSentFrames()) blocks.push_back(ToRead(frame));
        Deliver(Status(ST_OK));
    }
    ASSERT_EQ(blocks.size(), 30u);

    MemoryHost reader;
    Transfer read(reader, reader, reader, settings);
    read.PortOpen = true;
    ReadCommand(read, reader);
    const Bytes reply = HandshakeReply(1, 0, 3);
    read.Receive(reply.data(), uint16_t(reply.size()));
    for (const Bytes& block : blocks) read.Receive(block.data(), uint16_t(block.size()));

    ASSERT_EQ(reader.messages.size(), 1u);
    EXPECT_EQ(reader.messages[0].text, txt::MsgReadDone.zh);
    EXPECT_EQ(read.FrameCount, 31);
    for (std::size_t i = 0; i < 24; ++i) {
        if (host.channels[i].ENABLED == "True") {
            EXPECT_EQ(Describe(reader.channels[i]), Describe(host.channels[i]));
        } else {
            EXPECT_EQ(reader.channels[i].ENABLED, "False");
        }
    }
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(reader.scans[i].slots, host.scans[i].slots);
    EXPECT_EQ(reader.page, host.page);
}

}  // namespace
}  // namespace q36::test
