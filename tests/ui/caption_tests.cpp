// Every caption and list of the windows equals its text pair, in Chinese and in English.

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "support/radio_bench.h"
#include "text/choice_lists.h"
#include "text/text_pairs.h"
#include "ui/about_form.h"
#include "ui/edit_texts.h"
#include "ui/login_form.h"
#include "ui/main_form.h"
#include "ui/param_form.h"
#include "ui/qt_translation.h"
#include "ui/undo_texts.h"
#include "ui/ver_form.h"
#include "ui/window_texts.h"
#include "ui_test_registry.h"

namespace q36::test {

namespace {

QString Pair(const TextPair& pair, int language) {
    return QString::fromStdString(Tr(pair, language))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QStringList Entries(ChoiceList list, int language) {
    QStringList entries;
    for (std::size_t k = 0; k < ChoiceCount(list); ++k) {
        entries << QString::fromUtf8(list[2 * k + std::size_t(language)].data(),
                                     qsizetype(list[2 * k + std::size_t(language)].size()));
    }
    return entries;
}

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
}

template <class W>
W* Named(QObject& parent, const char* name) {
    W* found = parent.findChild<W*>(QString::fromLatin1(name));
    if (!found) qFatal("no child named %s", name);
    return found;
}

}  // namespace

class CaptionTests : public QObject {
    Q_OBJECT
  private Q_SLOTS:

    void MainWindowShowsEveryPairOfTheLanguage_data() { Languages(); }
    void MainWindowShowsEveryPairOfTheLanguage() {
        QFETCH(int, language);
        RunSettings settings;
        settings.LanguageIndex = language;
        ui::TMainForm form(settings);
        QCOMPARE(form.windowTitle(), Pair(txt::MainCaption, language));

        const std::pair<const char*, const TextPair*> buttons[] = {
            {"OpenTBut", &txt::OpenTBut},      {"SaveTBut", &txt::SaveTBut},
            {"PrintTBut", &txt::PrintTBut},    {"WriteTBut", &txt::WriteTBut},
            {"ReadTBut", &txt::ReadTBut},      {"ParaTBut", &txt::ParaTBut},
            {"ScanTBut", &txt::ScanTBut},      {"AboutTBut", &txt::AboutTBut},
            {"ToolButton9", &txt::ToolButton9}};
        for (const auto& [name, pair] : buttons) {
            QCOMPARE(Named<QToolButton>(form, name)->text(), Pair(*pair, language));
            QCOMPARE(Named<QToolButton>(form, name)->size(), QSize(55, 36));
        }
        const std::pair<const char*, const TextPair*> menus[] = {{"FileMenu", &txt::FileMenu},
                                                                 {"OperMenu", &txt::OperMenu},
                                                                 {"SetMenu", &txt::SetMenu},
                                                                 {"HelpMune", &txt::HelpMune},
                                                                 {"EditMenu", &ui::etxt::EditMenu}};
        for (const auto& [name, pair] : menus) {
            QCOMPARE(Named<QMenu>(form, name)->title(), Pair(*pair, language));
        }
        const std::pair<const char*, const TextPair*> items[] = {
            {"N1", &txt::N1},
            {"N2", &txt::N2},
            {"N3", &txt::N3},
            {"ExitMenu", &txt::ExitMenu},
            {"ReadMenu", &txt::ReadMenu},
            {"WiteMenu", &txt::WiteMenu},
            {"PMenu", &txt::PMenu},
            {"MMenu", &txt::MMenu},
            {"HMenu", &txt::HMenu},
            {"AMenu", &txt::AMenu},
            {"CopyMenu", &ui::etxt::CopyMenu},
            {"PasteMenu", &ui::etxt::PasteMenu},
            {"FillDownMenu", &ui::etxt::FillDownMenu},
            {"ClearChannelMenu", &ui::etxt::ClearChannelMenu},
            {"ResetPageMenu", &ui::etxt::ResetPageMenu},
            {"UndoMenu", &ui::utxt::UndoMenu},
            {"RedoMenu", &ui::utxt::RedoMenu}};
        for (const auto& [name, pair] : items) {
            QCOMPARE(Named<QAction>(form, name)->text(), Pair(*pair, language));
        }
        QVERIFY(!Named<QAction>(form, "HMenu")->isEnabled());

        auto* pages = Named<QTabWidget>(form, "suiPageControl1");
        QCOMPARE(pages->tabText(0), Pair(txt::SuiTabSheet1, language));
        QCOMPARE(pages->tabText(1), Pair(txt::SuiTabSheet2, language));
        QCOMPARE(pages->widget(0)->objectName(), QStringLiteral("suiTabSheet1"));
        QCOMPARE(pages->widget(1)->objectName(), QStringLiteral("suiTabSheet2"));

        const QAbstractItemModel* grid = Named<QTableView>(form, "DBGridEh")->model();
        QCOMPARE(grid->columnCount(), 14);
        const QStringList titles = Entries(lists::ColumnTitleTable, language);
        for (int column = 0; column < 14; ++column) {
            QCOMPARE(grid->headerData(column, Qt::Horizontal).toString(), titles[column]);
        }
        QCOMPARE(form.ColumnPickList(6), Entries(lists::TxPower, language));
        QCOMPARE(form.ColumnPickList(11), Entries(lists::Bandwidth, language));
        QCOMPARE(form.ColumnPickList(12), Entries(lists::AddScan, language));
        QCOMPARE(form.ColumnPickList(13), Entries(lists::Busy, language));
        QCOMPARE(form.StatusPanelText(1),
                 Pair(txt::TxtFirmware, language) + Pair(ui::wtxt::NoFirmware, language));
    }

