// Opens each window of the program on the display and saves a picture of it, so that the
// windows can be checked by eye: xvfb-run -a -s "-screen 0 1280x1024x24" ui_screens <folder>.
// The main window shows the rows of a freshly reset store for the band 400-440; when Q36_PORTS
// names a virtual radio (q36cli radio), it shows a copy of the delivered store after a whole
// read of that radio, the way the README's pictures are taken.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "modal_answerer.h"
#include "support/memory_host.h"
#include "support/radio_on_pty.h"
#include "support/store_copy.h"
#include "text/text_pairs.h"
#include "ui/about_form.h"
#include "ui/login_form.h"
#include "ui/main_form.h"
#include "ui/param_form.h"
#include "ui/qt_translation.h"
#include "ui/ver_form.h"

namespace {

bool Snap(QWidget& window, const QString& folder, const QString& name) {
    window.show();
    window.raise();
    QTest::qWait(400);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    const int status =
        QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QString::number(window.winId()), path});
    window.hide();
    std::printf("%s %s\n", status == 0 ? "saved" : "FAILED", qPrintable(path));
    return status == 0;
}

// The whole screen, for a message box over its window; or only the part a widget covers.
bool SnapScreen(const QString& folder, const QString& name, const QWidget* part = nullptr) {
    QTest::qWait(400);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    QStringList arguments{QStringLiteral("-window"), QStringLiteral("root")};
    if (part) {
        const QPoint at = part->mapToGlobal(QPoint(0, 0));
        arguments << QStringLiteral("-crop")
                  << QStringLiteral("%1x%2+%3+%4")
                         .arg(part->width())
                         .arg(part->height())
                         .arg(at.x())
                         .arg(at.y())
                  << QStringLiteral("+repage");
    }
    const int status = QProcess::execute(QStringLiteral("import"), arguments << path);
    std::printf("%s %s\n", status == 0 ? "saved" : "FAILED", qPrintable(path));
    return status == 0;
}

// A read from a radio whose cable is pulled halfway: the message the read ends with, the
// window afterwards, and what the Read command says then.
bool SnapVanishedPort(const QString& folder) {
    q36::RadioConfig config;
    config.faults.hangupAfter = 14;
    q36::test::RadioOnPty radio(q36::DefaultRadioImage(400, 440), config);
    if (!radio.Start()) return false;
    const QByteArray previousPorts = qgetenv("Q36_PORTS");
    qputenv("Q36_PORTS", QByteArray::fromStdString(radio.Path()));
    q36::test::StoreCopy store;
    const q36::RunSettings settings;
    q36::ui::TMainForm main(settings, [] { return false; });
    std::string error;
    if (!store.Ok() || !main.ConnectDatabase(store.Path(), error)) {
        std::printf("FAILED store: %s\n", error.c_str());
        return false;
    }
    main.OpenFirstPort();
    qputenv("Q36_PORTS", previousPorts);
    main.show();
    bool ok = true;
    int shot = 0;
    q36::test::ModalAnswerer answerer;
    answerer.On(QStringLiteral("TransferMessage"), [&](QWidget& box) {
        static const char* const names[] = {"vanished_port_message", "vanished_port_read_again"};
        if (shot < 2) ok &= SnapScreen(folder, QString::fromLatin1(names[shot++]));
        static_cast<QMessageBox&>(box).button(QMessageBox::Ok)->click();
    });
    main.ReadTButClick();
    if (!q36::test::WaitFor([&] { return shot == 1 && !main.PortOpen(); }, 10000)) {
        std::printf("FAILED vanished port: %s\n",
                    qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        return false;
    }
    QTest::qWait(300);
    ok &= Snap(main, folder, QStringLiteral("vanished_port_status"));
    main.show();
    main.ReadTButClick();
    ok &= q36::test::WaitFor([&] { return shot == 2; }, 5000);
    return ok;
}

// The port panel with an open port of a long name, and the question a read asks first, with
// Qt's own buttons in Chinese.
bool SnapPortPanelAndQuestion(const QString& folder) {
    q36::test::RadioOnPty radio(q36::DefaultRadioImage(400, 440));
    QTemporaryDir links;
    const QString port = links.filePath(QStringLiteral("usb-Prolific_USB-Serial_Controller-if00"));
    if (!radio.Start() || !QFile::link(QString::fromStdString(radio.Path()), port)) return false;
    q36::test::StoreCopy store;
    const q36::RunSettings settings;
    q36::ui::TMainForm main(settings, [] { return false; });
    std::string error;
    if (!store.Ok() || !main.ConnectDatabase(store.Path(), error)) return false;
    main.Comm().SetCommName(port.toStdString());
    main.ReopenPort();
    main.show();
    bool ok = SnapScreen(folder, QStringLiteral("port-panel"), main.statusBar());
    q36::test::ModalAnswerer answerer;
    answerer.On(QStringLiteral("TransferQuestion"), [&](QWidget& box) {
        ok &= SnapScreen(folder, QStringLiteral("message-box"), &main);
        static_cast<QMessageBox&>(box).button(QMessageBox::No)->click();
    });
    main.ReadTButClick();
    return ok && answerer.Names() == QStringList{QStringLiteral("TransferQuestion")};
}

}  // namespace

int main(int argc, char* argv[]) {
    // Never touch the computer's own serial ports.
    setenv("Q36_PORTS", "", 0);
    QApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    // As the program's start-up does: Qt's own texts in the program's language.
    q36::ui::UseQtTexts(q36::LANGUAGE_CHINESE);
    bool ok = true;

    q36::RunSettings settings;
    q36::ui::TLoginForm band(settings, "/nonexistent/Q36DataBase.mdb");
    ok &= Snap(band, folder, QStringLiteral("band_dialog"));
    q36::ui::TVerForm version(settings);
    ok &= Snap(version, folder, QStringLiteral("version_dialog"));

    q36::test::MemoryHost data;
    q36::test::StoreCopy store;
    q36::ui::TMainForm main(settings, [] { return false; });
    const char* radioPorts = std::getenv("Q36_PORTS");
    if (radioPorts && *radioPorts) {
        std::string error;
        if (!store.Ok() || !main.ConnectDatabase(store.Path(), error)) {
            std::printf("FAILED store: %s\n", error.c_str());
            return 1;
        }
        q36::test::ModalAnswerer answerer;
        main.OpenFirstPort();
        main.show();
        main.ReadTButClick();
        const QString done =
            QString::fromStdString(q36::Tr(q36::txt::MsgReadDone, q36::LANGUAGE_CHINESE));
        if (!q36::test::WaitFor([&] { return answerer.Texts().contains(done); }, 15000)) {
            std::printf("FAILED read: %s\n",
                        qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
            return 1;
        }
        main.hide();
    } else {
        main.SetDataSide(&data);
    }
    ok &= Snap(main, folder, QStringLiteral("main_channels"));
    main.findChild<QTabWidget*>(QStringLiteral("suiPageControl1"))->setCurrentIndex(0);
    ok &= Snap(main, folder, QStringLiteral("main_common"));

    q36::ui::TParamForm ports(settings, [] {
        return std::vector<std::string>{"/dev/ttyUSB0", "/dev/pts/3"};
    });
    ok &= Snap(ports, folder, QStringLiteral("port_dialog"));
    q36::ui::TAboutForm about(q36::LANGUAGE_CHINESE);
    ok &= Snap(about, folder, QStringLiteral("about_box"));
    ok &= SnapVanishedPort(folder);
    ok &= SnapPortPanelAndQuestion(folder);
    return ok ? 0 : 1;
}
