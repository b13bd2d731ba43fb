#pragma once
// The about box: the program's title, the maker's details, the version compiled into the
// program and a web address that opens in the desktop's browser. It is shown without blocking
// the main window and only hidden when closed.

#include <QDialog>
#include <QUrl>

class QFrame;
class QLabel;
class QPushButton;

namespace q36::ui {

class TAboutForm : public QDialog {
    Q_OBJECT
  public:
    // Speaks language; each language has its own web page.
    explicit TAboutForm(int language, QWidget* parent = nullptr);

    // Shows the box, or brings it to the front when it is already open; returns at once.
    void ShowAbout();
    // The address Label8 opens.
    QUrl WebAddress() const;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ApplyCaptions();
    QLabel* AddLabel(const char* name, int x, int y);

    int language_;

    QFrame* Panel1;
    QLabel* Image1;
    QFrame* Panel2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QPushButton* Button1;
};

}  // namespace q36::ui