    void CommonPageShowsEveryPairOfTheLanguage_data() { Languages(); }
    void CommonPageShowsEveryPairOfTheLanguage() {
        QFETCH(int, language);
        RunSettings settings;
        settings.LanguageIndex = language;
        ui::TMainForm form(settings);
        const std::pair<const char*, const TextPair*> groups[] = {
            {"GlobalGroupBox", &txt::GlobalGroupBox},
            {"ScanGroupBox", &txt::ScanGroupBox},
            {"FactoryGroupBox", &txt::FactoryGroupBox}};
        for (const auto& [name, pair] : groups) {
            QCOMPARE(Named<QGroupBox>(form, name)->title(), Pair(*pair, language));
        }
        const std::pair<const char*, const TextPair*> labels[] = {
            {"Label10", &txt::Label10}, {"Label11", &txt::Label11},   {"Label2", &txt::Label2},
            {"Label3", &txt::Label3},   {"Label4", &txt::Label4},     {"Label5", &txt::Label5},
            {"Label6", &txt::Label6},   {"Label7", &txt::Label7},     {"Label8", &txt::Label8},
            {"Label9", &txt::Label9},   {"LabelANI", &txt::LabelANI}, {"Label21", &txt::Label21},
            {"Label13", &txt::Label13}, {"Label14", &txt::Label14},   {"Label15", &txt::Label15},
            {"Label16", &txt::Label16}, {"Label17", &txt::Label17},   {"Label18", &txt::Label18},
            {"Label19", &txt::Label19}, {"Label20", &txt::Label20}};
        for (const auto& [name, pair] : labels) {
            QCOMPARE(Named<QLabel>(form, name)->text(), Pair(*pair, language));
        }
        // A second caption pass must not leave the layout's entries or the first pass's behind.
        form.ApplyCaptions();
        const std::pair<const char*, ChoiceList> lists[] = {
            {"suiDBComboBox1", lists::AniMode},     {"suiDBComboBox2", lists::Voltage},
            {"suiDBComboBox3", lists::Voltage},     {"suiDBComboBox4", lists::PowerPress},
            {"suiDBComboBox5", lists::KeyAPress},   {"suiDBComboBox6", lists::KeyBPress},
            {"suiDBComboBox7", lists::ScanPause},   {"suiDBComboBox8", lists::ScanRestart},
            {"suiDBComboBox9", lists::ScanChanSel}, {"suiDBComboBox10", lists::ScanPauseSel}};
        for (const auto& [name, list] : lists) {
            QCOMPARE(Items(Named<QComboBox>(form, name)), Entries(list, language));
        }
    }

