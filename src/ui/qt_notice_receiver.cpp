#include "qt_notice_receiver.h"

#include <QCoreApplication>
#include <QEvent>

#include "serial/tcomm.h"

namespace q36::ui {

namespace {

const QEvent::Type NoticeEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

// Posted events to one receiver are delivered in posting order, which keeps the notices' order.
class NoticeEvent : public QEvent {
  public:
    explicit NoticeEvent(Notice notice) : QEvent(NoticeEventType), notice_(std::move(notice)) {}
    const Notice& Held() const { return notice_; }

  private:
    Notice notice_;
};

}  // namespace

QtNoticeReceiver::QtNoticeReceiver(QObject* parent) : QObject(parent) {}

bool QtNoticeReceiver::PostNotice(Notice notice) {
    QCoreApplication::postEvent(this, new NoticeEvent(std::move(notice)));
    return true;
}

void QtNoticeReceiver::customEvent(QEvent* event) {
    if (event->type() != NoticeEventType) return QObject::customEvent(event);
    if (comm_) comm_->DispatchNotice(static_cast<NoticeEvent*>(event)->Held());
}

}  // namespace q36::ui
