#include "loopback_link.h"

namespace q36 {

void LoopbackLink::Collect() {
    for (auto& delivery : radio_.TakeDeliveries()) queue_.push_back(std::move(delivery));
}

std::size_t LoopbackLink::Pending() {
    Collect();
    return queue_.size();
}

int LoopbackLink::Pump(int maxDeliveries) {
    int delivered = 0;
    while (delivered < maxDeliveries) {
        Collect();
        if (queue_.empty()) break;
        const std::vector<uint8_t> delivery = std::move(queue_.front());
        queue_.pop_front();
        transfer_.CommReceiveData(delivery.data(), uint16_t(delivery.size()));
        ++delivered;
    }
    return delivered;
}

}  // namespace q36
