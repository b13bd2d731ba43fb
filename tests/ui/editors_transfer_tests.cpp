// Editors and transfers end to end: what is edited in the grid, on the common page and in the
// scan list editor is what a write puts into the virtual radio on a pseudo-terminal, and a read
// puts the radio's values back into every editor.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "codec/change_words.h"
#include "codec/channel_block.h"
#include "codec/channel_fields.h"
#include "codec/common_block.h"
#include "codec/scan_block.h"
#include "editor_window.h"
#include "modal_answerer.h"
#include "protocol/run_settings.h"
#include "pty_pair.h"
#include "support/radio_bench.h"
#include "support/radio_on_pty.h"
#include "text/choice_lists.h"
#include "text/messages.h"
#include "text/text_pairs.h"
#include "ui/common_page.h"
#include "ui/common_page_binding.h"
#include "ui/scan_form.h"
#include "ui/scan_grid_model.h"
#include "ui/undo_texts.h"
#include "ui_test_registry.h"

namespace q36::test {

namespace {

namespace col = ui::channel_column;

QString Q(const TextPair& pair) {
    return QString::fromStdString(Tr(pair, LANGUAGE_CHINESE))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

bool UsePort(ui::TMainForm& form, const std::string& path) {
    form.Comm().SetCommName(path);
    return form.ReopenPort();
}

std::string Assigned(const ChannelUpdate& update, std::string_view column) {
    for (const auto& [name, text] : update.assignments) {
        if (name == column) return text;
    }
    return "<none>";
}

}  // namespace

class EditorsTransferTests : public QObject {
    Q_OBJECT
  private Q_SLOTS:

    void EditedValuesAreWrittenAndReadBack() {
        EditorWindow w;
        QVERIFY(w.Open());
        auto& page = w.form.CommonPage();
        ModalAnswerer answerer;
        const QString yes = QString::fromStdString(ChoiceAt(lists::AddScan, 1, LANGUAGE_CHINESE));
        const QString low = QString::fromStdString(ChoiceAt(lists::TxPower, 2, LANGUAGE_CHINESE));

        // Channel 7 in the grid; channels 3 and 7 marked for scanning.
        w.TypeInto(6, col::Ftx, QStringLiteral("431.125"));
        w.TypeInto(6, col::RxFreq, QStringLiteral("432.25"));
        QVERIFY(w.Choose(6, col::Ftone, QStringLiteral("CTCSS")));
        QVERIFY(w.Choose(6, col::Sdata, QStringLiteral("88.5")));
        QVERIFY(w.Choose(6, col::Retone, QStringLiteral("DCS-")));
        QVERIFY(w.Choose(6, col::Redata, QStringLiteral("754")));
        QVERIFY(w.Choose(6, col::TxPower, low));
        QVERIFY(w.Choose(6, col::AddScan, yes));
        QVERIFY(w.Choose(2, col::AddScan, yes));

        // The common page: TOT, ANI, the scan pause condition.
        w.form.findChild<QTabWidget*>(QStringLiteral("suiPageControl1"))->setCurrentIndex(0);
        page.suiDBEdit[2]->clear();
        QTest::keyClicks(page.suiDBEdit[2], QStringLiteral("120"));
        page.suiDBEdit[1]->clear();
        QTest::keyClicks(page.suiDBEdit[1], QStringLiteral("12345"));
        page.suiDBComboBox[7]->setCurrentIndex(1);
        Q_EMIT page.suiDBComboBox[7]->activated(1);

        // Scan list 2: CH07, CH03, the rest empty.
        answerer.On(QStringLiteral("TScanForm"), [&](QWidget& window) {
            auto& scan = static_cast<ui::TScanForm&>(window);
            auto& slots = scan.Model();
            for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) slots.setData(slots.index(1, s), "NULL");
            slots.setData(slots.index(1, 1), QStringLiteral("CH07"));
            slots.setData(slots.index(1, 2), QStringLiteral("CH03"));
            scan.Button1Click();
        });
        w.form.ScanTButClick();
        QCOMPARE(w.form.ScanForm()->Scans()[1].slots[1], std::string("CH03"));

