// Whole transfers through the main window: its serial port on a pseudo-terminal with the
// virtual radio at the other end, the message boxes answered by the test.

#include <QAbstractButton>
#include <QMessageBox>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "modal_answerer.h"
#include "protocol/run_settings.h"
#include "pty_pair.h"
#include "runner/clock.h"
#include "support/radio_bench.h"
#include "support/radio_on_pty.h"
#include "text/messages.h"
#include "text/text_pairs.h"
#include "ui/main_form.h"
#include "ui_test_registry.h"

namespace q36::test {

namespace {

QString Text(const TextPair& pair) {
    return QString::fromStdString(Tr(pair, LANGUAGE_CHINESE))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Rows different from a fresh radio's in every column a channel has.
void VaryRows(MemoryHost& host) {
    for (std::size_t i = 0; i < host.channels.size(); ++i) {
        ChannelResult& row = host.channels[i];
        row.FTX = std::to_string(401 + int(i)) + ".125";
        row.REFREQUENCY = std::to_string(439 - int(i)) + ".5";
        row.TXPOWER = i % 3 == 0 ? "低" : "中";
        row.BW = i % 2 ? "窄" : "宽";
        row.ADDSCAN = i % 4 ? "添加" : "不添加";
        row.LEVEL = int(i % 9);
    }
    host.channels[9].ENABLED = "False";
    host.page.tot = "120";
    host.scans[2].slots[0] = "CH02";
}

bool SameChannels(const ChannelArr& a, const ChannelArr& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto key = [](const ChannelResult& r) {
            return std::tie(r.CHANNELNO, r.ENABLED, r.VOX, r.FTX, r.FTONE, r.SDATA, r.TXPOWER,
                            r.REFREQUENCY, r.RETONE, r.REDATA, r.LEVEL, r.BW, r.ADDSCAN, r.BUSY);
        };
        if (key(a[i]) != key(b[i])) return false;
    }
    return true;
}

// The main window keeping its rows in memory, its port open on a virtual radio.
struct WindowOnRadio {
    explicit WindowOnRadio(RadioImage image, RadioConfig config = {})
        : radio(std::move(image), std::move(config)) {}
    // Starts the radio and opens the window's port on it; false when either fails.
    bool Open() {
        if (!radio.Start()) return false;
        PortsSetting ports(radio.Path());
        form.SetDataSide(&data);
        form.OpenFirstPort();
        return form.PortOpen();
    }

    RunSettings settings;  // the 400-440 band with scan lists; held by the window below
    RadioOnPty radio;
    MemoryHost data;
    ui::TMainForm form{settings, [] { return false; }};
    ModalAnswerer answerer;
};

}  // namespace

class TransferWindowTests : public QObject {
    Q_OBJECT
  private Q_SLOTS:

