// The main window's own behaviour: the notification area, the right-button filter, the port
// state at start and after the port dialog, and what the radio variant enables.

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "modal_answerer.h"
#include "protocol/run_settings.h"
#include "pty_pair.h"
#include "serial/port_probe.h"
#include "serial/queue_notice_receiver.h"
#include "serial/tcomm.h"
#include "support/radio_bench.h"
#include "text/messages.h"
#include "text/text_pairs.h"
#include "ui/common_page.h"
#include "ui/main_form.h"
#include "ui/param_form.h"
#include "ui/safety_texts.h"
#include "ui/tray_parking.h"
#include "ui_test_registry.h"

namespace q36::test {

namespace {

QString Text(const TextPair& pair) {
    return QString::fromStdString(Tr(pair, LANGUAGE_CHINESE));
}

// Counts the mouse presses that reach it.
class PressCounter : public QWidget {
  public:
    int presses = 0;

  protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

}  // namespace

class MainWindowTests : public QObject {
    Q_OBJECT
  private Q_SLOTS:

    void MinimiseParksTheWindowInTheTrayAndALeftClickRestoresIt() {
        const RunSettings settings;
        ui::TMainForm form(settings, [] { return true; });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.setWindowState(Qt::WindowMinimized);
        QVERIFY(!form.isVisible());
        QVERIFY(form.Tray().Parked());
        QCOMPARE(form.Tray().Icon().toolTip(), QStringLiteral("Q36"));

        Q_EMIT form.Tray().Icon().activated(QSystemTrayIcon::Context);
        Q_EMIT form.Tray().Icon().activated(QSystemTrayIcon::MiddleClick);
        QVERIFY(!form.isVisible());
        Q_EMIT form.Tray().Icon().activated(QSystemTrayIcon::Trigger);
        QVERIFY(form.isVisible());
        QVERIFY(!form.isMinimized());
        QVERIFY(!form.Tray().Parked());
    }

    void WithoutATrayMinimiseKeepsTheWindowReachable() {
        const RunSettings settings;
        ui::TMainForm form(settings, [] { return false; });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.setWindowState(Qt::WindowMinimized);
        QVERIFY(form.isVisible());
        QVERIFY(form.isMinimized());
        QVERIFY(!form.Tray().Parked());
    }

    void RightButtonReachesNoWidgetOnceTheWindowIsShown() {
        const RunSettings settings;
        ui::TMainForm form(settings, [] { return false; });
        PressCounter probe;
        probe.resize(50, 50);
        probe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&probe));
        QTest::mouseClick(&probe, Qt::RightButton);
        QCOMPARE(probe.presses, 1);  // no filter before the main window shows

        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(&probe, Qt::RightButton);
        QCOMPARE(probe.presses, 1);
        QTest::mouseClick(&probe, Qt::LeftButton);
        QCOMPARE(probe.presses, 2);

        // An edit field would otherwise open its context menu.
        form.findChild<QTabWidget*>(QStringLiteral("suiPageControl1"))->setCurrentIndex(0);
        auto* edit = form.findChild<QLineEdit*>(QStringLiteral("suiDBEdit1"));
        QTest::mouseClick(edit, Qt::RightButton);
        QTest::qWait(20);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
    }

    void ShowingFollowsTheVariantAndTheBand() {
        RunSettings settings;
        settings.HasScanList = false;
        settings.BandText = "136-174";
        ui::TMainForm form(settings, [] { return false; });
        form.show();
        QCOMPARE(form.windowTitle(), Text(txt::MainCaption) + QStringLiteral("(136-174)"));
        QVERIFY(!form.findChild<QToolButton*>(QStringLiteral("ScanTBut"))->isEnabled());
        QVERIFY(!form.findChild<QAction*>(QStringLiteral("MMenu"))->isEnabled());
        QVERIFY(!form.CommonPage().ScanGroupBox->isEnabled());
        QCOMPARE(form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->maximum(), 25);
        QVERIFY(!form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->isVisible());
        auto* pages = form.findChild<QTabWidget*>(QStringLiteral("suiPageControl1"));
        QCOMPARE(pages->currentIndex(), 1);

        settings.FactoryLock = 1;
        pages->setCurrentIndex(0);
        QVERIFY(!form.CommonPage().FactoryGroupBox->isEnabled());

        auto* timer = form.findChild<QTimer*>(QStringLiteral("Timer1"));
        QCOMPARE(timer->interval(), 2000);
        QVERIFY(!timer->isSingleShot());
        QVERIFY(!timer->isActive());
    }

    void NoPortIsReportedAndReadAndWriteRefuse() {
        PortsSetting none("");
        const RunSettings settings;
        ui::TMainForm form(settings, [] { return false; });
        ModalAnswerer answerer;
        form.OpenFirstPort();
        QCOMPARE(answerer.Texts(), QStringList{Text(txt::MsgNoPort)});
        QCOMPARE(form.StatusPanelText(0), Text(txt::TxtNoCom));
        QVERIFY(!form.PortOpen());
        QVERIFY(form.Comm().CommName().empty());

        form.ReadTButClick();
        form.WriteTButClick();
        QCOMPARE(answerer.Texts().mid(1),
                 QStringList({Text(txt::MsgOpenPortFirst), Text(txt::MsgOpenPortFirst)}));

        // The safe write's switches start on; a turn reaches the write and is reported to keep.
        auto* backup = form.findChild<QAction*>(QStringLiteral("BackupMenu"));
        auto* verify = form.findChild<QAction*>(QStringLiteral("VerifyMenu"));
        QVERIFY(backup && verify && backup->isChecked() && verify->isChecked());
        QSignalSpy changed(&form, &ui::TMainForm::WriteSafetyChanged);
        verify->trigger();
        QVERIFY(form.GetWriteSafety().backup && !form.GetWriteSafety().verify);
        QCOMPARE(changed.takeFirst(), QVariantList({true, false}));
        form.findChild<QAction*>(QStringLiteral("TraceMenu"))->trigger();
        QCOMPARE(answerer.Texts().last(), Text(ui::wtxt::MsgNoTrace));
    }

