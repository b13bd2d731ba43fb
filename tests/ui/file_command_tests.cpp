// Save, Open and Print through the main window on a copy of the store; the test names the files
// in place of the file dialogs and answers every message box.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "codec/change_words.h"
#include "codec/channel_fields.h"
#include "exchange/chirp_csv_texts.h"
#include "modal_answerer.h"
#include "print/para_print_form.h"
#include "protocol/run_settings.h"
#include "store/query.h"
#include "store/store_transfer_data.h"
#include "support/radio_bench.h"
#include "support/scratch_folder.h"
#include "support/store_copy.h"
#include "text/text_pairs.h"
#include "ui/compare_texts.h"
#include "ui/main_form.h"
#include "ui/recent_workbooks.h"
#include "ui/undo_texts.h"
#include "ui/workbook_file_chooser.h"
#include "ui_test_registry.h"

namespace q36::test {

namespace {

QString Text(const TextPair& pair) {
    return QString::fromStdString(Tr(pair, LANGUAGE_CHINESE));
}

// Hands Save and Open the name the test set; an empty name is a cancelled dialog.
struct ChosenFile {
    QString name;
    int asked = 0;
};

class TestChooser final : public ui::WorkbookFileChooser {
  public:
    explicit TestChooser(std::shared_ptr<ChosenFile> chosen) : chosen_(std::move(chosen)) {}
    QString SaveFileName(QWidget*) override { return Next(); }
    QString OpenFileName(QWidget*) override { return Next(); }

  private:
    QString Next() {
        ++chosen_->asked;
        return chosen_->name;
    }
    std::shared_ptr<ChosenFile> chosen_;
};

// The main window on its own copy of the store, shown as start-up shows it.
struct StoreWindow {
    StoreWindow() {
        std::string error;
        ready = store.Ok() && form.ConnectDatabase(store.Path(), error);
        form.SetFileChooser(std::make_unique<TestChooser>(chosen));
        form.show();
    }
    QString File(const QString& name) const {
        return QString::fromStdString(folder.File(name.toStdString()));
    }
    Query& Channels() { return form.StoreSide()->ChannelQuery(); }

    // Every value the store holds, as one text.
    std::string Snapshot() {
        std::string all;
        ChannelArr rows;
        if (!form.LoadChannelRows(rows).ok()) return "channels unreadable";
        for (const ChannelResult& r : rows) {
            all += r.CHANNELNO + "|" + r.ENABLED + "|" + r.VOX + "|" + r.FTX + "|" + r.FTONE + "|" +
                   r.SDATA + "|" + r.TXPOWER + "|" + r.REFREQUENCY + "|" + r.RETONE + "|" +
                   r.REDATA + "|" + std::to_string(r.LEVEL) + "|" + r.BW + "|" + r.ADDSCAN + "|" +
                   r.BUSY + "\n";
        }
        ScanArr scans;
        if (!form.FillScanArr(scans).ok()) return "scans unreadable";
        for (const ScanResult& scan : scans) {
            for (const std::string& slot : scan.slots) all += slot + ",";
        }
        Query common(form.StoreSide()->ParamQuery().GetConnection());
        if (!common.Open("select * from PARAMETABLE").ok()) return "common row unreadable";
        for (const char* column : {"AVISET", "TOPSET", "LOSTTIME", "HIGHTRANPOWER", "KEYAPRESS"})
            all += "|" + common.TextAt(0, column);
        return all;
    }

    // Changes a channel, a scan list and the common row, each posted.
    bool ChangeStore(const std::string& txFrequency, const std::string& slot,
                     const std::string& tot) {
        Query& channels = Channels();
        if (!channels.Locate("CHANNELNO", "03").ok() || !channels.Edit().ok() ||
            !channels.WriteText("FTX", txFrequency).ok() || !channels.Post().ok())
            return false;
        Query& scans = form.StoreSide()->ScanQuery();
        if (!scans.Locate("LIST", "2").ok() || !scans.Edit().ok() ||
            !scans.WriteText("01", slot).ok() || !scans.Post().ok())
            return false;
        Query& common = form.StoreSide()->ParamQuery();
        return common.Edit().ok() && common.WriteText("TOPSET", tot).ok() && common.Post().ok();
    }

