#pragma once
// The question before a command stores or sends anything: how many channels, common values and
// scan lists it will change, with the changes themselves in plain words behind a details button.

#include <QDialog>
#include <vector>

#include "codec/configuration.h"

class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace q36::ui {

class ChangesPreviewDialog : public QDialog {
    Q_OBJECT
    // The whole question as the user reads it, as a message box's text.
    Q_PROPERTY(QString text READ Text)
  public:
    // question follows the numbers (or the line saying nothing will change).
    ChangesPreviewDialog(const std::vector<FieldChange>& changes, const QString& question,
                         int language, QWidget* parent = nullptr);

    QString Text() const;
    // The numbers' line alone: "将改变 N 个信道、M 项公共参数、K 个扫描列表。" or "没有任何改变。".
    static QString CountsText(const std::vector<FieldChange>& changes, int language);

  private:
    QLabel* question_;
    QToolButton* details_;
    QPlainTextEdit* list_;
};

// Shows the preview modally; true for Yes. No (or closing it) means the command must change
// nothing.
bool ConfirmChanges(QWidget* parent, const std::vector<FieldChange>& changes,
                    const QString& question, int language);

}  // namespace q36::ui
