#pragma once
// Answers the modal windows a test provokes: each one that opens is recorded and handed to the
// handler registered for its object name, or answered with the default (OK/Yes for a message
// box, accept for a dialog).

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <map>

class QWidget;

namespace q36::test {

struct SeenModal {
    QString name;  // object name of the window
    QString text;  // a message box's text, or a dialog's "text" property; empty for others
};

class ModalAnswerer : public QObject {
    Q_OBJECT
  public:
    ModalAnswerer();

    // How to answer windows of this object name.
    void On(const QString& name, std::function<void(QWidget&)> answer);
    // Answer questions with No instead of Yes.
    void SetAnswerNo(bool no) { answerNo_ = no; }

    const QList<SeenModal>& Seen() const { return seen_; }
    QStringList Texts() const;
    QStringList Names() const;

  private:
    void Poll();

    QTimer timer_;
    QPointer<QWidget> last_;
    std::map<QString, std::function<void(QWidget&)>> answers_;
    QList<SeenModal> seen_;
    bool answerNo_ = false;
};

// Runs the event loop until condition holds or timeoutMs passes; returns the condition.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

}  // namespace q36::test
