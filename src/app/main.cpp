// q36cps, the desktop programming software: reads its options, sets up the application and runs
// the start-up sequence.

#include <QApplication>
#include <iostream>

#include "store/connection.h"
#include "ui/program_options.h"
#include "ui/start_up.h"

int main(int argc, char* argv[]) {
    // Read before the application reaches the window system: --help needs no display.
    const q36::ui::ProgramOptions options =
        q36::ui::ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.error != q36::ui::OptionError::None) {
        std::cerr << q36::ui::ErrorText(options);
        return 2;
    }
    if (options.help) {
        std::cout << q36::ui::UsageText(options);
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("q36cps"));
    // The program speaks Chinese unless --lang chose English. The store lies beside the program.
    q36::ui::StartUp startUp(q36::DefaultDatabasePath());
    startUp.SetLanguageIndex(options.languageIndex);
    return startUp.Run();
}