    void DialogsShowEveryPairOfTheLanguage_data() { Languages(); }
    void DialogsShowEveryPairOfTheLanguage() {
        QFETCH(int, language);
        RunSettings settings;
        settings.LanguageIndex = language;
        ui::TLoginForm band(settings, "/nonexistent/Q36DataBase.mdb");
        QCOMPARE(band.windowTitle(), Pair(txt::BandDialogCaption, language));
        QCOMPARE(Named<QGroupBox>(band, "GroupBox1")->title(),
                 Pair(txt::BandDialogGroup, language));
        CheckOkCancel(band, language);

        ui::TVerForm version(settings);
        QCOMPARE(version.windowTitle(), Pair(txt::VerDialogCaption, language));
        QCOMPARE(Named<QGroupBox>(version, "GroupBox1")->title(),
                 Pair(txt::VerDialogGroup, language));
        QCOMPARE(Items(Named<QComboBox>(version, "suiComboBox")),
                 QStringList({Pair(txt::VerChoice0, language), Pair(txt::VerChoice1, language)}));
        CheckOkCancel(version, language);

        ui::TParamForm ports(settings, [] { return std::vector<std::string>{}; });
        QCOMPARE(ports.windowTitle(), Pair(txt::ParamDialogCaption, language));
        QCOMPARE(Named<QLabel>(ports, "Label1")->text(), Pair(txt::ParamLabel1, language));
        QCOMPARE(Named<QLabel>(ports, "Label2")->text(), Pair(txt::ParamLabel2, language));
        QCOMPARE(Named<QLabel>(ports, "Label3")->text(), Pair(txt::ParamLabel3, language));
        CheckOkCancel(ports, language);

        ui::TAboutForm about(language);
        QCOMPARE(about.windowTitle(), Pair(txt::AboutCaption, language));
        QCOMPARE(Named<QLabel>(about, "Label5")->text(), Pair(txt::AboutWeb, language));
        QCOMPARE(Named<QLabel>(about, "Label9")->text(), Pair(txt::AboutAddress, language));
        QVERIFY(Named<QLabel>(about, "Label1")->text().endsWith(Pair(txt::MainCaption, language)));
        QCOMPARE(Named<QLabel>(about, "Label6")->text(), Pair(ui::wtxt::MakerTel, language));
        QCOMPARE(Named<QLabel>(about, "Label7")->text(), Pair(ui::wtxt::MakerFax, language));
        QCOMPARE(Named<QPushButton>(about, "Button1")->text(), Pair(txt::ButtonOk, language));
        // Each language has its own page of the web site.
        QVERIFY(about.WebAddress().isValid());
        QCOMPARE(about.WebAddress().path().contains(QStringLiteral("/en/")), language == 1);

        // Qt's own buttons speak the language too.
        QVERIFY(ui::UseQtTexts(language));
        QMessageBox question(QMessageBox::Question, {}, {}, QMessageBox::Yes | QMessageBox::No);
        const QString yes = question.button(QMessageBox::Yes)->text();
        QCOMPARE(yes.contains(QRegularExpression(QStringLiteral("\\p{Han}"))), language == 0);
        QCOMPARE(yes == QStringLiteral("&Yes"), language == 1);
    }

  private:
    static void Languages() {
        QTest::addColumn<int>("language");
        QTest::newRow("Chinese") << 0;
        QTest::newRow("English") << 1;
    }
    static void CheckOkCancel(QWidget& dialog, int language) {
        QCOMPARE(Named<QPushButton>(dialog, "Button1")->text(), Pair(txt::ButtonOk, language));
        QCOMPARE(Named<QPushButton>(dialog, "Button2")->text(), Pair(txt::ButtonCancel, language));
    }
};

namespace {
const RegisterUiTest<CaptionTests> registered;
}

}  // namespace q36::test

#include "caption_tests.moc"
