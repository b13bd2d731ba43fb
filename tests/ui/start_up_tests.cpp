// The start-up sequence: band dialog, version dialog, then the main window and its windows;
// cancelling either dialog ends the program before the main window exists.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "modal_answerer.h"
#include "protocol/run_settings.h"
#include "pty_pair.h"
#include "support/radio_bench.h"
#include "support/scratch_folder.h"
#include "support/store_copy.h"
#include "text/text_pairs.h"
#include "ui/channel_grid.h"
#include "ui/channel_grid_model.h"
#include "ui/login_form.h"
#include "ui/main_form.h"
#include "ui/program_options.h"
#include "ui/start_up.h"
#include "ui/undo_commands.h"
#include "ui/undo_texts.h"
#include "ui/ver_form.h"
#include "ui_test_registry.h"

namespace q36::test {

namespace {

void Reject(QWidget& dialog) {
    static_cast<QDialog&>(dialog).reject();
}

// Picks an entry of a dialog's list and confirms.
std::function<void(QWidget&)> Choose(int index) {
    return [index](QWidget& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("suiComboBox"))->setCurrentIndex(index);
        dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    };
}

}  // namespace

class StartUpTests : public QObject {
    Q_OBJECT
  private Q_SLOTS:

    void CancellingTheBandDialogEndsBeforeAnyOtherWindow() {
        ModalAnswerer answerer;
        answerer.On(QStringLiteral("TLoginForm"), Reject);
        StoreCopy store;
        ui::StartUp startUp(store.Path(), [] { return false; });
        QCOMPARE(startUp.Run(), 0);
        QCOMPARE(startUp.CreationOrder(), QStringList{QStringLiteral("TLoginForm")});
        QCOMPARE(startUp.MainForm(), nullptr);
    }

    void CancellingTheVersionDialogEndsWithoutTheMainWindow() {
        ModalAnswerer answerer;
        answerer.On(QStringLiteral("TVerForm"), Reject);
        StoreCopy store;
        ui::StartUp startUp(store.Path(), [] { return false; });
        QCOMPARE(startUp.Run(), 0);
        QCOMPARE(startUp.CreationOrder(),
                 QStringList({QStringLiteral("TLoginForm"), QStringLiteral("TVerForm")}));
        QCOMPARE(startUp.MainForm(), nullptr);
    }