        RadioOnPty radio(DefaultRadioImage(400, 440));
        QVERIFY(radio.Start());
        QVERIFY(UsePort(w.form, radio.Path()));
        w.form.WriteTButClick();
        QVERIFY2(WaitFor([&] { return answerer.Texts().contains(Q(txt::MsgWriteDone)); }),
                 qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        const RadioImage written = radio.StoppedImage();

        // The radio holds exactly what the store now holds, channel 7 as edited.
        ChannelArr rows;
        QVERIFY(w.form.LoadChannelRows(rows).ok());
        for (int n = 1; n <= CHANNEL_COUNT; ++n) {
            const EncodedBlock block =
                EncodeChannelBlock(n, rows[std::size_t(n - 1)], 400, 440, LANGUAGE_CHINESE);
            QVERIFY(block.ok());
            QVERIFY2(written.Block(BLOCK_CHANNEL, n - 1) == block.value(),
                     qPrintable(QString::number(n)));
        }
        std::vector<uint8_t> frame(4, 0);
        const DataBlock& ch7 = written.Block(BLOCK_CHANNEL, 6);
        frame.insert(frame.end(), ch7.begin(), ch7.end());
        frame.resize(frame.size() + 1);
        const ChannelUpdate update = DecodeChannelFrame(frame, LANGUAGE_CHINESE);
        QCOMPARE(Assigned(update, "FTX"), std::string("431.1250"));
        QCOMPARE(Assigned(update, "REFREQUENCY"), std::string("432.2500"));
        QCOMPARE(Assigned(update, "FTONE"), std::string("CTCSS"));
        QCOMPARE(Assigned(update, "SDATA"), std::string("88.5"));
        QCOMPARE(Assigned(update, "RETONE"), std::string("DCS-"));
        QCOMPARE(Assigned(update, "REDATA"), std::string("754"));
        QCOMPARE(Assigned(update, "TXPOWER"), ChoiceAt(lists::TxPower, 2, LANGUAGE_CHINESE));

        const DataBlock& common = written.Block(BLOCK_COMMON, 0);
        QCOMPARE(int(common[common_layout::Tot]), 120);
        QCOMPARE(int(common[common_layout::Ani] | common[common_layout::Ani + 1] << 8), 12345);
        QVERIFY(common[common_layout::ScanFlags] & 0x02);
        q36::CommonPage shown;
        QVERIFY(w.form.ReadCommonPage(shown).ok());
        QVERIFY(common == EncodeCommonBlock(shown, true).value());

        const DataBlock& list2 = written.Block(BLOCK_SCAN, 1);
        QCOMPARE(int(list2[SCAN_SLOTS_OFFSET]), 6);
        QCOMPARE(int(list2[SCAN_SLOTS_OFFSET + 1]), 2);
        for (int s = 3; s <= SCAN_SLOT_COUNT; ++s)
            QCOMPARE(int(list2[std::size_t(SCAN_SLOTS_OFFSET + s - 1)]), 0xFF);

        // The editors changed again, then the radio read back: every editor shows the radio.
        w.form.findChild<QTabWidget*>(QStringLiteral("suiPageControl1"))->setCurrentIndex(1);
        w.TypeInto(6, col::Ftx, QStringLiteral("405"));
        QVERIFY(w.Choose(6, col::Ftone, QStringLiteral("NULL")));
        page.suiDBEdit[2]->clear();
        QTest::keyClicks(page.suiDBEdit[2], QStringLiteral("60"));
        page.suiDBEdit[1]->clear();
        page.suiDBComboBox[7]->setCurrentIndex(0);
        w.form.ScanForm()->Model().setData(w.form.ScanForm()->Model().index(1, 1), "NULL");
        QVERIFY(w.form.CommitPendingEdits().ok());
        w.form.ScanForm()->Model().PostPending();

        RadioOnPty again(written);
        QVERIFY(again.Start());
        QVERIFY(UsePort(w.form, again.Path()));
        answerer.On(QStringLiteral("TransferMessage"),
                    [](QWidget& box) { static_cast<QDialog&>(box).accept(); });
        w.form.ReadTButClick();
        QVERIFY2(WaitFor([&] { return answerer.Texts().contains(Q(txt::MsgReadDone)); }),
                 qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        QCOMPARE(w.Cell(6, col::Ftx).data().toString(), QStringLiteral("431.1250"));
        QCOMPARE(w.Stored(6, col::Ftone), QStringLiteral("CTCSS"));
        QCOMPARE(w.Stored(6, col::Sdata), QStringLiteral("88.5"));
        QCOMPARE(w.Stored(6, col::Redata), QStringLiteral("754"));
        QCOMPARE(w.Stored(6, col::TxPower),
                 QString::fromStdString(ChoiceAt(lists::TxPower, 2, LANGUAGE_CHINESE)));
        QCOMPARE(page.suiDBEdit[2]->text(), QStringLiteral("120"));
        QCOMPARE(page.suiDBEdit[1]->text(), QStringLiteral("12345"));
        QCOMPARE(page.suiDBComboBox[7]->currentIndex(), 1);
        QCOMPARE(w.form.ScanForm()->Model().StoredText(1, 1), QStringLiteral("CH07"));
        QCOMPARE(w.form.ScanForm()->Model().StoredText(1, 2), QStringLiteral("CH03"));
        // The page reaches its row when it is next saved.
        QVERIFY(w.form.CommitPendingEdits().ok());
        QCOMPARE(w.FileText("select * from PARAMETABLE", 0, "TOPSET"), std::string("120"));
    }

    void EveryKindOfStepIsUndoneAndRedoneAndNamedInTheMenu() {
        EditorWindow w;
        QVERIFY(w.Open());
        auto& page = w.form.CommonPage();
        ModalAnswerer answerer;
        auto* undo = w.form.findChild<QAction*>(QStringLiteral("UndoMenu"));
        auto* redo = w.form.findChild<QAction*>(QStringLiteral("RedoMenu"));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), Q(ui::utxt::UndoMenu));
        const auto edited = [](const FieldChange& change) {
            return QString::fromStdString(
                Fill(Tr(ui::utxt::UndoStepMenu, LANGUAGE_CHINESE), "{step}",
                     Fill(Fill(Tr(ui::utxt::StepDetail, LANGUAGE_CHINESE), "{detail}",
                               ChangePlace(change, 0) + " " + ChangeColumn(change, 0)),
                          "{name}", Tr(ui::utxt::EditName, LANGUAGE_CHINESE))));
        };
        // Each kind of step: its undo named, undone, redone; then undone for the next.
        const QString tx = w.Stored(2, col::Ftx);
        const QString tot = page.suiDBEdit[2]->text();
        const std::function<void()> edits[] = {
            [&] { w.TypeInto(2, col::Ftx, QStringLiteral("431.125")); },
            [&] {
                page.suiDBEdit[2]->setText(QStringLiteral("90"));
                Q_EMIT page.suiDBEdit[2]->textEdited(QStringLiteral("90"));
                Q_EMIT page.suiDBEdit[2]->editingFinished();
            },
            [&] {
                w.form.ScanForm()->Model().setData(w.form.ScanForm()->Model().index(1, 1), "CH01");
            },
        };
        const FieldChange places[] = {{FieldChange::Part::Channel, 3, "FTX", "", ""},
                                      {FieldChange::Part::Common, 0, "TOPSET", "", ""},
                                      {FieldChange::Part::ScanList, 2, "01", "", ""}};
        const std::function<QString()> shown[] = {
            [&] { return w.Stored(2, col::Ftx); }, [&] { return page.suiDBEdit[2]->text(); },
            [&] { return w.form.ScanForm()->Model().StoredText(1, 1); }};
        for (int k = 0; k < 3; ++k) {
            const QString before = shown[k]();
            edits[k]();
            QCoreApplication::processEvents();
            const QString after = shown[k]();
            QVERIFY(after != before);
            QCOMPARE(undo->text(), edited(places[k]));
            // With the editor the grid opens on a text cell, Ctrl+Z and Ctrl+Y still reach the
            // window.
            QLineEdit* editor = nullptr;
            if (k == 0) {
                w.Grid().setCurrentIndex(w.Grid().model()->index(4, col::RxFreq));
                editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                QVERIFY(editor);
            }
            editor ? QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier) : undo->trigger();
            QCOMPARE(shown[k](), before);
            QVERIFY(redo->isEnabled());
            editor ? QTest::keyClick(editor, Qt::Key_Y, Qt::ControlModifier) : redo->trigger();
            QCOMPARE(shown[k](), after);
            undo->trigger();
        }
        QCOMPARE(w.FileText("select * from CHANNELTABLE", 2, "FTX"), tx.toStdString());
        QCOMPARE(w.FileText("select * from PARAMETABLE", 0, "TOPSET"), tot.toStdString());

