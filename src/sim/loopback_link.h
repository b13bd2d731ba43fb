#pragma once
// Connects a transfer to a virtual radio inside one process: bytes the transfer sends reach the
// radio at once, and each radio answer comes back later as one delivery, as the serial port's
// reader would hand it over after the line fell idle.

#include <deque>
#include <vector>

#include "protocol/transfer.h"
#include "virtual_radio.h"

namespace q36 {

class LoopbackLink {
  public:
    LoopbackLink(Transfer& transfer, VirtualRadio& radio) : transfer_(transfer), radio_(radio) {}

    // The transfer host's SendData forwards here.
    void Send(const uint8_t* data, std::size_t length) { radio_.Receive(data, length); }

    // Hands queued answers to the transfer one delivery at a time until the radio is silent or
    // maxDeliveries have been handed over; returns how many were.
    int Pump(int maxDeliveries = 1000);

    // Answers waiting to be delivered.
    std::size_t Pending();

  private:
    void Collect();

    Transfer& transfer_;
    VirtualRadio& radio_;
    std::deque<std::vector<uint8_t>> queue_;
};

}  // namespace q36
