#include "about_form.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "pictures.h"
#include "store/database_location.h"
#include "text/text_pairs.h"
#include "ui_text.h"
#include "version_text.h"
#include "window_placement.h"
#include "window_texts.h"

namespace q36::ui {

TAboutForm::TAboutForm(int language, QWidget* parent)
    : QDialog(parent),
      language_(language),
      Panel1(new QFrame(this)),
      Image1(new QLabel(Panel1)),
      Panel2(new QFrame(this)) {
    setObjectName(QStringLiteral("TAboutForm"));
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Image1->setObjectName(QStringLiteral("Image1"));
    Panel2->setObjectName(QStringLiteral("Panel2"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(565, 324);

    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setGeometry(4, 17, 169, 290);
    Image1->setGeometry(1, 1, 167, 288);
    Image1->setPixmap(SvgPixmap(QStringLiteral(":/images/about_radio.svg"), QSize(167, 288)));
    Panel2->setFrameShape(QFrame::StyledPanel);
    Panel2->setGeometry(173, 17, 388, 290);

    Label1 = AddLabel("Label1", 17, 24);
    Label1->setFixedWidth(360);
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPixelSize(13);
    Label1->setFont(bold);
    Label2 = AddLabel("Label2", 17, 64);
    Label3 = AddLabel("Label3", 17, 88);
    Label9 = AddLabel("Label9", 16, 136);
    Label4 = AddLabel("Label4", 48, 136);
    Label4->setFixedSize(330, 33);
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label5 = AddLabel("Label5", 17, 168);
    Label8 = AddLabel("Label8", 48, 168);
    Label8->setFixedWidth(305);
    // The palette's link colour: blue on a light desktop, a light blue on a dark one.
    Label8->setStyleSheet(QStringLiteral("color: palette(link);"));
    QFont underlined = Label8->font();
    underlined.setUnderline(true);
    Label8->setFont(underlined);
    Label8->setCursor(Qt::PointingHandCursor);
    Label8->installEventFilter(this);
    Label6 = AddLabel("Label6", 17, 200);
    Label7 = AddLabel("Label7", 17, 232);

    Button1 = new QPushButton(Panel2);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(288, 248, 60, 22);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::hide);

    ApplyCaptions();
    CentreOnScreen(*this);
}

QLabel* TAboutForm::AddLabel(const char* name, int x, int y) {
    auto* label = new QLabel(Panel2);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    return label;
}

void TAboutForm::ApplyCaptions() {
    setWindowTitle(QTr(txt::AboutCaption, language_));
    Label1->setText(QTr(wtxt::MakerShortName, language_) + QLatin1Char(' ') +
                    QTr(txt::MainCaption, language_));
    Label2->setText(QTr(wtxt::MakerFullName, language_));
    Label4->setText(QTr(wtxt::MakerAddress, language_));
    Label5->setText(QTr(txt::AboutWeb, language_));
    Label6->setText(QTr(wtxt::MakerTel, language_));
    Label7->setText(QTr(wtxt::MakerFax, language_));
    Label8->setText(QTr(wtxt::MakerWeb, language_));
    Label9->setText(QTr(txt::AboutAddress, language_));
    Button1->setText(QTr(txt::ButtonOk, language_));
    for (QLabel* label : {Label1, Label2, Label5, Label6, Label7, Label8, Label9})
        label->adjustSize();
}

void TAboutForm::ShowAbout() {
    show();
    raise();
    activateWindow();
}

QUrl TAboutForm::WebAddress() const {
    return QUrl(Label8->text());
}

void TAboutForm::showEvent(QShowEvent* event) {
    Label3->setText(QTr(wtxt::VersionPrefix, language_) +
                    QString::fromStdString(ProgramVersionText()));
    Label3->setToolTip(QString::fromStdString(DatabaseLocationText(ProgramDatabase(), language_)));
    Label3->adjustSize();
    QDialog::showEvent(event);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label8 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // A desktop without a browser simply does nothing.
        QDesktopServices::openUrl(WebAddress());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace q36::ui
