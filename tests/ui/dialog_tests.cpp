// The rules of the band, version, port and about dialogs.

#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "modal_answerer.h"
#include "protocol/run_settings.h"
#include "runner/connection_texts.h"
#include "store/connection.h"
#include "store/database_location.h"
#include "store/query.h"
#include "support/radio_bench.h"
#include "support/radio_on_pty.h"
#include "support/store_copy.h"
#include "text/text_pairs.h"
#include "ui/about_form.h"
#include "ui/login_form.h"
#include "ui/param_form.h"
#include "ui/ui_text.h"
#include "ui/ver_form.h"
#include "ui/version_text.h"
#include "ui/window_texts.h"
#include "ui_test_registry.h"

namespace q36::test {

// Receives the addresses the about box asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public Q_SLOTS:
    void Open(const QUrl& url) { opened << url; }
};

class DialogTests : public QObject {
    Q_OBJECT
  private Q_SLOTS:

    void BandDialogTakesTheChosenBandAndResetsTheStore() {
        StoreCopy store;
        QVERIFY(store.Ok());
        // Rows of an earlier run that the reset must replace.
        {
            Connection connection;
            QVERIFY(connection.Open(store.Path()).ok());
            QVERIFY(connection.Execute("update CHANNELTABLE set FTX = 401.5, LEVEL = '0'").ok());
        }
        RunSettings settings;
        ui::TLoginForm dialog(settings, store.Path());
        QVERIFY(dialog.ConnectionError().empty());
        auto* list = dialog.findChild<QComboBox*>(QStringLiteral("suiComboBox"));
        QCOMPARE(list->count(), 5);
        QCOMPARE(list->currentText(), QStringLiteral("400-440"));
        list->setCurrentIndex(4);
        dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(settings.BandText, std::string("136-174"));
        QCOMPARE(settings.BandIndex, 4);
        QCOMPARE(settings.BandLowMHz, 136);
        QCOMPARE(settings.BandHighMHz, 174);
        QCOMPARE(settings.FactoryLock, 1);

        Connection connection;
        QVERIFY(connection.Open(store.Path()).ok());
        Query channels(connection);
        QVERIFY(channels.Open("select * from CHANNELTABLE").ok());
        QCOMPARE(channels.RecordCount(), 24);
        for (int row = 0; row < channels.RecordCount(); ++row) {
            QCOMPARE(std::stod(channels.TextAt(row, "FTX")), 136.0);
            QCOMPARE(std::stod(channels.TextAt(row, "REFREQUENCY")), 174.0);
            QCOMPARE(channels.TextAt(row, "LEVEL"), std::string("4"));
        }
    }

    void BandDialogWithoutItsStoreSaysWhy() {
        RunSettings settings;
        ui::TLoginForm dialog(settings, "/nonexistent/Q36DataBase.mdb");
        QVERIFY(!dialog.ConnectionError().empty());
    }

    void ListsRefuseTypedCharactersButLetEnterThrough() {
        StoreCopy store;
        RunSettings settings;
        ui::TLoginForm band(settings, store.Path());
        band.show();
        auto* bands = band.findChild<QComboBox*>(QStringLiteral("suiComboBox"));
        // Without the filter "1" would jump to the first entry starting with it, 136-174.
        QTest::keyClicks(bands, QStringLiteral("1x"));
        QCOMPARE(bands->currentIndex(), 0);
        QTest::keyClick(bands, Qt::Key_Down);
        QCOMPARE(bands->currentIndex(), 1);
        QTest::keyClick(bands, Qt::Key_Return);
        QCOMPARE(band.result(), int(QDialog::Accepted));
        QCOMPARE(settings.BandText, std::string("430-470"));

        ui::TParamForm ports(settings, [] {
            return std::vector<std::string>{"/dev/pts/7", "/dev/pts/9"};
        });
        ports.show();
        auto* list = ports.findChild<QComboBox*>(QStringLiteral("suiComboBox"));
        list->setCurrentIndex(1);
        QTest::keyClicks(list, QStringLiteral("/dev/pts/7"));
        QCOMPARE(list->currentText(), QStringLiteral("/dev/pts/9"));
    }

