#pragma once
// Delivers the serial port threads' notices on the user-interface thread, in the order they
// were posted, by handing each to TComm::DispatchNotice there.

#include <QObject>

#include "serial/notice_receiver.h"

namespace q36 {
class TComm;
}

namespace q36::ui {

class QtNoticeReceiver : public QObject, public NoticeReceiver {
    Q_OBJECT
  public:
    explicit QtNoticeReceiver(QObject* parent = nullptr);

    // The component whose events the notices raise; nullptr drops them.
    void SetComm(TComm* comm) { comm_ = comm; }

    // Any thread; queues the notice for the thread this object lives on and returns at once.
    bool PostNotice(Notice notice) override;

  protected:
    void customEvent(QEvent* event) override;

  private:
    TComm* comm_ = nullptr;
};

}  // namespace q36::ui
