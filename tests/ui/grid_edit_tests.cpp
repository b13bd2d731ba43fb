// The Edit menu over the channel grid on the real window: copy and paste as spreadsheet text,
// fill down and clear, each through the cells' checks.

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QItemSelectionModel>
#include <QMenuBar>
#include <QTabWidget>

#include "codec/band_defaults.h"
#include "codec/cell_texts.h"
#include "codec/channel_cells.h"
#include "editor_window.h"
#include "modal_answerer.h"
#include "ui/edit_texts.h"
#include "ui/grid_edit_commands.h"
#include "ui_test_registry.h"

namespace q36::test {

namespace {

namespace col = ui::channel_column;

}  // namespace

class GridEditTests : public QObject {
    Q_OBJECT
  private Q_SLOTS:

    void CopiedRowsPasteBackAndARefusedRowStaysWhole() {
        EditorWindow w;
        QVERIFY(w.Open());
        QCOMPARE(w.form.menuBar()->actions().at(1)->menu()->objectName(),
                 QStringLiteral("EditMenu"));
        Configuration start;
        QVERIFY(w.form.CurrentConfiguration(start));
        const std::vector<std::pair<int, std::string>> edits[] = {
            {{3, "401.125"}, {4, "CTCSS"}, {5, "88.5"}, {10, "[8]"}},
            {{6, "低"}, {8, "DCS-"}, {9, "754"}, {11, "窄"}},
            {{2, "False"}, {7, "439.99375"}, {12, "添加"}, {13, "开"}}};
        for (int r = 0; r < 3; ++r)
            QVERIFY(
                ApplyChannelCells(start.channels[std::size_t(r)], edits[r], {400, 440, 0}).empty());
        QVERIFY(w.form.ApplyConfiguration(start, ui::etxt::PasteMenu));

        ModalAnswerer answerer;
        // Ctrl+C in the open frequency editor copies the whole selection.
        Select(w, 0, 0, 2, col::Count - 1);
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        w.Grid().selectionModel()->setCurrentIndex(w.Cell(0, col::Ftx),
                                                   QItemSelectionModel::NoUpdate);
        QLineEdit* editor = w.OpenEditor<QLineEdit>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
        const QString copied = QGuiApplication::clipboard()->text();
        QCOMPARE(copied.count(QLatin1Char('\n')), 3);
        Select(w, 10, 0, 10, 0);
        Trigger(w, "PasteMenu");
        for (int r = 0; r < 3; ++r) {
            for (int k = 1; k < col::Count; ++k) QCOMPARE(w.Stored(10 + r, k), w.Stored(r, k));
        }
        QVERIFY(answerer.Names().isEmpty());

        // The third row's frequency out of band: the other two are pasted, the third is named.
        QString refusedText = copied;
        refusedText.replace(QStringLiteral("439.99375"), QStringLiteral("500"));
        QStringList before;
        for (int k = 0; k < col::Count; ++k) before << w.Stored(17, k);
        Select(w, 15, 0, 15, 0);
        w.form.findChild<ui::GridEditCommands*>()->Paste(&refusedText);
        for (int k = 1; k < col::Count; ++k) {
            QCOMPARE(w.Stored(15, k), w.Stored(0, k));
            QCOMPARE(w.Stored(16, k), w.Stored(1, k));
            QCOMPARE(w.Stored(17, k), before[k]);
        }
        QCOMPARE(answerer.Names(), QStringList{QStringLiteral("PasteRefusal")});
        const CellRefusal named{18, col::RxFreq, "500", celltxt::RefusedFreqOutOfBand};
        QVERIFY(answerer.Texts().front().contains(
            QString::fromStdString(DescribeCellRefusal(named, LANGUAGE_CHINESE))));
    }

