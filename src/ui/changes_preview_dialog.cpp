#include "changes_preview_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "codec/change_words.h"
#include "compare_texts.h"
#include "ui_text.h"

namespace q36::ui {

QString ChangesPreviewDialog::CountsText(const std::vector<FieldChange>& changes, int language) {
    return QString::fromStdString(ChangeSummary(changes, language));
}

ChangesPreviewDialog::ChangesPreviewDialog(const std::vector<FieldChange>& changes,
                                           const QString& question, int language, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ChangesPreview"));
    setWindowTitle(QTr(ctxt::PreviewCaption, language));

    auto* icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);
    question_ = new QLabel(CountsText(changes, language) + QLatin1Char('\n') + question, this);
    question_->setObjectName(QStringLiteral("PreviewQuestion"));
    question_->setWordWrap(true);

    details_ = new QToolButton(this);
    details_->setObjectName(QStringLiteral("PreviewDetails"));
    details_->setText(QTr(ctxt::PreviewDetails, language));
    details_->setCheckable(true);
    details_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    details_->setArrowType(Qt::RightArrow);
    details_->setEnabled(!changes.empty());

    list_ = new QPlainTextEdit(this);
    list_->setObjectName(QStringLiteral("PreviewList"));
    list_->setReadOnly(true);
    list_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const std::string now = Tr(ctxt::PreviewNow, language);
    const std::string after = Tr(ctxt::PreviewAfter, language);
    QStringList lines;
    for (const FieldChange& change : changes)
        lines << QString::fromStdString(DescribeChange(change, now, after, language));
    list_->setPlainText(lines.join(QLatin1Char('\n')));
    list_->setMinimumSize(460, 200);
    list_->hide();
    connect(details_, &QToolButton::toggled, this, [this](bool shown) {
        details_->setArrowType(shown ? Qt::DownArrow : Qt::RightArrow);
        list_->setVisible(shown);
        adjustSize();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, this);
    buttons->button(QDialogButtonBox::Yes)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(question_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(details_, 0, Qt::AlignLeft);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString ChangesPreviewDialog::Text() const {
    return question_->text();
}

bool ConfirmChanges(QWidget* parent, const std::vector<FieldChange>& changes,
                    const QString& question, int language) {
    ChangesPreviewDialog dialog(changes, question, language, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace q36::ui
