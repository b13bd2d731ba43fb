// The editors of the main window over a copy of the store: the channel grid, the common page
// and the scan list editor, driven through their widgets.

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

#include "codec/common_block.h"
#include "editor_window.h"
#include "modal_answerer.h"
#include "protocol/run_settings.h"
#include "support/radio_bench.h"
#include "text/choice_lists.h"
#include "text/messages.h"
#include "text/text_pairs.h"
#include "ui/common_page.h"
#include "ui/common_page_binding.h"
#include "ui/pick_list_box.h"
#include "ui/pictures.h"
#include "ui/scan_form.h"
#include "ui/scan_grid_model.h"
#include "ui_test_registry.h"

namespace q36::test {

namespace {

namespace col = ui::channel_column;

QString Q(const TextPair& pair) {
    return QString::fromStdString(Tr(pair, LANGUAGE_CHINESE));
}

QString Choice(ChoiceList list, int k) {
    return QString::fromStdString(ChoiceAt(list, k, LANGUAGE_CHINESE));
}

}  // namespace

class EditorsTests : public QObject {
    Q_OBJECT
  private Q_SLOTS:

    void DisabledChannelIsLockedGreyAndCanOnlyBeEnabled() {
        EditorWindow w;
        QVERIFY(w.Open());
        auto& model = w.Grid().Model();
        const QModelIndex enabled = w.Cell(4, col::Enabled);
        QVERIFY(model.setData(enabled, Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(w.Stored(4, col::Enabled), QStringLiteral("False"));
        for (int column = 0; column < col::Count; ++column) {
            const Qt::ItemFlags flags = model.flags(w.Cell(4, column));
            QCOMPARE(bool(flags & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)),
                     column == col::Enabled);
        }
        QCOMPARE(w.Cell(4, col::Ftx).data(Qt::BackgroundRole).value<QColor>(),
                 ui::DisabledBackground);
        QCOMPARE(w.Cell(4, col::Ftx).data(Qt::ForegroundRole).value<QColor>(), ui::DisabledText);
        QCOMPARE(w.Cell(4, col::ChannelNo).data(Qt::BackgroundRole).value<QColor>(),
                 ui::ChannelNoBackground);
        // Even if a view tried, the store refuses the locked cells.
        const QString before = w.Stored(4, col::Ftx);
        QVERIFY(!model.setData(w.Cell(4, col::Ftx), QStringLiteral("420")));
        QCOMPARE(w.Stored(4, col::Ftx), before);
        // Keys typed on a locked cell or a channel number go nowhere, not to a row below.
        const QString nextTx = w.Stored(5, col::Ftx);
        for (const QModelIndex& cell : {w.Cell(4, col::Ftx), w.Cell(2, col::ChannelNo)}) {
            w.Grid().setFocus();
            w.Grid().setCurrentIndex(cell);
            QTest::keyClicks(&w.Grid(), QStringLiteral("42"));
            QCOMPARE(w.Grid().currentIndex(), cell);
        }
        QCOMPARE(w.Stored(5, col::Ftx), nextTx);

        QVERIFY(model.setData(enabled, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(model.flags(w.Cell(4, col::Ftx)) & Qt::ItemIsEditable);
        // Record numbers count from 1: the fourth row is tinted, the fifth is not.
        QVERIFY(!w.Cell(4, col::Ftx).data(Qt::BackgroundRole).isValid());
        QCOMPARE(w.Cell(3, col::Ftx).data(Qt::BackgroundRole).value<QColor>(), ui::EvenRowTint);
    }

    void EveryCellIsReadableUnderADarkPaletteAndIconsAreSharpWhenScaled() {
        const QPalette before = QApplication::palette();
        // Qt's palette from a dark button colour: white text on black fields.
        QApplication::setPalette(QPalette(QColor(49, 54, 59)));
        EditorWindow w;
        QVERIFY(w.Open());
        QVERIFY(
            w.Grid().Model().setData(w.Cell(4, col::Enabled), Qt::Unchecked, Qt::CheckStateRole));
        const auto luminance = [](const QColor& c) {
            return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF();
        };
        // A cell without a colour of its own shows the palette's field and text.
        const QPalette& shown = w.Grid().palette();
        for (int row = 0; row < 24; ++row) {
            for (int column = 0; column < col::Count; ++column) {
                const QColor back = w.Cell(row, column).data(Qt::BackgroundRole).value<QColor>();
                const QColor pen = w.Cell(row, column).data(Qt::ForegroundRole).value<QColor>();
                QVERIFY2(qAbs(luminance(back.isValid() ? back : shown.base().color()) -
                              luminance(pen.isValid() ? pen : shown.text().color())) > 0.3,
                         qPrintable(QStringLiteral("row %1 column %2").arg(row).arg(column)));
            }
        }
        QApplication::setPalette(before);
        // Drawn from the SVG at twice the size, not enlarged from a small picture.
        QCOMPARE(ui::ToolIcon(QStringLiteral("open.svg")).pixmap(QSize(20, 20), 2.0).size(),
                 QSize(40, 40));
    }

    void FrequenciesAreCheckedAgainstTheBand() {
        EditorWindow w;  // the 400-440 band
        QVERIFY(w.Open());
        ModalAnswerer answerer;
        QCOMPARE(w.TypeInto(2, col::Ftx, QStringLiteral("440")), QStringLiteral("440"));
        QCOMPARE(w.Stored(2, col::Ftx), QStringLiteral("440"));
        QCOMPARE(w.Cell(2, col::Ftx).data().toString(), QStringLiteral("440.0000"));

        // Refused values bring back the text of the last click on the row.
        w.Grid().Model().SaveOldFrequencies(2);
        for (const char* refused : {"440.0001", "399.9999"}) {
            w.TypeInto(2, col::Ftx, QString::fromLatin1(refused));
            QCOMPARE(w.Stored(2, col::Ftx), QStringLiteral("440"));
        }
        w.TypeInto(2, col::RxFreq, QStringLiteral("441"));
        QVERIFY2(WaitFor([&] { return answerer.Texts().size() == 3; }),
                 qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        QCOMPARE(answerer.Texts(), QStringList(3, Q(txt::MsgFreqError)));
        QCOMPARE(answerer.Names().first(), QStringLiteral("GridMessage"));

        // An exponent never reaches the cell, neither typed into the editor nor into the grid.
        QCOMPARE(w.TypeInto(2, col::Ftx, QStringLiteral("4.4E2")), QStringLiteral("4.42"));
        QVERIFY(WaitFor([&] { return answerer.Texts().size() == 4; }));
        QCOMPARE(w.Stored(2, col::Ftx), QStringLiteral("440"));

        // An empty frequency is kept empty, with its message; the write later refuses it.
        w.TypeInto(2, col::RxFreq, QString());
        QVERIFY(WaitFor([&] { return answerer.Texts().size() == 5; }));
        QCOMPARE(answerer.Texts().last(), Q(txt::MsgFreqNotNumber));
        QCOMPARE(w.Stored(2, col::RxFreq), QString());
    }

    void RangeErrorInAnotherRowNeverCopiesThatRowsFrequency() {
        EditorWindow w;
        QVERIFY(w.Open());
        ModalAnswerer answerer;
        w.TypeInto(0, col::Ftx, QStringLiteral("401"));
        w.Grid().Model().SaveOldFrequencies(0);
        QVERIFY(w.Grid().Model().setData(w.Cell(1, col::Ftx), QStringLiteral("401.5")));
        // Row 1 was reached without a click: its own text stays.
        QVERIFY(!w.Grid().Model().setData(w.Cell(1, col::Ftx), QStringLiteral("500")));
        QCOMPARE(w.Stored(1, col::Ftx), QStringLiteral("401.5"));
    }

    void ToneTypeResetsItsValueAndFillsTheValueList() {
        EditorWindow w;
        QVERIFY(w.Open());
        QVERIFY(w.Choose(0, col::Ftone, QStringLiteral("DCS-")));
        QCOMPARE(w.Stored(0, col::Sdata), QStringLiteral("23"));
        w.Grid().setCurrentIndex(w.Cell(0, col::Sdata));
        QVERIFY(w.Grid().DBComboBoxEh1->isVisible());
        QCOMPARE(w.Grid().DBComboBoxEh1->count(), 83);
        QCOMPARE(w.Grid().DBComboBoxEh1->currentText(), QStringLiteral("23"));
        // The 83 codes open as a list of about 16 with a scroll bar, each code whole.
        QTest::keyClick(&w.Grid(), Qt::Key_Return);
        QAbstractItemView* codes = w.Grid().DBComboBoxEh1->view();
        QVERIFY(codes->isVisible() && codes->verticalScrollBar()->isVisible());
        QCOMPARE(codes->viewport()->height() / codes->sizeHintForRow(0), 16);
        QVERIFY(codes->viewport()->width() >= codes->sizeHintForColumn(0));
        QVERIFY(EditorWindow::Pick(*w.Grid().DBComboBoxEh1, QStringLiteral("754")));
        QCOMPARE(w.Stored(0, col::Sdata), QStringLiteral("754"));
        // Typing into the list changes nothing.
        QTest::keyClicks(w.Grid().DBComboBoxEh1, QStringLiteral("2a"));
        QCOMPARE(w.Stored(0, col::Sdata), QStringLiteral("754"));
        w.Grid().setCurrentIndex(w.Cell(0, col::Ftx));
        QVERIFY(!w.Grid().DBComboBoxEh1->isVisible());

        QVERIFY(w.Choose(0, col::Retone, QStringLiteral("CTCSS")));
        QVERIFY(w.Choose(0, col::Redata, QStringLiteral("88.5")));
        QCOMPARE(w.Grid().DBComboBoxEh2->count(), 50);
        // Choosing the same type again resets the value.
        QVERIFY(w.Choose(0, col::Retone, QStringLiteral("CTCSS")));
        QCOMPARE(w.Stored(0, col::Redata), QStringLiteral("67.0"));

        QVERIFY(w.Choose(0, col::Ftone, QStringLiteral("NULL")));
        QCOMPARE(w.Stored(0, col::Sdata), QString());
        w.Grid().setCurrentIndex(w.Cell(0, col::Sdata));
        QCOMPARE(w.Grid().DBComboBoxEh1->count(), 0);
    }

    void ListColumnsStoreTheirKeysAndRowsArePostedWhenLeft() {
        EditorWindow w;
        QVERIFY(w.Open());
        QCOMPARE(w.Grid().ShownList(col::Level).first(), QStringLiteral("[1]"));
        QVERIFY(w.Choose(6, col::Level, QStringLiteral("[8]")));
        QVERIFY(w.Choose(6, col::TxPower, Choice(lists::TxPower, 2)));
        QCOMPARE(w.Stored(6, col::Level), QStringLiteral("7"));
        QCOMPARE(w.Cell(6, col::Level).data().toString(), QStringLiteral("[8]"));
        const char* sql = "select * from CHANNELTABLE";
        QVERIFY(w.FileText(sql, 6, "LEVEL") != "7");
        w.Grid().setCurrentIndex(w.Cell(7, col::Ftx));
        QCOMPARE(w.FileText(sql, 6, "LEVEL"), std::string("7"));
        QCOMPARE(w.FileText(sql, 6, "TXPOWER"), ChoiceAt(lists::TxPower, 2, LANGUAGE_CHINESE));

        // CommitPendingEdits stores an editor still open.
        w.Grid().setCurrentIndex(w.Cell(7, col::Ftx));
        QLineEdit* editor = w.OpenEditor<QLineEdit>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("433.5"));
        QVERIFY(w.form.CommitPendingEdits().ok());
        QCOMPARE(w.FileText(sql, 7, "FTX"), std::string("433.5"));
    }

    void ListValueChangesOnlyByAChoiceFromTheOpenList() {
        EditorWindow w;
        QVERIFY(w.Open());
        QVERIFY(w.Grid().Model().setData(w.Cell(5, col::Ftone), QStringLiteral("CTCSS")));
        QVERIFY(w.Grid().Model().setData(w.Cell(5, col::Retone), QStringLiteral("DCS+")));
        const auto rows = [&] {
            QStringList texts;
            for (int row = 4; row <= 6; ++row) {
                for (int column = 0; column < col::Count; ++column) texts << w.Stored(row, column);
            }
            return texts;
        };
        const QStringList before = rows();
        for (int column : {col::Ftone, col::Sdata, col::TxPower, col::Retone, col::Redata,
                           col::Level, col::Bw, col::AddScan, col::Busy}) {
            w.Grid().setFocus();
            w.Grid().setCurrentIndex(w.Cell(5, column));
            QTest::keyClick(&EditorWindow::WheelOver(w.Grid(), w.Cell(5, column)), Qt::Key_Down);
            QCOMPARE(rows(), before);
            QCOMPARE(w.Grid().currentIndex(), w.Cell(6, column));
        }

        // A click opens the list; the box shows its whole text; Escape chooses nothing.
        const QPoint type = w.Grid().visualRect(w.Cell(5, col::Ftone)).center();
        QTest::mouseClick(w.Grid().viewport(), Qt::LeftButton, {}, type);
        auto* editor = w.OpenEditor<ui::PickListBox>();
        QVERIFY(editor && editor->view()->isVisible());
        QVERIFY(editor->fontMetrics().horizontalAdvance(editor->currentText()) <=
                editor->TextArea().width());
        QTest::keyClick(editor->view(), Qt::Key_Escape);
        QTRY_VERIFY(!w.OpenEditor<ui::PickListBox>());
        QCOMPARE(rows(), before);
    }

    void NumberEditsRefuseTypedNonDigitsOnly() {
        EditorWindow w;
        QVERIFY(w.Open());
        for (int k = 1; k <= 6; ++k) {
            QLineEdit* edit = w.form.CommonPage().suiDBEdit[std::size_t(k)];
            edit->clear();
            QTest::keyClicks(edit, QStringLiteral("1a-2x"));
            QCOMPARE(edit->text(), QStringLiteral("12"));
            QTest::keyClick(edit, Qt::Key_Backspace);
            QCOMPARE(edit->text(), QStringLiteral("1"));
            QTest::keyClicks(edit, QStringLiteral("234567"));
            QCOMPARE(edit->text().size(), k == 1 ? 5 : 3);
            // Delete (which X reports with the DEL character), the arrows, Home/End and
            // selections work as in any edit.
            const auto pressDelete = [edit] {
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Delete, QString(QChar(0x7f)),
                                    Qt::NoModifier);
            };
            QTest::keyClick(edit, Qt::Key_Home);
            pressDelete();
            QTest::keyClick(edit, Qt::Key_End);
            QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
            pressDelete();
            QCOMPARE(edit->text(), QStringLiteral("12345").mid(1, k == 1 ? 3 : 1));
        }
    }

    void Label15FollowsAUserPickOnly() {
        EditorWindow w;
        QVERIFY(w.Open());
        auto& page = w.form.CommonPage();
        auto* label = page.findChild<QLabel*>(QStringLiteral("Label15"));
        QCOMPARE(label->text(), Q(txt::Label15));
        q36::CommonPage values = w.form.PageBinding().Values();
        values.scanRestart = 1;
        w.form.ShowCommonPage(values);
        QCOMPARE(label->text(), Q(txt::Label15));
        Q_EMIT page.suiDBComboBox[8]->activated(1);
        QCOMPARE(label->text(), Q(txt::Label15Pause));
        Q_EMIT page.suiDBComboBox[8]->activated(0);
        QCOMPARE(label->text(), Q(txt::Label15));
    }

    void PageIsWhatTheWriteEncodesAndReachesTheRowWhenSaved() {
        EditorWindow w;
        QVERIFY(w.Open());
        auto& page = w.form.CommonPage();
        // Lists keep the table order: the position is the radio's code.
        for (int k = 1; k <= 10; ++k) QVERIFY(page.suiDBComboBox[std::size_t(k)]->count() > 0);
        QCOMPARE(page.suiDBComboBox[10]->itemText(1), Choice(lists::ScanPauseSel, 1));
        page.suiDBComboBox[7]->setCurrentIndex(1);
        page.suiDBComboBox[9]->setCurrentIndex(1);
        page.suiDBComboBox[10]->setFocus();
        page.suiDBComboBox[10]->lineEdit()->selectAll();
        QTest::keyClicks(page.suiDBComboBox[10]->lineEdit(), QStringLiteral("xyz"));
        QTest::keyClick(page.suiDBComboBox[10]->lineEdit(), Qt::Key_Return);
        QCOMPARE(page.suiDBComboBox[10]->count(), 2);
        q36::CommonPage shown;
        QVERIFY(w.form.ReadCommonPage(shown).ok());
        QCOMPARE(shown.scanPauseSel, -1);
        const EncodedBlock block = EncodeCommonBlock(shown, true);
        QVERIFY(block.ok());
        QCOMPARE(int(block.value()[common_layout::ScanFlags]), 0);

        QTest::keyClicks(page.suiDBEdit[2], QStringLiteral("5"));
        QVERIFY(w.form.PageBinding().Pending());
        const char* sql = "select * from PARAMETABLE";
        const std::string tot = CoreTextOf(page.suiDBEdit[2]->text());
        QVERIFY(w.FileText(sql, 0, "TOPSET") != tot);
        QVERIFY(w.form.CommitPendingEdits().ok());
        QVERIFY(!w.form.PageBinding().Pending());
        QCOMPARE(w.FileText(sql, 0, "TOPSET"), tot);
        QCOMPARE(w.FileText(sql, 0, "SCANPAUSE"), ChoiceAt(lists::ScanPause, 1, LANGUAGE_CHINESE));
    }

    void ScanGroupFollowsTheVariant() {
        RunSettings variant;
        variant.HasScanList = false;
        EditorWindow w(variant);
        QVERIFY(w.Open());
        QVERIFY(!w.form.CommonPage().ScanGroupBox->isEnabled());
        QVERIFY(!w.form.findChild<QWidget*>(QStringLiteral("ScanTBut"))->isEnabled());
        // Without a scan list the editor does not open.
        ModalAnswerer answerer;
        w.form.ScanTButClick();
        QTest::qWait(50);
        QVERIFY(answerer.Names().isEmpty());
    }

    void ScanPickListsFollowTheMarkedEnabledChannels() {
        EditorWindow w;
        QVERIFY(w.Open());
        auto& model = w.Grid().Model();
        const QString yes = Choice(lists::AddScan, 1);
        const QString no = Choice(lists::AddScan, 0);
        for (int row = 0; row < 24; ++row) {
            const bool marked = row == 0 || row == 2 || row == 11 || row == 4;
            QVERIFY(model.setData(w.Cell(row, col::AddScan), marked ? yes : no));
        }
        QVERIFY(model.setData(w.Cell(4, col::Enabled), Qt::Unchecked, Qt::CheckStateRole));
        ui::TScanForm* scan = w.form.ScanForm();
        QVERIFY(scan);
        auto& slots = scan->Model();
        QVERIFY(slots.setData(slots.index(0, 1), QStringLiteral("CH03")));
        QVERIFY(slots.setData(slots.index(0, 2), QStringLiteral("CH05")));
        QVERIFY(slots.setData(slots.index(3, 16), QStringLiteral("CH03")));
        QVERIFY(!slots.setData(slots.index(1, 0), QStringLiteral("9")));
        QCOMPARE(slots.index(1, 0).data(Qt::BackgroundRole).value<QColor>(),
                 ui::ListColumnBackground);

        scan->RefreshScanEditor();
        QCOMPARE(scan->SlotPickList(), QStringList({"NULL", "CH01", "CH03", "CH12"}));
        // Marked but disabled: not offered, and kept where it is.
        QCOMPARE(slots.StoredText(0, 2), QStringLiteral("CH05"));
        QCOMPARE(slots.StoredText(0, 1), QStringLiteral("CH03"));

        QVERIFY(model.setData(w.Cell(2, col::AddScan), no));
        scan->RefreshScanEditor();
        QCOMPARE(slots.StoredText(0, 1), QStringLiteral("NULL"));
        QCOMPARE(slots.StoredText(3, 16), QStringLiteral("NULL"));
        QCOMPARE(w.FileText("SELECT * FROM SCANTABLE", 3, "16"), std::string("NULL"));
        QCOMPARE(scan->SlotPickList(), QStringList({"NULL", "CH01", "CH12"}));
    }

    void ScanEditorIsChangedThroughItsPickListOnly() {
        EditorWindow w;
        QVERIFY(w.Open());
        ui::TScanForm* scan = nullptr;
        bool keysChanged = true;
        bool wholeText = false;
        QSize size;
        ModalAnswerer answerer;
        // The editor opened from the toolbar: typing, the arrows and the wheel tried on a slot,
        // then its list opened with Enter, an entry chosen and confirmed.
        answerer.On(QStringLiteral("TScanForm"), [&](QWidget& window) {
            scan = qobject_cast<ui::TScanForm*>(&window);
            size = window.size();
            QTableView* grid = scan->DBGridEh;
            const QModelIndex slot = grid->model()->index(1, 3);
            grid->setFocus();
            grid->setCurrentIndex(slot);
            const QString before = scan->Model().StoredText(1, 3);
            QWidget& target = EditorWindow::WheelOver(*grid, slot);
            for (auto key : {Qt::Key_C, Qt::Key_1, Qt::Key_Down, Qt::Key_Up}) {
                QTest::keyClick(&target, key);
            }
            keysChanged = scan->Model().StoredText(1, 3) != before || grid->currentIndex() != slot;
            QTest::keyClick(grid, Qt::Key_Return);
            if (auto* list = grid->viewport()->findChild<ui::PickListBox*>()) {
                QTest::keyClicks(list, QStringLiteral("c1"));
                wholeText = list->fontMetrics().horizontalAdvance(list->currentText()) <=
                            list->TextArea().width();
                EditorWindow::Pick(*list, QStringLiteral("CH01"));
            }
            scan->Button1->click();
        });
        QVERIFY(w.Grid().Model().setData(w.Cell(0, col::AddScan), Choice(lists::AddScan, 1)));
        w.form.findChild<QToolButton*>(QStringLiteral("ScanTBut"))->click();
        QVERIFY(scan);
        QCOMPARE(size, QSize(783, 205));
        QVERIFY(!keysChanged);
        QVERIFY(wholeText);
        QCOMPARE(scan->Scans().size(), std::size_t(5));
        for (int n = 0; n < 5; ++n) QCOMPARE(scan->Scans()[std::size_t(n)].LIST, n + 1);
        QCOMPARE(scan->Scans()[1].slots[2], std::string("CH01"));
        QCOMPARE(w.FileText("SELECT * FROM SCANTABLE", 1, "03"), std::string("CH01"));

        // Cancel keeps a change posted by moving to another row.
        answerer.On(QStringLiteral("TScanForm"), [&](QWidget&) {
            QVERIFY(scan->Model().setData(scan->Model().index(2, 5), QStringLiteral("CH01")));
            scan->DBGridEh->setCurrentIndex(scan->Model().index(2, 5));
            scan->DBGridEh->setCurrentIndex(scan->Model().index(3, 5));
            scan->Button2->click();
        });
        w.form.findChild<QAction*>(QStringLiteral("MMenu"))->trigger();
        QCOMPARE(w.FileText("SELECT * FROM SCANTABLE", 2, "05"), std::string("CH01"));
    }

  private:
    static std::string CoreTextOf(const QString& text) { return text.toStdString(); }
};

namespace {
const RegisterUiTest<EditorsTests> registered;
}

}  // namespace q36::test

#include "editors_tests.moc"
