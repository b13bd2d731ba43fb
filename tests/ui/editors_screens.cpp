// Pictures of the editors after a whole read of a virtual radio holding varied channels, common
// values and scan lists, for checking them by eye:
//   xvfb-run -a -s "-screen 0 1280x1024x24" editors_screens <folder>
// saves editors-channels.png, editors-dcs-list.png, editors-common.png and scan-editor.png, and,
// after a few edits, compare-window.png (the store against the workbook saved before them) and
// open-preview.png (the question before that workbook is opened, its details shown), then
// edit-menu.png and paste-refusal.png.
// With Q36_SCREENS_PALETTE=dark the windows show a dark desktop palette; with QT_SCALE_FACTOR=2
// (and a screen large enough) they show at twice the size.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cstdio>

#include "modal_answerer.h"
#include "support/radio_bench.h"
#include "support/radio_on_pty.h"
#include "support/store_copy.h"
#include "text/choice_lists.h"
#include "text/text_pairs.h"
#include "ui/channel_grid.h"
#include "ui/channel_grid_model.h"
#include "ui/main_form.h"
#include "ui/qt_translation.h"
#include "ui/scan_form.h"
#include "ui/workbook_file_chooser.h"

namespace {

// The window; with onScreen, what the screen shows where it lies, a list open over it included.
bool Snap(QWidget& window, const QString& folder, const QString& name, bool onScreen = false) {
    QTest::qWait(400);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    QStringList arguments{QStringLiteral("-window"), QString::number(window.winId())};
    if (onScreen) {
        const QRect area = window.frameGeometry();
        arguments =
            QStringList{QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-crop"),
                        QStringLiteral("%1x%2+%3+%4")
                            .arg(area.width())
                            .arg(area.height())
                            .arg(area.x())
                            .arg(area.y()),
                        QStringLiteral("+repage")};
    }
    const int status = QProcess::execute(QStringLiteral("import"), arguments << path);
    std::printf("%s %s\n", status == 0 ? "saved" : "FAILED", qPrintable(path));
    return status == 0;
}

// A radio whose channels use every kind of value the grid shows.
q36::RadioImage VariedRadio() {
    using namespace q36;
    test::RadioBench writer;
    for (std::size_t i = 0; i < writer.host.channels.size(); ++i) {
        ChannelResult& row = writer.host.channels[i];
        row.FTX = std::to_string(400 + int(i)) + ".125";
        row.REFREQUENCY = std::to_string(439 - int(i)) + ".5";
        row.TXPOWER = ChoiceAt(lists::TxPower, int(i % 3), q36::LANGUAGE_CHINESE);
        row.BW = ChoiceAt(lists::Bandwidth, int(i % 2), q36::LANGUAGE_CHINESE);
        row.ADDSCAN = ChoiceAt(lists::AddScan, i % 3 ? 1 : 0, q36::LANGUAGE_CHINESE);
        row.BUSY = ChoiceAt(lists::Busy, int(i % 2), q36::LANGUAGE_CHINESE);
        row.LEVEL = int(i % 9);
        row.VOX = i % 4 == 1 ? "True" : "False";
        const char* types[] = {"NULL", "CTCSS", "DCS+", "DCS-"};
        row.FTONE = types[i % 4];
        row.SDATA = i % 4 == 0 ? "" : i % 4 == 1 ? "88.5" : "754";
        row.RETONE = types[(i + 1) % 4];
        row.REDATA = (i + 1) % 4 == 0 ? "" : (i + 1) % 4 == 1 ? "131.8" : "23";
    }
    writer.host.channels[9].ENABLED = "False";
    writer.host.channels[17].ENABLED = "False";
    writer.host.page.tot = "120";
    writer.host.page.ani = "12345";
    writer.host.page.scanPause = 1;
    writer.host.scans[0].slots[0] = "CH02";
    writer.host.scans[0].slots[1] = "CH03";
    writer.host.scans[1].slots[0] = "CH05";
    writer.host.scans[1].slots[1] = "CH06";
    writer.host.scans[1].slots[2] = "CH08";
    writer.Write();
    return writer.radio.Image();
}

// Save and Open, and the compare window, all take the one workbook.
class OneFileChooser final : public q36::ui::WorkbookFileChooser {
  public:
    explicit OneFileChooser(QString name) : name_(std::move(name)) {}
    QString SaveFileName(QWidget*) override { return name_; }
    QString OpenFileName(QWidget*) override { return name_; }

