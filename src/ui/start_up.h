#pragma once
// The program's start-up: the band dialog, the version dialog, then the main window and the
// windows it opens, created in that order. Cancelling either dialog ends the program before
// the main window exists; closing the main window ends it too.

#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "protocol/run_settings.h"

namespace q36::print {
class TParaPrintForm;
}

namespace q36::ui {

class TAboutForm;
class TLoginForm;
class TMainForm;
class TParamForm;
class TVerForm;

class StartUp {
  public:
    // The windows open the store at databasePath; trayAvailable overrides the desktop's answer
    // to whether it has a notification area.
    explicit StartUp(std::string databasePath, std::function<bool()> trayAvailable = {});
    ~StartUp();
    StartUp(const StartUp&) = delete;
    StartUp& operator=(const StartUp&) = delete;

    // The run's language, chosen on the command line before Run; Chinese when never set.
    void SetLanguageIndex(int language) { settings_.LanguageIndex = language; }

    // Runs the whole program; returns its exit code when the main window has closed or a
    // start-up dialog was cancelled.
    int Run();

    // The windows, once created (nullptr before).
    TLoginForm* LoginForm() const { return loginForm_.get(); }
    TVerForm* VerForm() const { return verForm_.get(); }
    TMainForm* MainForm() const { return mainForm_.get(); }
    TParamForm* ParamForm() const { return paramForm_.get(); }
    TAboutForm* AboutForm() const { return aboutForm_.get(); }
    print::TParaPrintForm* PrintForm() const { return printForm_.get(); }
    // Object names of the windows in the order they were created.
    const QStringList& CreationOrder() const { return creationOrder_; }
    // What the start-up dialogs chose; every window of the run is given these.
    const RunSettings& Settings() const { return settings_; }

  private:
    // Shows the store's error; the program then ends.
    void StoreFailed(const std::string& error);

    std::string databasePath_;
    std::function<bool()> trayAvailable_;
    RunSettings settings_;  // filled by the band and version dialogs, before the main window
    std::unique_ptr<TLoginForm> loginForm_;
    std::unique_ptr<TVerForm> verForm_;
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<TParamForm> paramForm_;
    std::unique_ptr<TAboutForm> aboutForm_;
    std::unique_ptr<print::TParaPrintForm> printForm_;
    QStringList creationOrder_;
};

}  // namespace q36::ui
