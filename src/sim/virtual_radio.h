#pragma once
// The radio's side of the programming protocol, as a byte-in, deliveries-out object: it checks
// the handshake's band byte and password, answers read requests from its memory image, keeps
// accepted write blocks, and can be told to misbehave in the ways real radios and cables do.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "protocol/radio_image.h"

namespace q36 {

struct BlockRef {
    int type = 0;
    int index = 0;
    bool operator==(const BlockRef&) const = default;
};

// The answers a fault names by TYPE:INDEX: a data block type and index for the block the radio
// sends in a read, or for the status that answers the block written to it; type 0 index 0 for
// the answer to the handshake.
struct RadioFaults {
    std::optional<int> handshakeStatus;   // answer a good handshake with this status instead
    std::optional<int> silentAfter;       // stop answering after this many answers
    std::vector<BlockRef> corrupt;        // answers sent once with a wrong checksum
    std::vector<BlockRef> split;          // answers delivered in two pieces, 150 ms apart
    std::vector<BlockRef> garbageBefore;  // answers preceded by line noise in the same burst
    std::vector<BlockRef> duplicate;      // answers sent twice back to back, in one burst
    // After this many answers the line is cut as soon as the program sends again: the bytes
    // never arrive, and a pty server closes its master as a pulled cable would.
    std::optional<int> hangupAfter;
    // Answers of which only the first half is sent before the line is cut (30 ms later), as a
    // cable pulled in the middle of a frame.
    std::vector<BlockRef> cutIn;
    struct WriteStatus {
        BlockRef block;
        int status;
    };
    std::vector<WriteStatus> writeStatus;  // write blocks answered with a status (and not kept)
};

// Parses one fault description: handshake-status=N, silent-after=K, corrupt=TYPE:INDEX,
// split=TYPE:INDEX, write-status=TYPE:INDEX:N, garbage-before=TYPE:INDEX, duplicate=TYPE:INDEX,
// hangup-after=K, cut-in=TYPE:INDEX. False with a reason for anything else.
bool ParseFault(const std::string& text, RadioFaults& faults, std::string& error);

struct RadioConfig {
    int bandIndex = 0;
    std::string password = "KZP";
    std::array<uint8_t, 3> version{1, 0, 3};
    bool hasScanList = true;
    RadioFaults faults;
};

class VirtualRadio {
  public:
    VirtualRadio(RadioConfig config, RadioImage image);

    // Bytes from the program, in any pieces.
    void Receive(const uint8_t* data, std::size_t length);

    // Answers produced since the last call, each element one delivery as the line would cut it
    // (a split answer is two elements).
    std::vector<std::vector<uint8_t>> TakeDeliveries();

    // Whether the delivery at this position of the last TakeDeliveries() is the second piece of
    // a split answer (the line pauses before it).
    const std::vector<bool>& PauseBefore() const { return pauseBefore_; }

    const RadioImage& Image() const { return image_; }
    void SetImage(const RadioImage& image) { image_ = image; }

    // Every complete frame received, in order.
    const std::vector<std::vector<uint8_t>>& ReceivedFrames() const { return received_; }
    int AnswersSent() const { return answersSent_; }
    // Whether the hangup-after fault has cut the line.
    bool LineCut() const { return lineCut_; }
    // Whether the line is to be cut once the last deliveries taken are sent (cut-in).
    bool CutAfterDeliveries() const { return cutAfterDeliveries_; }

    // Called after each write block the radio kept.
    std::function<void(const RadioImage&)> onImageChanged;
    // Called with every whole frame received, before it is answered.
    std::function<void(const std::vector<uint8_t>&)> onFrameReceived;

  private:
    void HandleFrame(const std::vector<uint8_t>& frame);
    void Answer(uint8_t command, std::span<const uint8_t> payload, BlockRef about);
    void SendStatus(uint8_t status, BlockRef about = {-1, -1});
    void SendBlock(int type, int index);
    bool Listed(const std::vector<BlockRef>& list, int type, int index) const;

    enum class Phase { Idle, Channels, Scans };

    RadioConfig config_;
    RadioImage image_;
    std::vector<uint8_t> pending_;
    std::vector<std::vector<uint8_t>> deliveries_;
    std::vector<bool> pauseBefore_;
    std::vector<bool> nextPause_;
    bool cutAfterDeliveries_ = false;
    std::vector<std::vector<uint8_t>> received_;
    std::vector<BlockRef> corruptedOnce_;
    bool handshaken_ = false;
    Phase phase_ = Phase::Idle;
    int nextIndex_ = 0;
    int answersSent_ = 0;
    bool lineCut_ = false;
};

// The bytes the garbage-before fault sends ahead of an answer; the third is no command.
inline constexpr std::array<uint8_t, 3> LINE_NOISE{0xFF, 0x00, 0x5A};

}  // namespace q36
