#include "report_preview.h"

#include <QAction>
#include <QDate>
#include <QDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "print_texts.h"
#include "report_form.h"
#include "report_renderer.h"
#include "report_text.h"

namespace q36::print {

namespace {

constexpr int PREVIEW_WIDTH = 960;
constexpr int PREVIEW_HEIGHT = 1000;

}  // namespace

void PreviewReport(const ReportForm& report, QWidget* parent, int language,
                   const std::function<void()>& print) {
    // The pages are laid out for A4 as every print of them is; nothing is printed from here.
    QPrinter layout(QPrinter::HighResolution);
    layout.setOutputFormat(QPrinter::PdfFormat);
    SetUpA4Page(layout);
    QDialog preview(parent);
    preview.setObjectName(QStringLiteral("PreviewDialog"));
    preview.setWindowTitle(report.Caption());
    auto* view = new QPrintPreviewWidget(&layout, &preview);
    const QDate printDate = QDate::currentDate();
    QObject::connect(view, &QPrintPreviewWidget::paintRequested, &preview,
                     [&report, printDate](QPrinter* target) { report.Render(*target, printDate); });

    auto* tools = new QToolBar(&preview);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto add = [&](const TextPair& text, QStyle::StandardPixmap icon, const char* name,
                         auto slot) {
        QAction* action =
            tools->addAction(preview.style()->standardIcon(icon), QtText(text, language));
        action->setObjectName(QString::fromLatin1(name));
        QObject::connect(action, &QAction::triggered, &preview, slot);
        return action;
    };
    add(texts::PreviewFitWidth, QStyle::SP_TitleBarMaxButton, "PreviewFitWidth",
        [view] { view->fitToWidth(); });
    add(texts::PreviewZoomIn, QStyle::SP_ArrowUp, "PreviewZoomIn", [view] { view->zoomIn(); });
    add(texts::PreviewZoomOut, QStyle::SP_ArrowDown, "PreviewZoomOut", [view] { view->zoomOut(); });
    add(texts::PreviewPrevious, QStyle::SP_ArrowLeft, "PreviewPrevious",
        [view] { view->setCurrentPage(view->currentPage() - 1); });
    add(texts::PreviewNext, QStyle::SP_ArrowRight, "PreviewNext",
        [view] { view->setCurrentPage(view->currentPage() + 1); });
    tools->addSeparator();
    QAction* printAction =
        add(texts::PreviewPrint, QStyle::SP_DialogOkButton, "PreviewPrint", [print] {
            if (print) print();
        });
    printAction->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), printAction->icon()));
    add(texts::PreviewClose, QStyle::SP_DialogCloseButton, "PreviewClose",
        [&preview] { preview.reject(); });

    auto* layoutBox = new QVBoxLayout(&preview);
    layoutBox->setContentsMargins(0, 0, 0, 0);
    layoutBox->addWidget(tools);
    layoutBox->addWidget(view);
    // Room for the whole toolbar and a page that can be read.
    QSize size(PREVIEW_WIDTH, PREVIEW_HEIGHT);
    if (const QScreen* screen = preview.screen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    }
    preview.resize(size);
    view->updatePreview();
    preview.exec();
}

}  // namespace q36::print