    void VersionListDecidesTheScanListVariant() {
        RunSettings settings;
        settings.HasScanList = false;
        ui::TVerForm dialog(settings);
        QVERIFY(settings.HasScanList);  // creation selects the first entry
        auto* list = dialog.findChild<QComboBox*>(QStringLiteral("suiComboBox"));
        list->setCurrentIndex(1);
        QVERIFY(!settings.HasScanList);
        list->setCurrentIndex(0);
        QVERIFY(settings.HasScanList);
        list->setCurrentIndex(1);
        dialog.show();
        for (const QString& typed : {QStringLiteral("检"), QStringLiteral("如")}) {
            QTest::sendKeyEvent(QTest::Press, list, Qt::Key_unknown, typed, Qt::NoModifier);
        }
        QCOMPARE(list->currentIndex(), 1);
        dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!settings.HasScanList);
    }

    void PortDialogListsProbedPortsAndShowsBandAndMaskedPassword() {
        RunSettings settings;
        settings.BandText = "350-390";
        std::vector<std::string> found{"/dev/pts/3"};
        ui::TParamForm dialog(settings, [&found] { return found; });
        auto* list = dialog.findChild<QComboBox*>(QStringLiteral("suiComboBox"));
        QCOMPARE(list->count(), 1);
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label4"))->text(),
                 QStringLiteral("350-390"));
        auto* password = dialog.findChild<QLineEdit*>(QStringLiteral("PWEdit"));
        QVERIFY(!password->isEnabled());
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QCOMPARE(dialog.Password(), std::string("KZP"));

        // The list is rebuilt from a fresh probe at each opening.
        found = {"/dev/ttyUSB0", "/dev/ttyUSB1"};
        dialog.ListDialogPorts();
        QCOMPARE(list->count(), 2);
        QCOMPARE(dialog.PortName(), QStringLiteral("/dev/ttyUSB0"));
        dialog.SetPortName(QStringLiteral("/dev/ttyUSB1"));
        QCOMPARE(dialog.PortName(), QStringLiteral("/dev/ttyUSB1"));
        // The port in use is shown even when the probe no longer lists it.
        dialog.SetPortName(QStringLiteral("/dev/ttyACM0"));
        QCOMPARE(dialog.PortName(), QStringLiteral("/dev/ttyACM0"));
    }

    void PortDialogRefusesAnEmptyPassword() {
        const RunSettings settings;
        ui::TParamForm dialog(settings, [] { return std::vector<std::string>{}; });
        dialog.findChild<QLineEdit*>(QStringLiteral("PWEdit"))->clear();
        dialog.show();
        ModalAnswerer answerer;
        dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QCOMPARE(answerer.Texts(),
                 QStringList{QString::fromStdString(Tr(txt::MsgEnterPassword, LANGUAGE_CHINESE))});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.findChild<QLineEdit*>(QStringLiteral("PWEdit"))->setText(QStringLiteral("KZP"));
        dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void PortDialogChecksTheChosenPortAndLeavesTheWindowsOwnAlone() {
        RadioOnPty radio(DefaultRadioImage(400, 440));
        QVERIFY(radio.Start());
        const RunSettings settings;
        ui::TParamForm dialog(settings,
                              [&radio] { return std::vector<std::string>{radio.Path()}; });
        ModalAnswerer answerer;
        auto* check = dialog.findChild<QPushButton*>(QStringLiteral("CheckButton"));
        check->click();
        QCOMPARE(answerer.Texts().size(), 1);
        QCOMPARE(answerer.Texts()[0].count(QLatin1Char('\n')), 5);
        QVERIFY(!answerer.Texts()[0].contains(ui::QTr(connection::texts::MarkFailed, 0)));
        QVERIFY(answerer.Texts()[0].contains(QStringLiteral("1.0.3")));
        // The window's own port: said so, neither opened again nor sent a handshake.
        dialog.SetHeldPort(QString::fromStdString(radio.Path()));
        check->click();
        QVERIFY(answerer.Texts()[1].contains(ui::QTr(connection::texts::HeldBySelf, 0)));
        QCOMPARE(radio.StoppedRadio().ReceivedFrames().size(), std::size_t(1));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void VersionTextHasFourNumbers_data() {
        QTest::addColumn<QString>("compiled");
        QTest::addColumn<QString>("shown");
        QTest::newRow("release") << "1.1.0.4"
                                 << "1.1.0.4";
        QTest::newRow("none") << ""
                              << "0.0.0.0";
        QTest::newRow("short") << "2.5"
                               << "2.5.0.0";
        QTest::newRow("leading zeros") << "01.002.0.4"
                                       << "1.2.0.4";
        QTest::newRow("letters") << "1.a.0.4"
                                 << "0.0.0.0";
        QTest::newRow("five parts") << "1.2.3.4.5"
                                    << "0.0.0.0";
        QTest::newRow("empty part") << "1..3"
                                    << "0.0.0.0";
        QTest::newRow("trailing dot") << "1.2."
                                      << "0.0.0.0";
        QTest::newRow("beyond 16 bits") << "65536.0.0.0"
                                        << "0.0.0.0";
    }
    void VersionTextHasFourNumbers() {
        QFETCH(QString, compiled);
        QFETCH(QString, shown);
        QCOMPARE(QString::fromStdString(ui::FourPartVersion(compiled.toStdString())), shown);
    }

    void AboutBoxShowsVersionOpensOnceAndFollowsTheLink() {
        ui::TAboutForm about(LANGUAGE_CHINESE);
        about.ShowAbout();
        about.ShowAbout();
        QVERIFY(about.isVisible());
        QVERIFY(!about.isModal());
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label3"))->text(),
                 QString::fromStdString(Tr(ui::wtxt::VersionPrefix, LANGUAGE_CHINESE)) + "1.1.0.4");
        // Its tooltip names the database the program works with: here the build folder's.
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label3"))->toolTip(),
                 QString::fromStdString(Fill(Tr(texts::DatabaseBesideProgram, LANGUAGE_CHINESE),
                                             "{file}", DefaultDatabasePath())));

        UrlCatcher catcher;
        const QString scheme = about.WebAddress().scheme();
        QDesktopServices::setUrlHandler(scheme, &catcher, "Open");
        QTest::mouseClick(about.findChild<QLabel*>(QStringLiteral("Label8")), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(scheme);
        QCOMPARE(catcher.opened, QList<QUrl>{about.WebAddress()});

        about.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QVERIFY(!about.isVisible());
    }
};

namespace {
const RegisterUiTest<DialogTests> registered;
}

}  // namespace q36::test

#include "dialog_tests.moc"