        // A command through the seam: one step of its name; a new step drops the redo steps.
        Configuration next;
        QVERIFY(w.form.CurrentConfiguration(next));
        next.channels[5].FTX = "433";
        next.channels[6].FTX = "434";
        QVERIFY(w.form.ApplyConfiguration(next, ui::utxt::OpenName));
        QVERIFY(!redo->isEnabled());
        QCOMPARE(undo->text(), QString::fromStdString(Fill(Tr(ui::utxt::UndoStepMenu, 0), "{step}",
                                                           Tr(ui::utxt::OpenName, 0))));
        // A read from the virtual radio is one step; undone, the values before it come back.
        RadioOnPty radio(DefaultRadioImage(400, 440));
        QVERIFY(radio.Start());
        QVERIFY(UsePort(w.form, radio.Path()));
        w.form.ReadTButClick();
        QVERIFY(WaitFor([&] { return answerer.Texts().contains(Q(txt::MsgReadDone)); }));
        QVERIFY(w.Stored(5, col::Ftx) != QStringLiteral("433"));
        QCOMPARE(undo->text(), QString::fromStdString(Fill(Tr(ui::utxt::UndoStepMenu, 0), "{step}",
                                                           Tr(ui::utxt::ReadName, 0))));
        undo->trigger();
        QCOMPARE(w.Stored(5, col::Ftx), QStringLiteral("433"));
        QCOMPARE(w.FileText("select * from CHANNELTABLE", 6, "FTX"), std::string("434"));
        undo->trigger();
        QVERIFY(w.Stored(6, col::Ftx) != QStringLiteral("434"));
    }