    void ReadThroughTheWindowStoresTheRadiosRows() {
        // A radio holding varied rows, put there by a write over the in-process link.
        RadioBench writer;
        VaryRows(writer.host);
        writer.Write();
        const RadioImage image = writer.radio.Image();
        RadioBench reference(RadioConfig{}, image);
        reference.Read();

        WindowOnRadio w(image);
        QVERIFY(w.Open());
        auto& [settings, radio, data, form, answerer] = w;
        form.show();

        form.ReadTButClick();
        QVERIFY2(WaitFor([&] { return answerer.Texts().contains(Text(txt::MsgReadDone)); }),
                 qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        QCOMPARE(answerer.Names(), QStringList({QStringLiteral("TransferQuestion"),
                                                QStringLiteral("TransferMessage")}));
        QCOMPARE(answerer.Texts()[0], Text(txt::MsgConfirmRead));
        QCOMPARE(form.StatusPanelText(1),
                 QString::fromStdString(FirmwareStatusText("1.0.3", LANGUAGE_CHINESE)));
        QVERIFY(SameChannels(data.channels, reference.host.channels));
        // The read put the common values on the page; saving the page puts them in the row.
        QVERIFY(form.CommitPendingEdits().ok());
        QVERIFY(data.page == reference.host.page);
        QCOMPARE(data.scans[2].slots[0], std::string("CH02"));
        QVERIFY(!form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->isVisible());
    }

    void WriteThroughTheWindowPutsTheRowsIntoTheRadio() {
        MemoryHost data;
        VaryRows(data);
        RadioBench reference;
        reference.host.channels = data.channels;
        reference.host.page = data.page;
        reference.host.scans = data.scans;
        reference.Write();

        RadioOnPty radio(DefaultRadioImage(400, 440));
        QVERIFY(radio.Start());
        PortsSetting ports(radio.Path());
        const RunSettings settings;
        ui::TMainForm form(settings, [] { return false; });
        form.SetDataSide(&data);
        form.SetWriteSafety({false, false});  // the plain write, frame for frame
        ModalAnswerer answerer;
        form.OpenFirstPort();
        form.show();

        form.WriteTButClick();
        QVERIFY(WaitFor([&] { return answerer.Texts().contains(Text(txt::MsgWriteDone)); }));
        QCOMPARE(answerer.Texts()[0], Text(txt::MsgConfirmWrite));
        QCOMPARE(answerer.Texts().size(), 2);
        QCOMPARE(form.StatusPanelText(1),
                 QString::fromStdString(FirmwareStatusText("1.0.3", LANGUAGE_CHINESE)));
        QVERIFY(radio.StoppedImage() == reference.radio.Image());
    }

    void NoWhenAskedSendsNothing() {
        WindowOnRadio w(DefaultRadioImage(400, 440));
        w.answerer.SetAnswerNo(true);
        QVERIFY(w.Open());
        auto& [settings, radio, data, form, answerer] = w;
        form.WriteTButClick();
        form.ReadTButClick();
        QTest::qWait(300);
        QCOMPARE(answerer.Names(), QStringList({QStringLiteral("TransferQuestion"),
                                                QStringLiteral("TransferQuestion")}));
        QCOMPARE(form.StatusPanelText(1),
                 QString::fromStdString(Tr(txt::TxtFirmware, LANGUAGE_CHINESE)) + "NC");
    }

    void SilentRadioEndsTheReadWhenTheResponseTimerFires() {
        RadioConfig silent;
        silent.faults.silentAfter = 0;
        WindowOnRadio w(DefaultRadioImage(400, 440), silent);
        QVERIFY(w.Open());
        auto& [settings, radio, data, form, answerer] = w;
        form.ReadTButClick();
        QVERIFY(WaitFor([&] { return answerer.Texts().contains(Text(txt::MsgResponseTimeout)); },
                        5000));
    }

    void RadioFallingSilentAfterAChannelEndsTheReadWithNoAnswer() {
        RadioConfig silent;
        silent.faults.silentAfter =
            14;  // after channel 12's block, whose acknowledgement starts no timer
        WindowOnRadio w(DefaultRadioImage(400, 440), silent);
        QVERIFY(w.Open());
        auto& [settings, radio, data, form, answerer] = w;
        ManualClock clock;  // the silence limit passes when the test says so
        form.SetClock(&clock);
        form.show();
        form.ReadTButClick();
        QVERIFY(WaitFor([&] { return form.TransferState().FrameCount == 14; }, 5000));
        QTest::qWait(200);
        QVERIFY(answerer.Texts() == QStringList{Text(txt::MsgConfirmRead)});
        clock.Advance(std::chrono::milliseconds(Transfer::SilenceLimitMs));
        form.Timer1Timer();
        QVERIFY2(WaitFor([&] { return answerer.Texts().contains(Text(txt::MsgNoAnswer)); }, 5000),
                 qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        QVERIFY(!form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->isVisible());
        QVERIFY(!form.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    }
    void PulledCableClosesThePortAndEndsTheTransfer() {
        RadioConfig config;
        config.faults.hangupAfter = 14;  // the line goes in the middle of the channel blocks
        WindowOnRadio w(DefaultRadioImage(400, 440), config);
        QVERIFY(w.Open());
        auto& [settings, radio, data, form, answerer] = w;
        form.show();

        form.ReadTButClick();
        QVERIFY2(WaitFor([&] { return answerer.Texts().contains(Text(txt::MsgNoAnswer)); }, 5000),
                 qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        QCOMPARE(answerer.Texts().size(), 2);
        QVERIFY(!form.PortOpen());
        QVERIFY(!form.Comm().IsOpen());
        QCOMPARE(form.StatusPanelText(0),
                 QString::fromStdString(PortBusyStatusText(radio.Path(), LANGUAGE_CHINESE)));
        QVERIFY(!form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->isVisible());
        QVERIFY(!form.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());

        // Nothing else arrives, and the commands ask for a port instead of sending into nothing.
        QTest::qWait(300);
        QCOMPARE(answerer.Texts().size(), 2);
        form.ReadTButClick();
        form.WriteTButClick();
        QCOMPARE(answerer.Texts().mid(2),
                 QStringList({Text(txt::MsgOpenPortFirst), Text(txt::MsgOpenPortFirst)}));
    }

    void CablePulledWhileTheReadQuestionIsOpenEndsTheReadItStarts() {
        WindowOnRadio w(DefaultRadioImage(400, 440));
        QVERIFY(w.Open());
        auto& [settings, radio, data, form, answerer] = w;
        answerer.On(QStringLiteral("TransferQuestion"), [&](QWidget& box) {
            radio.CloseLine();
            WaitFor([&] { return !form.Comm().IsOpen(); }, 3000);
            static_cast<QMessageBox&>(box).button(QMessageBox::Yes)->click();
        });
        form.ReadTButClick();
        QVERIFY2(WaitFor([&] { return answerer.Texts().contains(Text(txt::MsgNoAnswer)); }, 5000),
                 qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        QVERIFY(!form.PortOpen());
        QVERIFY(!form.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
        QTest::qWait(2500);  // no timeout follows
        QCOMPARE(answerer.Texts().size(), 2);
    }

    void PortVanishingBetweenTransfersIsShownInTheStatusBarOnly() {
        WindowOnRadio w(DefaultRadioImage(400, 440));
        QVERIFY(w.Open());
        auto& [settings, radio, data, form, answerer] = w;
        radio.CloseLine();
        QVERIFY(WaitFor([&] { return !form.PortOpen(); }, 3000));
        QCOMPARE(form.StatusPanelText(0),
                 QString::fromStdString(PortBusyStatusText(radio.Path(), LANGUAGE_CHINESE)));
        QTest::qWait(200);
        QVERIFY(answerer.Texts().isEmpty());
    }
};

namespace {
const RegisterUiTest<TransferWindowTests> registered;
}

}  // namespace q36::test

#include "transfer_window_tests.moc"