    ScratchFolder folder;
    StoreCopy store;
    RunSettings settings;  // the 400-440 band; held by the window below
    ui::TMainForm form{settings, [] { return false; }};
    std::shared_ptr<ChosenFile> chosen = std::make_shared<ChosenFile>();
    bool ready = false;
};

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

}  // namespace

class FileCommandTests : public QObject {
    Q_OBJECT
  private Q_SLOTS:

    void RecentWorkbooksAreTheLastEightThatExistAndOpenThroughTheChecks() {
        StoreWindow window;
        QStringList made;
        for (int i = 0; i < 9; ++i) {
            made << QFileInfo(window.File(QStringLiteral("r%1.xlsx").arg(i))).absoluteFilePath();
            WriteFile(made.last(), "no workbook");
            ui::NoteRecentWorkbook(made.last());
        }
        ui::NoteRecentWorkbook(made[3]);  // again: first, and once
        QFile::remove(made[8]);
        QCOMPARE(window.form.RecentWorkbookList(),
                 QStringList({made[3], made[7], made[6], made[5], made[4], made[2], made[1]}));
        auto* menu = window.form.findChild<QMenu*>(QStringLiteral("FileMenu"));
        Q_EMIT menu->aboutToShow();
        QVERIFY(!window.form.findChild<QAction*>(QStringLiteral("RecentFile7")));
        ModalAnswerer answerer;
        window.form.findChild<QAction*>(QStringLiteral("RecentFile0"))->trigger();
        QCOMPARE(window.chosen->asked, 0);
        QVERIFY(window.form.ImportAttempted());
        QVERIFY(answerer.Texts().contains(Text(txt::MsgFileReadFailed)));
    }