    void ConfirmedDialogsLeadToTheMainWindowWhichEndsTheProgram_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("language");
        QTest::newRow("default") << QStringList() << LANGUAGE_CHINESE;
        QTest::newRow("--lang en")
            << QStringList{QStringLiteral("--lang"), QStringLiteral("en")} << LANGUAGE_ENGLISH;
        QTest::newRow("--lang=zh") << QStringList{QStringLiteral("--lang=zh")} << LANGUAGE_CHINESE;
    }

    void ConfirmedDialogsLeadToTheMainWindowWhichEndsTheProgram() {
        QFETCH(QStringList, arguments);
        QFETCH(int, language);
        std::vector<std::string> given;
        for (const QString& argument : arguments) given.push_back(argument.toStdString());
        const ui::ProgramOptions options = ui::ParseProgramOptions(given);
        PortsSetting none("");
        ModalAnswerer answerer;
        QString bandCaption;
        answerer.On(QStringLiteral("TLoginForm"), [&](QWidget& dialog) {
            bandCaption = dialog.windowTitle();
            Choose(4)(dialog);
        });
        answerer.On(QStringLiteral("TVerForm"), Choose(1));
        QString okButton;
        answerer.On(QStringLiteral("PortMessage"), [&](QWidget& box) {
            QAbstractButton* ok = static_cast<QMessageBox&>(box).button(QMessageBox::Ok);
            okButton = ok->text();
            ok->click();
        });
        StoreCopy store;
        ui::StartUp startUp(store.Path(), [] { return false; });
        startUp.SetLanguageIndex(options.languageIndex);
        QString caption;
        QString firstChannelTx;
        bool scanButtonEnabled = true;
        QString portStatus;
        // Closes the main window once it shows, noting what it showed.
        QTimer closer;
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            ui::TMainForm* form = startUp.MainForm();
            if (!form || !form->isVisible()) return;
            caption = form->windowTitle();
            scanButtonEnabled = form->findChild<QWidget*>(QStringLiteral("ScanTBut"))->isEnabled();
            portStatus = form->StatusPanelText(0);
            // The grid shows the store, reset to the chosen band.
            firstChannelTx = form->findChild<QTableView*>(QStringLiteral("DBGridEh"))
                                 ->model()
                                 ->index(0, 3)
                                 .data()
                                 .toString();
            closer.stop();
            form->close();
        });
        closer.start();
        QCOMPARE(startUp.Run(), 0);
        QCOMPARE(startUp.CreationOrder(),
                 QStringList({QStringLiteral("TLoginForm"), QStringLiteral("TVerForm"),
                              QStringLiteral("TMainForm"), QStringLiteral("TParamForm"),
                              QStringLiteral("TAboutForm"), QStringLiteral("TParaPrintForm")}));
        QCOMPARE(answerer.Names(),
                 QStringList({QStringLiteral("TLoginForm"), QStringLiteral("TVerForm"),
                              QStringLiteral("PortMessage")}));
        QCOMPARE(answerer.Texts().last(), QString::fromStdString(Tr(txt::MsgNoPort, language)));
        QCOMPARE(bandCaption, QString::fromStdString(Tr(txt::BandDialogCaption, language)));
        // Qt's own button is in the program's language.
        QCOMPARE(okButton.contains(QRegularExpression(QStringLiteral("\\p{Han}"))),
                 language == LANGUAGE_CHINESE);
        QCOMPARE(caption, QString::fromStdString(Tr(txt::MainCaption, language)) +
                              QStringLiteral("(136-174)"));
        QCOMPARE(startUp.Settings().BandIndex, 4);
        QVERIFY(!startUp.Settings().HasScanList);
        QVERIFY(!scanButtonEnabled);
        QCOMPARE(portStatus, QString::fromStdString(Tr(txt::TxtNoCom, language)));
        QCOMPARE(firstChannelTx, QStringLiteral("136.0000"));
    }

    void ChangesLeftAtCloseAreOfferedAtTheNextStartOfTheSameBandOnly() {
        ScratchFolder home;
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.Path()));
        PortsSetting none("");
        StoreCopy store;
        // One run of band index band; the window closes once done says so (or after 5 s).
        const auto run = [&](int band, const std::function<bool(ui::TMainForm&)>& done) {
            ModalAnswerer answerer;
            answerer.On(QStringLiteral("TLoginForm"), Choose(band));
            ui::StartUp startUp(store.Path(), [] { return false; });
            QTimer closer;
            int ticks = 0;
            QObject::connect(&closer, &QTimer::timeout, [&] {
                ui::TMainForm* form = startUp.MainForm();
                if (!form || !form->isVisible() || QApplication::activeModalWidget()) return;
                if (!done(*form) && ++ticks < 500) return;
                closer.stop();
                form->close();
            });
            closer.start(10);
            startUp.Run();
            return answerer.Names();
        };
        QString shownTx;
        run(4, [](ui::TMainForm& form) {
            Configuration next;
            if (!form.CurrentConfiguration(next)) return false;
            next.channels[0].FTX = "150.5";
            return form.ApplyConfiguration(next, ui::utxt::EditName);
        });
        const std::string copy = home.Path() + "/q36cps/recovery-136-174.xlsx";
        QVERIFY(QFile::exists(QString::fromStdString(copy)));
        // Another band's start leaves it alone; the same band's offers it, and Yes opens it.
        QVERIFY(!run(0, [](ui::TMainForm&) {
                     return true;
                 }).contains(QStringLiteral("RecoveryQuestion")));
        QVERIFY(QFile::exists(QString::fromStdString(copy)));
        const QStringList asked = run(4, [&](ui::TMainForm& form) {
            shownTx = form.Grid().Model().StoredText(0, 3);
            return form.Undo().History().UndoStep() != nullptr;
        });
        QVERIFY(asked.contains(QStringLiteral("RecoveryQuestion")));
        QCOMPARE(shownTx, QStringLiteral("150.5"));
        // Opened, and kept again at this close: its changes are still neither saved nor written.
        QVERIFY(QFile::exists(QString::fromStdString(copy)));
        qputenv("XDG_DATA_HOME", dataHome);
    }

    void BadLanguageOptionsAreRefusedAndHelpIsAsked() {
        QCOMPARE(ui::ParseProgramOptions({"--lang", "fr"}).error, ui::OptionError::BadLanguage);
        QCOMPARE(ui::ParseProgramOptions({"--lang="}).error, ui::OptionError::MissingLanguage);
        QVERIFY(ui::ParseProgramOptions({"-style", "fusion", "-h"}).help);
    }

    void MissingStoreEndsTheProgramWithTheEnginesMessage() {
        ModalAnswerer answerer;
        ui::StartUp startUp("/nonexistent/Q36DataBase.mdb", [] { return false; });
        QCOMPARE(startUp.Run(), 1);
        QCOMPARE(answerer.Names(), QStringList{QStringLiteral("StoreMessage")});
        QVERIFY(answerer.Texts()[0].contains(QStringLiteral("/nonexistent/Q36DataBase.mdb")));
        QCOMPARE(startUp.VerForm(), nullptr);
        QCOMPARE(startUp.MainForm(), nullptr);
    }
};

namespace {
const RegisterUiTest<StartUpTests> registered;
}

}  // namespace q36::test

#include "start_up_tests.moc"
