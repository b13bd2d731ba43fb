#pragma once
// Endpoint the port threads post numbered notices to; it hands them to the owner thread in
// posting order, where TComm::DispatchNotice turns each into an event.

#include "serial/notice.h"

namespace q36 {

class NoticeReceiver {
  public:
    virtual ~NoticeReceiver() = default;
    // Called from any thread; must not block. False when the notice could not be queued.
    virtual bool PostNotice(Notice notice) = 0;
};

}  // namespace q36
