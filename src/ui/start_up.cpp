#include "start_up.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

#include "about_form.h"
#include "exchange/data_folder.h"
#include "login_form.h"
#include "main_form.h"
#include "param_form.h"
#include "print/para_print_form.h"
#include "qt_translation.h"
#include "serial/port_probe.h"
#include "ui_text.h"
#include "ver_form.h"
#include "window_texts.h"

namespace q36::ui {

StartUp::StartUp(std::string databasePath, std::function<bool()> trayAvailable)
    : databasePath_(std::move(databasePath)), trayAvailable_(std::move(trayAvailable)) {}

StartUp::~StartUp() {
    // The windows that the main window's commands open go first, the main window after them.
    printForm_.reset();
    aboutForm_.reset();
    paramForm_.reset();
    mainForm_.reset();
    verForm_.reset();
    loginForm_.reset();
}

int StartUp::Run() {
    // The program ends when the main window closes, not when its last visible window does: the
    // main window may sit in the notification area while the about box is closed.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own buttons and dialogs speak the program's language too.
    UseQtTexts(settings_.LanguageIndex);

    loginForm_ = std::make_unique<TLoginForm>(settings_, databasePath_);
    creationOrder_ << loginForm_->objectName();
    if (!loginForm_->ConnectionError().empty()) {
        StoreFailed(loginForm_->ConnectionError());
        return 1;
    }
    if (loginForm_->exec() != QDialog::Accepted) return 0;

    verForm_ = std::make_unique<TVerForm>(settings_);
    creationOrder_ << verForm_->objectName();
    if (verForm_->exec() != QDialog::Accepted) return 0;

    mainForm_ = std::make_unique<TMainForm>(settings_, trayAvailable_);
    creationOrder_ << mainForm_->objectName();
    // The safe write's switches are the user's choice from one run to the next
    // ($XDG_CONFIG_HOME/q36cps/q36cps.conf).
    {
        QSettings stored(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("q36cps"),
                         QStringLiteral("q36cps"));
        mainForm_->SetWriteSafety({stored.value(QStringLiteral("write/backup"), true).toBool(),
                                   stored.value(QStringLiteral("write/verify"), true).toBool()});
    }
    QObject::connect(mainForm_.get(), &TMainForm::WriteSafetyChanged, [](bool backup, bool verify) {
        QSettings stored(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("q36cps"),
                         QStringLiteral("q36cps"));
        stored.setValue(QStringLiteral("write/backup"), backup);
        stored.setValue(QStringLiteral("write/verify"), verify);
    });
    if (std::string error; !mainForm_->ConnectDatabase(databasePath_, error)) {
        StoreFailed(error);
        return 1;
    }
    mainForm_->OpenFirstPort();
    paramForm_ = std::make_unique<TParamForm>(settings_, &ListDialogPorts);
    creationOrder_ << paramForm_->objectName();
    aboutForm_ = std::make_unique<TAboutForm>(settings_.LanguageIndex);
    creationOrder_ << aboutForm_->objectName();
    // The print dialog brings both report forms, each with a connection of its own to the store.
    printForm_ = std::make_unique<print::TParaPrintForm>(settings_);
    creationOrder_ << printForm_->objectName();
    if (const StoreResult connected = printForm_->Connect(databasePath_); !connected.ok()) {
        StoreFailed(connected.detail);
        return 1;
    }
    printForm_->SetCommitPendingEdits([main = mainForm_.get()] { main->SavePendingEdits(); });
    mainForm_->SetPrintForm(printForm_.get());
    mainForm_->SetParamForm(paramForm_.get());
    mainForm_->SetAboutForm(aboutForm_.get());

    QEventLoop untilClosed;
    QObject::connect(mainForm_.get(), &TMainForm::Closed, &untilClosed, &QEventLoop::quit);
    // Changes a run ended with, neither saved nor written, are kept for the next run of the band.
    mainForm_->SetRecoveryFolder(exchange::DataFolder());
    mainForm_->show();
    // Asked from the loop, so that a window closed meanwhile still ends it.
    QTimer::singleShot(0, mainForm_.get(), [form = mainForm_.get()] { form->OfferRecoveryCopy(); });
    untilClosed.exec();

    aboutForm_->hide();
    verForm_->close();
    loginForm_->close();
    return 0;
}

void StartUp::StoreFailed(const std::string& error) {
    QMessageBox box(QMessageBox::Critical, QTr(wtxt::NoCaption, settings_.LanguageIndex),
                    ShownText(error), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("StoreMessage"));
    box.exec();
}

}  // namespace q36::ui