    void FillKeepsTheLockRuleClearAndResetGiveTheBandDefaults() {
        EditorWindow w;
        QVERIFY(w.Open());
        Configuration start;
        QVERIFY(w.form.CurrentConfiguration(start));
        start.channels[3].FTX = "425";
        start.channels[4].ENABLED = "False";
        QVERIFY(w.form.ApplyConfiguration(start, ui::etxt::PasteMenu));
        const QString lockedTx = w.Stored(4, col::Ftx);

        ModalAnswerer answerer;
        Select(w, 3, col::Ftx, 5, col::Ftx);
        Trigger(w, "FillDownMenu");
        QCOMPARE(w.Stored(5, col::Ftx), QStringLiteral("425"));
        QCOMPARE(w.Stored(4, col::Ftx), lockedTx);
        const CellRefusal locked{5, col::Ftx, "425", celltxt::RefusedLocked};
        QCOMPARE(answerer.Names(), QStringList{QStringLiteral("PasteRefusal")});
        QVERIFY(answerer.Texts().front().contains(
            QString::fromStdString(DescribeCellRefusal(locked, LANGUAGE_CHINESE))));

        Select(w, 5, 2, 5, 2);
        Trigger(w, "ClearChannelMenu");
        Configuration now;
        QVERIFY(w.form.CurrentConfiguration(now));
        QCOMPARE(now.channels[5], BandDefaultChannel(6, 400, 440, LANGUAGE_CHINESE));

        // Cells LibreOffice Calc copied from a saved workbook: channels 1 to 4 of the sample.
        QFile file(QStringLiteral(Q36_FIXTURES_DIR "/libreoffice_paste.tsv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString fromCalc = QString::fromUtf8(file.readAll());
        Select(w, 20, 0, 20, 0);
        w.form.findChild<ui::GridEditCommands*>()->Paste(&fromCalc);
        QCOMPARE(answerer.Names().size(), 1);
        QCOMPARE(w.Stored(21, col::Enabled), QStringLiteral("False"));
        const std::pair<int, const char*> third[] = {
            {col::Vox, "False"},   {col::Ftx, "435.0125"}, {col::Ftone, "CTCSS"},
            {col::Sdata, "67.0"},  {col::TxPower, "低"},   {col::RxFreq, "430.5"},
            {col::Retone, "DCS-"}, {col::Redata, "754"},   {col::Level, "0"},
            {col::Bw, "窄"},       {col::AddScan, "添加"}, {col::Busy, "开"}};
        for (const auto& [k, text] : third) QCOMPARE(w.Stored(22, k), QString::fromUtf8(text));

        // The channel page back to the band's defaults in one step, the disabled channel too.
        w.form.findChild<QTabWidget*>(QStringLiteral("suiPageControl1"))->setCurrentIndex(1);
        Trigger(w, "ResetPageMenu");
        QVERIFY(w.form.CurrentConfiguration(now));
        QCOMPARE(now.channels, BandDefaultConfiguration(400, 440, LANGUAGE_CHINESE).channels);
        QCOMPARE(now.common, start.common);
        // On the common page only its values go back.
        w.form.findChild<QTabWidget*>(QStringLiteral("suiPageControl1"))->setCurrentIndex(0);
        now.common.tot = "30";
        now.channels[0].FTX = "410";
        QVERIFY(w.form.ApplyConfiguration(now, ui::etxt::PasteMenu));
        Trigger(w, "ResetPageMenu");
        Configuration reset;
        QVERIFY(w.form.CurrentConfiguration(reset));
        QCOMPARE(reset.common, BandDefaultCommon());
        QCOMPARE(reset.channels, now.channels);
    }

  private:
    static void Select(EditorWindow& w, int top, int left, int bottom, int right) {
        w.Grid().setCurrentIndex(w.Cell(top, left));
        w.Grid().selectionModel()->select(QItemSelection(w.Cell(top, left), w.Cell(bottom, right)),
                                          QItemSelectionModel::ClearAndSelect);
    }
    static void Trigger(EditorWindow& w, const char* name) {
        w.form.findChild<QAction*>(QString::fromLatin1(name))->trigger();
    }
};

namespace {
const RegisterUiTest<GridEditTests> registered;
}

}  // namespace q36::test

#include "grid_edit_tests.moc"
