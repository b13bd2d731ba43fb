#include "qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace q36::ui {

bool UseQtTexts(int language) {
    static QPointer<QTranslator> chinese;
    if (chinese) {
        QCoreApplication::removeTranslator(chinese);
        delete chinese;
    }
    if (language != 0) return true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    chinese = translator;
    return true;
}

}  // namespace q36::ui