    void SaveThenOpenRestoresTheStore_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("xlsx") << QStringLiteral("config.xlsx");
        QTest::newRow("xls") << QStringLiteral("config.xls");
        QTest::newRow("other name") << QStringLiteral("config");
    }
    void SaveThenOpenRestoresTheStore() {
        QFETCH(QString, name);
        StoreWindow window;
        QVERIFY(window.ready);
        QVERIFY(window.ChangeStore("412.5", "CH02", "120"));
        // A grid edit still open when Save is pressed is part of what is saved.
        QVERIFY(window.Channels().Locate("CHANNELNO", "07").ok());
        QVERIFY(window.Channels().Edit().ok());
        QVERIFY(window.Channels().WriteText("REFREQUENCY", "431.0125").ok());
        window.chosen->name = window.File(name);
        ModalAnswerer answerer;

        window.form.SaveTButClick();
        QCOMPARE(answerer.Texts(), QStringList{Text(txt::MsgFileSaved)});
        QVERIFY(!window.Channels().InEditMode());
        QVERIFY(QFile::exists(window.chosen->name));
        // The name is taken as typed: no extension is added.
        QCOMPARE(QDir(QString::fromStdString(window.folder.Path())).entryList(QDir::Files),
                 QStringList{name});
        const std::string saved = window.Snapshot();
        QVERIFY(saved.find("431.0125") != std::string::npos);

        QVERIFY(window.ChangeStore("425", "CH05", "150"));
        // An edit still open counts as part of the current data the preview compares with.
        QVERIFY(window.Channels().Locate("CHANNELNO", "05").ok());
        QVERIFY(window.Channels().Edit().ok());
        QVERIFY(window.Channels().WriteText("FTX", "433").ok());
        QVERIFY(window.Snapshot() != saved);
        // The preview names the numbers and lists each change; No stores nothing.
        const QString preview =
            QString::fromStdString(
                Fill(Fill(Fill(Tr(txt::TxtChangeCounts, LANGUAGE_CHINESE), "{channels}", "2"),
                          "{common}", "1"),
                     "{lists}", "1")) +
            QLatin1Char('\n') + Text(ui::ctxt::OpenQuestion);
        int detailLines = 0;
        answerer.On(QStringLiteral("ChangesPreview"), [&](QWidget& dialog) {
            detailLines =
                dialog.findChild<QPlainTextEdit*>(QStringLiteral("PreviewList"))->blockCount();
            static_cast<QDialog&>(dialog).reject();
        });
        window.form.OpenTButClick();
        QCOMPARE(answerer.Texts(), QStringList({Text(txt::MsgFileSaved), preview}));
        QCOMPARE(detailLines, 4);
        const std::string declined = window.Snapshot();
        QVERIFY(declined.find("\n03|True|True|425|") != std::string::npos);
        QVERIFY(declined.find("\n05|True|True|433|") != std::string::npos);
        answerer.On(QStringLiteral("ChangesPreview"),
                    [](QWidget& dialog) { static_cast<QDialog&>(dialog).accept(); });
        window.form.OpenTButClick();
        QCOMPARE(answerer.Texts(), QStringList({Text(txt::MsgFileSaved), preview, preview,
                                                Text(txt::MsgFileReadOk)}));
        QVERIFY(window.form.ImportAttempted());
        QCOMPARE(window.Snapshot(), saved);
        // The grid shows the restored row, still without its vertical scroll bar.
        auto* grid = window.form.findChild<QTableView*>(QStringLiteral("DBGridEh"));
        QVERIFY(grid->model()->index(2, 3).data().toString().startsWith(QStringLiteral("412.5")));
        QCOMPARE(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        // Open is one step, named with its file, and the File menu lists the file first.
        auto* undo = window.form.findChild<QAction*>(QStringLiteral("UndoMenu"));
        QCOMPARE(undo->text(), QString::fromStdString(
                                   Fill(Tr(ui::utxt::UndoStepMenu, LANGUAGE_CHINESE), "{step}",
                                        Fill(Fill(Tr(ui::utxt::StepDetail, LANGUAGE_CHINESE),
                                                  "{detail}", name.toStdString()),
                                             "{name}", Tr(ui::utxt::OpenName, LANGUAGE_CHINESE)))));
        QCOMPARE(window.form.RecentWorkbookList().value(0),
                 QFileInfo(window.chosen->name).absoluteFilePath());
        undo->trigger();
        QCOMPARE(window.Snapshot(), declined);
        window.form.findChild<QAction*>(QStringLiteral("RedoMenu"))->trigger();
        QCOMPARE(window.Snapshot(), saved);
        // The same file again changes nothing, and the preview says so before it asks.
        window.form.OpenTButClick();
        QCOMPARE(answerer.Texts().mid(4), QStringList({Text(txt::TxtNoChange) + QLatin1Char('\n') +
                                                           Text(ui::ctxt::OpenQuestion),
                                                       Text(txt::MsgFileReadOk)}));
    }

    void ChirpCsvSavedAndOpenedThroughThePreviewKeepsWhatItCannotHold() {
        StoreWindow window;
        QVERIFY(window.ready);
        window.chosen->name = window.File(QStringLiteral("radio.CSV"));
        ModalAnswerer answerer;
        window.form.SaveTButClick();
        QCOMPARE(answerer.Texts(),
                 QStringList({Text(txt::MsgFileSaved), Text(exchange::csvtxt::NotHeld)}));
        ChannelArr before;
        QVERIFY(window.form.LoadChannelRows(before).ok());
        QVERIFY(window.ChangeStore("412.5", "CH02", "120"));
        const std::string changed = window.Snapshot();

        window.form.OpenTButClick();
        QCOMPARE(answerer.Names().mid(2), QStringList({QStringLiteral("ChangesPreview"),
                                                       QStringLiteral("WorkbookMessage")}));
        ChannelArr after;
        QVERIFY(window.form.LoadChannelRows(after).ok());
        QCOMPARE(std::stod(after[2].FTX), std::stod(before[2].FTX));
        // The scan slot and the common value the CSV has no place for stay as changed.
        const auto beyondChannels = [](const std::string& all) {
            return all.substr(all.find('\n', all.find("\n24|") + 1));
        };
        QCOMPARE(beyondChannels(window.Snapshot()), beyondChannels(changed));

        window.chosen->name = QStringLiteral(Q36_FIXTURES_DIR "/chirp_tones.csv");
        window.form.OpenTButClick();
        QCOMPARE(answerer.Texts().last(), Text(txt::MsgFileReadOk));
        QVERIFY(answerer.Seen().last().name == QStringLiteral("WorkbookMessage"));
        QVERIFY(window.form.LoadChannelRows(after).ok());
        QCOMPARE(after[9].FTONE + after[9].SDATA + after[9].RETONE + after[9].REDATA,
                 std::string("DCS-31DCS-32"));
        QCOMPARE(after[11], before[11]);  // its row is refused
    }

    void OverwriteQuestionDecidesAndNeverRunsUnderTheWaitCursor() {
        StoreWindow window;
        QVERIFY(window.ready);
        window.chosen->name = window.File(QStringLiteral("kept.xlsx"));
        WriteFile(window.chosen->name, "a file the user wants to keep");
        ModalAnswerer answerer;
        bool waitCursorDuringQuestion = true;
        bool replace = false;
        QString caption;
        answerer.On(QStringLiteral("OverwriteQuestion"), [&](QWidget& question) {
            waitCursorDuringQuestion = QApplication::overrideCursor() != nullptr;
            auto& box = static_cast<QMessageBox&>(question);
            caption = box.windowTitle();
            box.button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
        });

        window.form.SaveTButClick();
        QCOMPARE(answerer.Names(), QStringList{QStringLiteral("OverwriteQuestion")});
        QCOMPARE(answerer.Texts(), QStringList{Text(txt::MsgFileExists)});
        QVERIFY(!waitCursorDuringQuestion);
        // No caption: a blank one, as the window system puts the program's name in an empty one.
        QVERIFY(!caption.isEmpty() && caption.trimmed().isEmpty());
        QCOMPARE(Contents(window.chosen->name), QByteArray("a file the user wants to keep"));

        replace = true;
        window.form.SaveTButClick();
        QCOMPARE(answerer.Names(), QStringList({QStringLiteral("OverwriteQuestion"),
                                                QStringLiteral("OverwriteQuestion"),
                                                QStringLiteral("WorkbookMessage")}));
        QCOMPARE(answerer.Texts().last(), Text(txt::MsgFileSaved));
        QVERIFY(Contents(window.chosen->name).startsWith("PK"));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void CancelledDialogsShowNothingAndChangeNothing() {
        StoreWindow window;
        QVERIFY(window.ready);
        const std::string before = window.Snapshot();
        ModalAnswerer answerer;
        window.form.SaveTButClick();
        window.form.OpenTButClick();
        QTest::qWait(50);
        QCOMPARE(window.chosen->asked, 2);
        QVERIFY(answerer.Seen().isEmpty());
        QVERIFY(!window.form.ImportAttempted());
        QCOMPARE(window.Snapshot(), before);
        QVERIFY(window.folder.Names().empty());
    }

    void DamagedFileShowsReadFailedAndLeavesTheStore_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("CH,EN,VOX\n01,True,True\n");
        QTest::newRow("zip header only") << QByteArray("PK\x03\x04\x14\x00\x00\x00", 8);
        QTest::newRow("ole2 header only")
            << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\x00\x00\x00\x00", 12);
    }
    void DamagedFileShowsReadFailedAndLeavesTheStore() {
        QFETCH(QByteArray, bytes);
        StoreWindow window;
        QVERIFY(window.ready);
        window.chosen->name = window.File(QStringLiteral("damaged.xlsx"));
        WriteFile(window.chosen->name, bytes);
        const std::string before = window.Snapshot();
        ModalAnswerer answerer;
        window.form.OpenTButClick();
        QCOMPARE(answerer.Texts(), QStringList{Text(txt::MsgFileReadFailed)});
        QVERIFY(window.form.ImportAttempted());
        QCOMPARE(window.Snapshot(), before);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void TruncatedWorkbookShowsReadFailed() {
        StoreWindow window;
        QVERIFY(window.ready);
        window.chosen->name = window.File(QStringLiteral("whole.xlsx"));
        ModalAnswerer answerer;
        window.form.SaveTButClick();
        const QByteArray whole = Contents(window.chosen->name);
        QVERIFY(whole.size() > 100);
        window.chosen->name = window.File(QStringLiteral("cut.xlsx"));
        WriteFile(window.chosen->name, whole.left(whole.size() / 2));
        window.form.OpenTButClick();
        QCOMPARE(answerer.Texts(),
                 QStringList({Text(txt::MsgFileSaved), Text(txt::MsgFileReadFailed)}));
    }

    void FrequencyOutsideTheBandShowsBothMessagesAndStoresNothing() {
        StoreWindow window;
        QVERIFY(window.ready);
        window.chosen->name = window.File(QStringLiteral("band.xlsx"));
        ModalAnswerer answerer;
        window.form.SaveTButClick();
        // The same workbook opened in a run on another band: channel 01's 400 MHz is outside.
        QVERIFY(window.ChangeStore("415", "CH05", "150"));
        const std::string before = window.Snapshot();
        window.settings.BandLowMHz = 410;
        window.settings.BandHighMHz = 450;
        window.form.OpenTButClick();
        QCOMPARE(answerer.Texts(), QStringList({Text(txt::MsgFileSaved), Text(txt::MsgFreqError),
                                                Text(txt::MsgFileReadFailed)}));
        QCOMPARE(window.Snapshot(), before);
    }

    void CompareWindowListsAndMarksTheOneChangedCellAgainstAWorkbook() {
        StoreWindow window;
        QVERIFY(window.ready);
        window.chosen->name = window.File(QStringLiteral("compare.xlsx"));
        ModalAnswerer answerer;
        window.form.SaveTButClick();
        // An edit not yet posted is part of the current data.
        QVERIFY(window.Channels().Locate("CHANNELNO", "03").ok());
        QVERIFY(window.Channels().Edit().ok());
        QVERIFY(window.Channels().WriteText("FTX", "412.5").ok());
        auto* compareButton = window.form.findChild<QToolButton*>(QStringLiteral("CompareTBut"));
        QVERIFY(compareButton);
        compareButton->click();
        auto* compare = window.form.findChild<QDialog*>(QStringLiteral("CompareForm"));
        QVERIFY(compare && compare->isVisible());
        compare->findChild<QPushButton*>(QStringLiteral("CompareWorkbookBut"))->click();

        const FieldChange change{FieldChange::Part::Channel, 3, "FTX", "412.5000", "400.0000"};
        const QStringList expected = {
            QString::fromStdString(ChangePlace(change, LANGUAGE_CHINESE)),
            QString::fromStdString(ChangeColumn(change, LANGUAGE_CHINESE)),
            QStringLiteral("412.5000"), QStringLiteral("400.0000")};
        auto* list = compare->findChild<QTableWidget*>(QStringLiteral("ChangeTable"));
        QCOMPARE(list->rowCount(), 1);
        QStringList row;
        for (int c = 0; c < 4; ++c) row << list->item(0, c)->text();
        QCOMPARE(row, expected);
        QCOMPARE(list->horizontalHeaderItem(3)->text(), QStringLiteral("compare.xlsx"));
        const std::string count =
            Fill(Fill(Fill(Fill(Tr(ui::ctxt::DifferenceCount, 0), "{n}", "1"), "{channels}", "1"),
                      "{common}", "0"),
                 "{lists}", "0");
        QCOMPARE(compare->findChild<QLabel*>(QStringLiteral("CountLabel"))->text(),
                 QString::fromStdString(count));
        // Exactly the changed cell of the other side's channels is marked.
        auto* grid = compare->findChild<QTableWidget*>(QStringLiteral("ChangedGrid"));
        int marked = 0;
        for (int r = 0; r < grid->rowCount(); ++r) {
            for (int c = 0; c < grid->columnCount(); ++c)
                marked += grid->item(r, c)->background().style() != Qt::NoBrush;
        }
        QCOMPARE(marked, 1);
        QVERIFY(grid->item(2, CHANNEL_TX_FREQ - 1)->background().style() != Qt::NoBrush);
        QCOMPARE(grid->item(2, CHANNEL_TX_FREQ - 1)->text(), QStringLiteral("400.0000"));
        QCOMPARE(answerer.Texts(), QStringList{Text(txt::MsgFileSaved)});
    }

    void PrintPostsPendingEditsBeforeTheDialogShows() {
        StoreWindow window;
        QVERIFY(window.ready);
        print::TParaPrintForm printForm(window.settings);
        QVERIFY(printForm.Connect(window.store.Path()).ok());
        window.form.SetPrintForm(&printForm);
        QVERIFY(window.Channels().Locate("CHANNELNO", "02").ok());
        QVERIFY(window.Channels().Edit().ok());
        QVERIFY(window.Channels().WriteText("FTX", "417.5").ok());
        ModalAnswerer answerer;
        bool editOpenAtShow = true;
        std::string storedAtShow;
        answerer.On(QStringLiteral("TParaPrintForm"), [&](QWidget& dialog) {
            editOpenAtShow = window.Channels().InEditMode();
            Connection other;
            Query fromFile(other);
            if (other.Open(window.store.Path()).ok() &&
                fromFile.Open("select * from CHANNELTABLE").ok())
                storedAtShow = fromFile.TextAt(1, "FTX");
            static_cast<QDialog&>(dialog).reject();
        });
        window.form.PrintTButClick();
        QCOMPARE(answerer.Names(), QStringList{QStringLiteral("TParaPrintForm")});
        QVERIFY(!editOpenAtShow);
        QCOMPARE(storedAtShow, std::string("417.5"));
    }
};

namespace {
const RegisterUiTest<FileCommandTests> registered;
}

}  // namespace q36::test

#include "file_command_tests.moc"
