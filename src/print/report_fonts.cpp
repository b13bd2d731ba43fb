#include "report_fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

namespace q36::print {

namespace {

QString FindFamily() {
    const QStringList installed = QFontDatabase::families();
    // Sans-serif families that print small Chinese sizes cleanly; the first is the one the
    // set-up installs.
    for (const char* preferred : {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Source Han Sans SC",
                                  "Noto Sans SC", "WenQuanYi Zen Hei", "AR PL UMing CN"}) {
        const QString family = QString::fromLatin1(preferred);
        if (installed.contains(family, Qt::CaseInsensitive)) return family;
    }
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    if (!chinese.isEmpty()) return chinese.front();
    return QGuiApplication::font().family();
}

}  // namespace

QString ReportFontFamily() {
    static const QString family = FindFamily();
    return family;
}

}  // namespace q36::print
