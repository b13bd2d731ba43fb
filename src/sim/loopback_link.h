#pragma once
// Connects a transfer to a virtual radio inside one process: bytes the transfer sends reach the
// radio at once, and each radio answer comes back later as one delivery, as the serial port's
// reader would hand it over after the line fell idle.

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "virtual_radio.h"

namespace q36 {

class LoopbackLink {
  public:
    explicit LoopbackLink(VirtualRadio& radio) : radio_(radio) {}

    // The transfer's SendData forwards here.
    void Send(const uint8_t* data, std::size_t length) { radio_.Receive(data, length); }

    // The radio's next answer as one delivery; false while it has none.
    bool Next(std::vector<uint8_t>& delivery);

    // Hands queued answers to deliver one delivery at a time until the radio is silent or
    // maxDeliveries have been handed over; returns how many were.
    int Pump(const std::function<void(const uint8_t*, uint16_t)>& deliver,
             int maxDeliveries = 1000);

    // Answers waiting to be delivered.
    std::size_t Pending();

  private:
    void Collect();

    VirtualRadio& radio_;
    std::deque<std::vector<uint8_t>> queue_;
};

}  // namespace q36
