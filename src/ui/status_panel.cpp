#include "status_panel.h"

namespace q36::ui {

StatusPanel::StatusPanel(QWidget* parent) : QLabel(parent) {}

void StatusPanel::SetFullText(const QString& text) {
    full_ = text;
    setToolTip(text);
    Fit();
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Fit();
}

void StatusPanel::Fit() {
    // A framed label without an indent of its own indents its text by half an "x".
    int shownIndent = indent();
    if (shownIndent < 0)
        shownIndent = frameWidth() > 0 ? fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    const int room = contentsRect().width() - 2 * margin() - shownIndent;
    setText(fontMetrics().elidedText(full_, Qt::ElideLeft, std::max(0, room)));
}

}  // namespace q36::ui
