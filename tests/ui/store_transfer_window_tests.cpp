// Whole transfers through the main window as the program runs them: the rows kept in a copy of
// the delivered store, the serial port on a pseudo-terminal with the virtual radio at the other
// end, every message box answered by the test.

#include <QTest>
#include <algorithm>

#include "codec/channel_block.h"
#include "codec/common_block.h"
#include "codec/scan_block.h"
#include "modal_answerer.h"
#include "protocol/image_configuration.h"
#include "protocol/run_settings.h"
#include "pty_pair.h"
#include "store/query.h"
#include "store/store_transfer_data.h"
#include "support/radio_bench.h"
#include "support/radio_on_pty.h"
#include "support/scratch_folder.h"
#include "support/store_copy.h"
#include "text/messages.h"
#include "text/text_pairs.h"
#include "ui/compare_form.h"
#include "ui/main_form.h"
#include "ui/safety_texts.h"
#include "ui_test_registry.h"

namespace q36::test {

namespace {

QString Text(const TextPair& pair) {
    return QString::fromStdString(Tr(pair, LANGUAGE_CHINESE))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A radio whose channels, scan lists and settings all differ from a fresh store's.
RadioImage VariedImage() {
    RadioBench writer;
    for (std::size_t i = 0; i < writer.host.channels.size(); ++i) {
        ChannelResult& row = writer.host.channels[i];
        row.FTX = std::to_string(402 + int(i)) + ".0125";
        row.REFREQUENCY = std::to_string(438 - int(i)) + ".25";
        row.TXPOWER = i % 3 == 0 ? "低" : "中";
        row.BW = i % 2 ? "窄" : "宽";
        row.ADDSCAN = i % 4 ? "添加" : "不添加";
        row.LEVEL = int(8 - i % 9);
    }
    writer.host.channels[3].ENABLED = "False";
    writer.host.page.tot = "90";
    writer.host.scans[1].slots[0] = "CH07";
    writer.host.scans[4].slots[15] = "CH24";
    writer.Write();
    return writer.radio.Image();
}

// A received block as the transfer sees it: four head bytes, the payload, four tail bytes.
std::vector<uint8_t> FrameOf(const DataBlock& payload) {
    std::vector<uint8_t> frame(4 + payload.size() + 4, 0);
    std::copy(payload.begin(), payload.end(), frame.begin() + 4);
    return frame;
}

}  // namespace

class StoreTransferWindowTests : public QObject {
    Q_OBJECT
  private Q_SLOTS:

    void ReadAndWriteThroughTheWindowKeepTheRowsInTheStore() {
        const RadioImage varied = VariedImage();
        RadioOnPty source(varied);
        RadioOnPty target(DefaultRadioImage(400, 440));
        QVERIFY(source.Start());
        QVERIFY(target.Start());
        PortsSetting ports(source.Path());
        StoreCopy store;
        QVERIFY(store.Ok());
        const RunSettings settings;
        ui::TMainForm form(settings, [] { return false; });
        std::string error;
        QVERIFY2(form.ConnectDatabase(store.Path(), error), error.c_str());
        ModalAnswerer answerer;
        form.OpenFirstPort();
        QVERIFY(form.PortOpen());
        form.show();
        CommonPage expectedPage;
        QVERIFY(form.ReadCommonPage(expectedPage).ok());
        DecodeCommonFrame(FrameOf(varied.blocks[0]), true, expectedPage);

        form.ReadTButClick();
        QVERIFY2(WaitFor([&] { return answerer.Texts().contains(Text(txt::MsgReadDone)); }),
                 qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        QCOMPARE(answerer.Texts(),
                 QStringList({Text(txt::MsgConfirmRead), Text(txt::MsgReadDone)}));
        QCOMPARE(form.StatusPanelText(1),
                 QString::fromStdString(FirmwareStatusText("1.0.3", LANGUAGE_CHINESE)));

        // The store holds the radio's rows: each encodes back to the block it came from, and a
        // connection of its own finds them in the file.
        ChannelArr rows;
        QVERIFY(form.LoadChannelRows(rows).ok());
        QCOMPARE(int(rows.size()), 24);
        for (int n = 1; n <= 24; ++n) {
            QVERIFY2(EncodeChannelBlock(n, rows[std::size_t(n - 1)], 400, 440, LANGUAGE_CHINESE)
                             .value() == varied.Block(2, n - 1),
                     qPrintable(QStringLiteral("channel %1").arg(n)));
        }
        ScanArr scans;
        QVERIFY(form.FillScanArr(scans).ok());
        for (int n = 1; n <= 5; ++n)
            QVERIFY(EncodeScanBlock(n, scans[std::size_t(n - 1)]) == varied.Block(3, n - 1));
        CommonPage page;
        QVERIFY(form.ReadCommonPage(page).ok());
        QVERIFY(page == expectedPage);
        QCOMPARE(page.tot, std::string("90"));
        Connection other;
        QVERIFY(other.Open(store.Path()).ok());
        Query fromFile(other);
        QVERIFY(fromFile.Open("select * from CHANNELTABLE").ok());
        QCOMPARE(fromFile.TextAt(3, "ENABLED"), std::string("False"));
        QCOMPARE(fromFile.TextAt(0, "FTX"), std::string("402.0125"));

        // An edit still open in the grid when Write is pressed goes to the radio too.
        Query& grid = form.StoreSide()->ChannelQuery();
        QVERIFY(grid.Locate("CHANNELNO", "05").ok());
        QVERIFY(grid.Edit().ok());
        QVERIFY(grid.WriteText("FTX", "433.0125").ok());

        // The write with its backup and check (both on by default): the backup holds the target
        // radio as it was, the question counts what changes against it, and the completion
        // message says that the radio holds what was written.
        ScratchFolder backups;
        form.SetBackupsFolder(backups.Path());
        form.Comm().SetCommName(target.Path());
        QVERIFY(form.ReopenPort());
        // The compare window against the radio (read into memory): the fresh radio's channel 1.
        Q_EMIT form.CompareForm().RadioRequested();
        QVERIFY(WaitFor([&] { return !form.CompareForm().Changes().empty(); }));
        const auto& compared = form.CompareForm().Changes();
        QVERIFY(std::any_of(compared.begin(), compared.end(), [](const FieldChange& c) {
            return c.number == 1 && c.column == "FTX" && c.after == "400.0000";
        }));
        form.WriteTButClick();
        const QString done = Text(txt::MsgWriteDone) + "\n" + Text(txt::MsgVerifyEqual);
        QVERIFY2(WaitFor([&] { return answerer.Texts().contains(done); }),
                 qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        const QString changes =
            QString::fromStdString(
                Fill(Fill(Fill(Tr(txt::TxtChangeCounts, 0), "{channels}", "24"), "{common}", "1"),
                     "{lists}", "2")) +
            "\n" + Text(ui::wtxt::MsgConfirmChanges);
        QCOMPARE(answerer.Texts().mid(2), QStringList({Text(txt::MsgConfirmWrite), changes, done}));
        QVERIFY(!grid.InEditMode());
        QVERIFY(LoadImageFile(form.LastBackup().substr(0, form.LastBackup().size() - 5) + ".img") ==
                DefaultRadioImage(400, 440));
        QVERIFY(!form.Trace().Empty());

        // A read into memory (as the compare window asks for) gives what the radio holds and
        // leaves the store alone.
        std::optional<Configuration> held;
        QVERIFY(form.ReadRadioInto([&](const Configuration& c) { held = c; }));
        QVERIFY(WaitFor([&] { return held.has_value(); }));
        const RadioImage& written = target.StoppedImage();
        QVERIFY(*held == DecodeImage(written, settings));
        QVERIFY(form.LoadChannelRows(rows).ok());
        QCOMPARE(rows[4].FTX, std::string("433.0125"));
        for (int n = 1; n <= 24; ++n) {
            const DataBlock expected =
                EncodeChannelBlock(n, rows[std::size_t(n - 1)], 400, 440, LANGUAGE_CHINESE).value();
            QVERIFY2(written.Block(2, n - 1) == expected,
                     qPrintable(QStringLiteral("channel %1").arg(n)));
            if (n != 5) QVERIFY(written.Block(2, n - 1) == varied.Block(2, n - 1));
        }
        for (int n = 1; n <= 5; ++n) QVERIFY(written.Block(3, n - 1) == varied.Block(3, n - 1));
        QVERIFY(written.blocks[0] == EncodeCommonBlock(page, true).value());
    }
};

namespace {
const RegisterUiTest<StoreTransferWindowTests> registered;
}

}  // namespace q36::test

#include "store_transfer_window_tests.moc"
