#include "loopback_link.h"

namespace q36 {

void LoopbackLink::Collect() {
    for (auto& delivery : radio_.TakeDeliveries()) queue_.push_back(std::move(delivery));
}

std::size_t LoopbackLink::Pending() {
    Collect();
    return queue_.size();
}

bool LoopbackLink::Next(std::vector<uint8_t>& delivery) {
    Collect();
    if (queue_.empty()) return false;
    delivery = std::move(queue_.front());
    queue_.pop_front();
    return true;
}

int LoopbackLink::Pump(const std::function<void(const uint8_t*, uint16_t)>& deliver,
                       int maxDeliveries) {
    int delivered = 0;
    std::vector<uint8_t> delivery;
    while (delivered < maxDeliveries && Next(delivery)) {
        deliver(delivery.data(), uint16_t(delivery.size()));
        ++delivered;
    }
    return delivered;
}

}  // namespace q36
