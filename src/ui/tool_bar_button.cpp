#include "tool_bar_button.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace q36::ui {

namespace {

constexpr int ImageSide = 20;
constexpr int TopMargin = 1;

}  // namespace

ToolBarButton::ToolBarButton(QWidget* parent) : QToolButton(parent) {
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(ImageSide, ImageSide));
    setAutoRaise(true);
    setFixedSize(55, 36);
}

QSize ToolBarButton::sizeHint() const {
    return QSize(55, 36);
}

void ToolBarButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    // The frame and hover look come from the style; image and caption are placed here.
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);

    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QRect imageRect((width() - ImageSide) / 2, TopMargin, ImageSide, ImageSide);
    icon().paint(&painter, imageRect, Qt::AlignCenter, mode);
    const QRect textRect(0, imageRect.bottom() + 1, width(), height() - imageRect.bottom() - 1);
    painter.drawItemText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, palette(), isEnabled(),
                         text(), QPalette::ButtonText);
}

}  // namespace q36::ui
