#pragma once
// Stamps each notice of the port's threads with the opening of the port they belong to, so that
// notices still queued from an earlier opening (a hangup above all) are not taken for the new
// one's after the port was closed and opened again.

#include <cstdint>

#include "serial/notice_receiver.h"

namespace q36 {

class SessionStamp : public NoticeReceiver {
  public:
    explicit SessionStamp(NoticeReceiver& inner) : inner_(inner) {}

    // Only while no port thread exists: the threads read it without a lock.
    void Begin(uint32_t session) { session_ = session; }

    bool PostNotice(Notice notice) override {
        notice.session = session_;
        return inner_.PostNotice(std::move(notice));
    }

  private:
    NoticeReceiver& inner_;
    uint32_t session_ = 0;
};

}  // namespace q36
