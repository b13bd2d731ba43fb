// Deliveries into a transfer in every state. A virtual radio first brings the transfer to its
// state (it answers the first K frames, then falls silent); the fuzzed deliveries follow, and
// after each one the transfer must still keep its rules.

#include <algorithm>

#include "codec/frequency.h"
#include "fuzz_targets.h"
#include "protocol/frame.h"
#include "support/radio_bench.h"
#include "text/choice_lists.h"

namespace q36::fuzz {

namespace {

using test::MemoryHost;

// Everything the program put on the line is whole frames of the commands it sends.
void CheckSentFrames(const std::vector<uint8_t>& sent) {
    std::size_t at = 0;
    while (at < sent.size()) {
        Require(sent.size() - at >= std::size_t(FRAME_OVERHEAD), "a frame was cut short");
        Require(sent[at] == FRAME_HEAD[0] && sent[at + 1] == FRAME_HEAD[1],
                "a frame lacks its head");
        const uint8_t command = sent[at + 2];
        const std::size_t n = sent[at + 3];
        Require(sent.size() - at >= n + FRAME_OVERHEAD, "a frame is shorter than its length byte");
        uint8_t sum = 0;
        for (std::size_t k = at + 2; k < at + 4 + n; ++k) sum ^= sent[k];
        Require(sum == sent[at + 4 + n], "a frame's checksum is wrong");
        Require(std::equal(FRAME_TAIL.begin(), FRAME_TAIL.end(),
                           sent.begin() + std::ptrdiff_t(at + 5 + n)),
                "a frame lacks its tail");
        const uint8_t* payload = &sent[at + 4];
        switch (command) {
            case CMD_HANDSHAKE:
                Require(n == HANDSHAKE_PAYLOAD, "handshake length");
                break;
            case CMD_READ_REQUEST:
                Require(n == 1 && payload[0] >= BLOCK_COMMON && payload[0] <= BLOCK_SCAN,
                        "read request");
                break;
            case CMD_STATUS:
                Require(n == 1 && (payload[0] == ST_OK || payload[0] == ST_CHECKSUM_ERROR),
                        "status sent");
                break;
            case CMD_WRITE_DATA: {
                Require(n == DATA_BLOCK_SIZE, "data block length");
                const int type = payload[BLOCK_TYPE_OFFSET], index = payload[BLOCK_INDEX_OFFSET];
                const int count = type == BLOCK_COMMON    ? 1
                                  : type == BLOCK_CHANNEL ? CHANNEL_COUNT
                                                          : SCAN_LIST_COUNT;
                Require(type >= BLOCK_COMMON && type <= BLOCK_SCAN && index < count,
                        "data block head");
                break;
            }
            default:
                Broken("a command the program never sends");
        }
        at += n + FRAME_OVERHEAD;
    }
}

bool IsChannelName(const std::string& slot) {
    if (slot == "NULL") return true;
    if (slot.size() != 4 || slot.compare(0, 2, "CH") != 0) return false;
    const int n = (slot[2] - '0') * 10 + (slot[3] - '0');
    return n >= 1 && n <= CHANNEL_COUNT && slot == ChannelKey(n).insert(0, "CH");
}

// The stored rows keep their keys and hold only values a decoded block can give.
void CheckRows(const MemoryHost& host, const test::MemoryHost& initial, int language) {
    Require(host.channels.size() == std::size_t(CHANNEL_COUNT), "channel rows");
    for (std::size_t k = 0; k < host.channels.size(); ++k) {
        const ChannelResult& row = host.channels[k];
        Require(row.CHANNELNO == ChannelKey(int(k) + 1), "a channel key changed");
        Require(row.ENABLED == "True" || row.ENABLED == "False", "ENABLED");
        if (row.FTX == initial.channels[k].FTX &&
            row.REFREQUENCY == initial.channels[k].REFREQUENCY)
            continue;
        const auto tx = ParseDecimalText(row.FTX), rx = ParseDecimalText(row.REFREQUENCY);
        Require(tx && rx, "a stored frequency is no number");
        // Read back exactly: the text names the same count of 125 Hz units it came from.
        Require(FrequencyTextFromUnits(FrequencyUnitsLow24(*tx)) == row.FTX,
                "FTX does not read back");
        Require(FrequencyTextFromUnits(FrequencyUnitsLow24(*rx)) == row.REFREQUENCY,
                "REFREQUENCY does not read back");
        Require(row.LEVEL >= 0 && row.LEVEL <= 255, "LEVEL");
        // Power code 3 leaves the stored word as it was.
        Require(ChoiceIndexOf(lists::TxPower, row.TXPOWER, language) >= 0 ||
                    row.TXPOWER == initial.channels[k].TXPOWER,
                "TXPOWER");
    }
    Require(host.scans.size() == std::size_t(SCAN_LIST_COUNT), "scan rows");
    for (std::size_t k = 0; k < host.scans.size(); ++k) {
        Require(host.scans[k].LIST == int(k) + 1, "a scan list key changed");
        for (const std::string& slot : host.scans[k].slots)
            Require(IsChannelName(slot), "a slot names no channel");
    }
}

}  // namespace

int TransferOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const bool write = (data[0] & 1) != 0;
    RadioConfig config;
    config.hasScanList = (data[0] & 2) != 0;
    config.faults.silentAfter = data[1] % 32;
    test::RadioBench bench(config);
    bench.settings.LanguageIndex = (data[0] >> 2) & 1;
    const MemoryHost initial = bench.host;
    if (write)
        bench.Write();
    else
        bench.Read();
    bench.host.failStore = (data[2] & 1) != 0;
    bench.host.failLoadChannels = (data[2] & 2) != 0;

    Transfer& t = bench.transfer;
    int deliveries = 0;
    const int framesBefore = t.FrameCount;
    for (std::size_t at = 3; at < size;) {
        const std::size_t declared = data[at++];
        const std::size_t length = std::min(declared, size - at);
        if (length == 0) {
            t.ResponseTimeout();
        } else {
            t.Receive(data + at, uint16_t(length));
            ++deliveries;
        }
        at += length;
        Require(t.Mode() == TransferMode::Idle || t.Mode() == t.LastMode(), "TransferMode");
        Require(!t.Running() || bench.host.timerRunning || bench.host.silenceRunning,
                "a transfer waiting with no timer to end the wait");
        Require(t.NextChannel >= 1 && t.NextChannel <= 25, "NextChannel");
        Require(t.NextScanBlock >= 1 && t.NextScanBlock <= 6, "NextScanBlock");
        Require(t.FrameCount == framesBefore + deliveries, "every delivery counts once");
        Require(bench.host.progressPosition >= 0 &&
                    bench.host.progressPosition <= bench.host.progressMax,
                "progress beyond its maximum");
    }
    for (const auto& message : bench.host.messages)
        Require(!message.text.empty(), "an empty message");
    CheckSentFrames(bench.host.sent);
    CheckRows(bench.host, initial, bench.settings.LanguageIndex);
    return 0;
}

}  // namespace q36::fuzz
