// q36cps, the desktop programming software: sets up the application and runs the start-up
// sequence.

#include <QApplication>

#include "store/connection.h"
#include "ui/start_up.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("q36cps"));
    // The program speaks Chinese, the language its run settings start with; the English texts
    // are there for other builds. The store lies beside the program.
    q36::ui::StartUp startUp(q36::DefaultDatabasePath());
    return startUp.Run();
}