    void FirstPortFoundIsOpened() {
        PtyPair pty;
        QVERIFY(pty.Ok());
        PortsSetting ports("/dev/q36-no-such-port:" + pty.SlavePath());
        const RunSettings settings;
        ui::TMainForm form(settings, [] { return false; });
        ModalAnswerer answerer;
        form.OpenFirstPort();
        QVERIFY(answerer.Seen().isEmpty());
        QVERIFY(form.PortOpen());
        QCOMPARE(form.StatusPanelText(0),
                 QString::fromStdString(PortOpenStatusText(pty.SlavePath(), LANGUAGE_CHINESE)));
    }

    void BusyPortIsReportedAndTheWindowStillOpens() {
        PtyPair pty;
        QVERIFY(pty.Ok());
        QueueNoticeReceiver otherReceiver;
        TComm otherProgram(otherReceiver);
        otherProgram.SetCommName(pty.SlavePath());
        otherProgram.OpenPort();

        PortsSetting ports(pty.SlavePath());
        const RunSettings settings;
        ui::TMainForm form(settings, [] { return false; });
        ModalAnswerer answerer;
        form.OpenFirstPort();
        QCOMPARE(answerer.Seen().size(), 1);
        QVERIFY(answerer.Texts()[0].startsWith(
            QString::fromStdString(PortBusyMessage(pty.SlavePath(), LANGUAGE_CHINESE))
                .replace("\r\n", "\n")));
        // The reason in the program's language, the system's own text after it (the lock's or,
        // without root's rights, the exclusive open's).
        QVERIFY(answerer.Texts()[0].contains(QLatin1Char('\n') + Text(txt::MsgPortInUse) + " ("));
        QCOMPARE(form.StatusPanelText(0),
                 QString::fromStdString(PortBusyStatusText(pty.SlavePath(), LANGUAGE_CHINESE)));
        QVERIFY(!form.PortOpen());

        // Once the other program lets go, the port dialog opens it; only the status bar speaks.
        otherProgram.ClosePort();
        ui::TParamForm dialog(settings, &ProbePorts);
        form.SetParamForm(&dialog);
        form.ParaTButClick();
        QVERIFY(form.PortOpen());
        QCOMPARE(form.StatusPanelText(0),
                 QString::fromStdString(PortOpenStatusText(pty.SlavePath(), LANGUAGE_CHINESE)));

        // Confirming the port in use reopens it; a port taken meanwhile shows busy, no message.
        form.ParaTButClick();
        QVERIFY(form.PortOpen());
        form.Comm().ClosePort();
        otherProgram.OpenPort();
        form.ParaTButClick();
        QVERIFY(!form.PortOpen());
        QCOMPARE(form.StatusPanelText(0),
                 QString::fromStdString(PortBusyStatusText(pty.SlavePath(), LANGUAGE_CHINESE)));
        QCOMPARE(answerer.Names().count(QStringLiteral("PortMessage")), 1);

        // A long path is shortened from the left: the state word stays whole, the tooltip
        // holds the whole text.
        const std::string longPath = "/dev/serial/by-id/usb-Prolific_USB-Serial_Controller-port0";
        form.Comm().SetCommName(longPath);
        form.ReopenPort();
        auto* panel = form.findChild<QLabel*>(QStringLiteral("StatusPanel0"));
        QVERIFY(panel->text().endsWith(QLatin1Char(' ') + Text(txt::TxtPortBusy)));
        QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) <
                panel->contentsRect().width());
        QCOMPARE(panel->toolTip(),
                 QString::fromStdString(PortBusyStatusText(longPath, LANGUAGE_CHINESE)));
    }

    void CancellingThePortDialogChangesNothing() {
        PtyPair pty;
        PtyPair other;
        QVERIFY(pty.Ok() && other.Ok());
        PortsSetting ports(pty.SlavePath() + ":" + other.SlavePath());
        const RunSettings settings;
        ui::TMainForm form(settings, [] { return false; });
        ModalAnswerer answerer;
        form.OpenFirstPort();
        ui::TParamForm dialog(settings, &ProbePorts);
        form.SetParamForm(&dialog);
        answerer.On(QStringLiteral("TParamForm"), [](QWidget& window) {
            auto& params = static_cast<ui::TParamForm&>(window);
            params.SetPortName(QString::fromStdString(PortsOf(1)));
            params.reject();
        });
        const QString before = form.StatusPanelText(0);
        form.ParaTButClick();
        QCOMPARE(answerer.Names(), QStringList{QStringLiteral("TParamForm")});
        QCOMPARE(form.StatusPanelText(0), before);
        QCOMPARE(form.Comm().CommName(), pty.SlavePath());
        QVERIFY(form.PortOpen());
    }

  private:
    static std::string PortsOf(std::size_t index) { return ProbePorts().at(index); }
};

namespace {
const RegisterUiTest<MainWindowTests> registered;
}

}  // namespace q36::test

#include "main_window_tests.moc"
