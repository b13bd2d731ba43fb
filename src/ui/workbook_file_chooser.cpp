#include "workbook_file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>

#include "exchange/chirp_csv_texts.h"
#include "safety_texts.h"
#include "ui_text.h"
#include "window_texts.h"

namespace q36::ui {

namespace {

QString Choose(QWidget* parent, QFileDialog::AcceptMode mode, int language, QString& lastFolder) {
    const QString csvFilter = QTr(exchange::csvtxt::FileFilter, language);
    QFileDialog dialog(parent, QString(), lastFolder,
                       QTr(wtxt::WorkbookFilter, language) + QStringLiteral(";;") + csvFilter);
    const bool save = mode == QFileDialog::AcceptSave;
    dialog.setObjectName(save ? QStringLiteral("SDL") : QStringLiteral("ODL"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QString());
    if (dialog.exec() != QDialog::Accepted) return {};
    QString chosen = dialog.selectedFiles().value(0);
    // A name typed without an extension under the CSV filter means a CSV, not a workbook.
    if (save && dialog.selectedNameFilter() == csvFilter && !chosen.isEmpty() &&
        QFileInfo(chosen).suffix().isEmpty()) {
        chosen += QStringLiteral(".csv");
    }
    if (!chosen.isEmpty()) lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

}  // namespace

QString DialogFileChooser::SaveFileName(QWidget* parent) {
    return Choose(parent, QFileDialog::AcceptSave, language_, lastFolder_);
}

QString DialogFileChooser::OpenFileName(QWidget* parent) {
    return Choose(parent, QFileDialog::AcceptOpen, language_, lastFolder_);
}

QString WorkbookFileChooser::TraceFileName(QWidget* parent, int language) {
    return QFileDialog::getSaveFileName(parent, QTr(wtxt::TraceMenu, language),
                                        QStringLiteral("line-trace.tsv"),
                                        QTr(wtxt::TraceFilter, language));
}

}  // namespace q36::ui