    void RefusedWriteSendsNothingAndLeavesTheEditors() {
        EditorWindow w;
        QVERIFY(w.Open());
        auto& page = w.form.CommonPage();
        ModalAnswerer answerer;
        // A pasted text reaches the edit without the key filter.
        page.suiDBEdit[2]->setText(QStringLiteral("1a"));
        Q_EMIT page.suiDBEdit[2]->textEdited(page.suiDBEdit[2]->text());
        const RadioImage fresh = DefaultRadioImage(400, 440);
        RadioOnPty radio(fresh);
        QVERIFY(radio.Start());
        QVERIFY(UsePort(w.form, radio.Path()));
        w.form.WriteTButClick();
        QVERIFY(WaitFor([&] { return answerer.Texts().contains(Q(txt::MsgTotNotNumber)); }));
        QTest::qWait(200);
        QVERIFY(radio.StoppedImage() == fresh);
        QCOMPARE(page.suiDBEdit[2]->text(), QStringLiteral("1a"));

        // An emptied frequency refuses its channel at the next write.
        page.suiDBEdit[2]->setText(QStringLiteral("0"));
        w.TypeInto(3, col::Ftx, QString());
        RadioOnPty second(fresh);
        QVERIFY(second.Start());
        QVERIFY(UsePort(w.form, second.Path()));
        w.form.WriteTButClick();
        QVERIFY2(
            WaitFor([&] { return answerer.Names().count(QStringLiteral("TransferMessage")) == 2; }),
            qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        QCOMPARE(answerer.Names().last(), QStringLiteral("TransferMessage"));
        QCOMPARE(answerer.Texts().last(), Q(txt::MsgFreqNotNumber));
        QCOMPARE(w.Stored(3, col::Ftx), QString());
        // Channels 1 to 3 went out before channel 4 was refused; nothing after them did.
        const RadioImage after = second.StoppedImage();
        for (int n = 3; n < CHANNEL_COUNT; ++n)
            QVERIFY(after.Block(BLOCK_CHANNEL, n) == fresh.Block(BLOCK_CHANNEL, n));
    }
};

namespace {
const RegisterUiTest<EditorsTransferTests> registered;
}

}  // namespace q36::test

#include "editors_transfer_tests.moc"