  private:
    QString name_;
};

// Changes two channels, a common value and a scan list slot in the store, each posted.
bool EditStore(q36::ui::TMainForm& main) {
    q36::Query& channels = main.StoreSide()->ChannelQuery();
    q36::Query& common = main.StoreSide()->ParamQuery();
    q36::Query& scans = main.StoreSide()->ScanQuery();
    return channels.Locate("CHANNELNO", "03").ok() && channels.Edit().ok() &&
           channels.WriteText("FTX", "402.5").ok() && channels.Post().ok() &&
           channels.Locate("CHANNELNO", "05").ok() && channels.Edit().ok() &&
           channels.WriteText("TXPOWER", "低").ok() && channels.WriteText("BW", "窄").ok() &&
           channels.Post().ok() && common.Edit().ok() && common.WriteText("TOPSET", "60").ok() &&
           common.Post().ok() && scans.Locate("LIST", "2").ok() && scans.Edit().ok() &&
           scans.WriteText("04", "CH09").ok() && scans.Post().ok();
}

// The compare window against the workbook saved before the edits, and the preview Open shows.
bool SnapCompareAndPreview(q36::ui::TMainForm& main, q36::test::ModalAnswerer& answerer,
                           const QString& folder) {
    QTemporaryDir files;
    main.SetFileChooser(std::make_unique<OneFileChooser>(files.filePath("radio.xlsx")));
    main.SaveTButClick();
    // A backups folder of its own, holding that workbook as a backup, in place of the user's.
    qputenv("XDG_DATA_HOME", files.path().toLocal8Bit());
    QDir().mkpath(files.filePath("q36cps/backups"));
    QFile::copy(files.filePath("radio.xlsx"),
                files.filePath("q36cps/backups/2026-12-09_143012_400-440_fw1.0.3.xlsx"));
    if (!EditStore(main)) {
        std::printf("FAILED edits\n");
        return false;
    }
    main.RefreshPages();
    main.CompareTButClick();
    auto* compare = main.findChild<QDialog*>(QStringLiteral("CompareForm"));
    compare->findChild<QPushButton*>(QStringLiteral("CompareWorkbookBut"))->click();
    bool ok = Snap(*compare, folder, QStringLiteral("compare-window"));
    compare->close();
    answerer.On(QStringLiteral("ChangesPreview"), [&](QWidget& dialog) {
        dialog.findChild<QToolButton*>(QStringLiteral("PreviewDetails"))->click();
        ok &= Snap(dialog, folder, QStringLiteral("open-preview"));
        static_cast<QDialog&>(dialog).reject();
    });
    main.OpenTButClick();
    return ok && answerer.Names().contains(QStringLiteral("ChangesPreview"));
}

// The Edit menu open over a selection of the channel page, and the message that names a value a
// paste refused (the second of three transmit frequencies, out of the band).
bool SnapEditing(q36::ui::TMainForm& main, q36::test::ModalAnswerer& answerer,
                 const QString& folder) {
    using namespace q36::ui::channel_column;
    main.findChild<QTabWidget*>(QStringLiteral("suiPageControl1"))->setCurrentIndex(1);
    q36::ui::ChannelGrid& grid = main.Grid();
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(5, Ftx));
    grid.selectionModel()->select(
        QItemSelection(grid.model()->index(5, Ftx), grid.model()->index(7, Ftx)),
        QItemSelectionModel::ClearAndSelect);
    auto* menu = main.findChild<QMenu*>(QStringLiteral("EditMenu"));
    main.menuBar()->setActiveAction(menu->menuAction());
    bool ok = Snap(main, folder, QStringLiteral("edit-menu"), true);
    menu->hide();
    QGuiApplication::clipboard()->setText(QStringLiteral("405\n499\n406\n"));
    answerer.On(QStringLiteral("PasteRefusal"), [&](QWidget& box) {
        ok &= Snap(box, folder, QStringLiteral("paste-refusal"));
        static_cast<QDialog&>(box).accept();
    });
    main.findChild<QAction*>(QStringLiteral("PasteMenu"))->trigger();
    return ok && answerer.Names().contains(QStringLiteral("PasteRefusal"));
}

}  // namespace

int main(int argc, char* argv[]) {
    setenv("Q36_PORTS", "", 0);
    QApplication application(argc, argv);
    // Qt's palette from a dark button colour: white text on black fields, as a dark theme.
    if (qgetenv("Q36_SCREENS_PALETTE") == "dark")
        QApplication::setPalette(QPalette(QColor(49, 54, 59)));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    q36::ui::UseQtTexts(q36::LANGUAGE_CHINESE);
    // As every run after the band dialog: the factory values are shown but locked.
    q36::RunSettings settings;
    settings.FactoryLock = 1;

    q36::test::RadioOnPty radio(VariedRadio());
    q36::test::StoreCopy store;
    q36::ui::TMainForm main(settings, [] { return false; });
    std::string error;
    if (!radio.Start() || !store.Ok() || !main.ConnectDatabase(store.Path(), error)) {
        std::printf("FAILED set-up %s\n", error.c_str());
        return 1;
    }
    main.Comm().SetCommName(radio.Path());
    main.ReopenPort();
    q36::test::ModalAnswerer answerer;
    main.show();
    main.ReadTButClick();
    const QString done =
        QString::fromStdString(q36::Tr(q36::txt::MsgReadDone, q36::LANGUAGE_CHINESE));
    if (!q36::test::WaitFor([&] { return answerer.Texts().contains(done); }, 15000)) {
        std::printf("FAILED read: %s\n", qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        return 1;
    }
    bool ok = true;
    // The tone-value list shown over the focused value cell of channel 2.
    q36::ui::ChannelGrid& grid = main.Grid();
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(1, q36::ui::channel_column::Sdata));
    ok &= Snap(main, folder, QStringLiteral("editors-channels"));
    // The 83 DCS codes of channel 3, opened with Enter: 16 rows and a scroll bar.
    grid.setCurrentIndex(grid.model()->index(2, q36::ui::channel_column::Sdata));
    QTest::keyClick(&grid, Qt::Key_Return);
    ok &= Snap(main, folder, QStringLiteral("editors-dcs-list"), true);
    QTest::keyClick(grid.DBComboBoxEh1->view(), Qt::Key_Escape);
    main.findChild<QTabWidget*>(QStringLiteral("suiPageControl1"))->setCurrentIndex(0);
    ok &= Snap(main, folder, QStringLiteral("editors-common"));
    answerer.On(QStringLiteral("TScanForm"), [&](QWidget& window) {
        ok &= Snap(window, folder, QStringLiteral("scan-editor"));
        static_cast<q36::ui::TScanForm&>(window).Button2Click();
    });
    main.ScanTButClick();
    ok &= SnapCompareAndPreview(main, answerer, folder);
    ok &= SnapEditing(main, answerer, folder);
    return ok ? 0 : 1;
}
