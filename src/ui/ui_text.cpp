#include "ui_text.h"

#include <QFile>

namespace q36::ui {

QString ShownText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QString QTr(const TextPair& pair, int language) {
    return ShownText(Tr(pair, language));
}

QStringList QChoices(ChoiceList list, int language) {
    QStringList entries;
    for (const std::string& entry : ChoiceEntries(list, language)) {
        entries << QString::fromStdString(entry);
    }
    return entries;
}

std::string CoreText(const QString& text) {
    return text.toStdString();
}

std::string FilePath(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

}  // namespace q36::ui
