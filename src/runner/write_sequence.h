#pragma once
// A write made safe for a customer's radio: the radio is read first and what it held kept as a
// backup, the user sees what the write will change against it, the write runs, and the radio is
// read back and compared with what was sent. Each stage is a transfer of its own on the same
// port; the progress runs over all of them as one. Without the backup and the check it is the
// plain write, message for message.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "codec/configuration.h"
#include "protocol/configuration_data.h"
#include "protocol/radio_image.h"
#include "transfer_runner.h"

namespace q36 {

// What a front end does for a write sequence beyond a transfer's effects.
class WriteSequenceFront : public TransferEffects {
  public:
    // The radio's memory before the write, read as the backup: keep it; false with the reason
    // when it cannot be kept, and nothing is written.
    virtual bool KeepBackup(const RadioImage& image, const Configuration& configuration,
                            const std::string& firmware, std::string& failure) = 0;
    // What the write will change against the backup just read; true to write.
    virtual bool ConfirmChanges(const std::vector<FieldChange>& changes) = 0;
};

struct WriteSafety {
    bool backup = true;  // read and keep the radio's memory before the first block is sent
    bool verify = true;  // read the radio back after the write and compare
};

enum class WriteStage { Idle, Backup, Write, Verify };

// How a write sequence ended.
enum class WriteEnd {
    None,          // not started, or still running
    Written,       // the radio accepted every block; no check was asked for
    Verified,      // and holds what was sent
    Differs,       // it holds something else (the differences say what)
    CheckFailed,   // the read-back did not complete (its event says why)
    BackupFailed,  // the backup was not read or not kept; nothing was sent
    Declined,      // the user said no to the changes; nothing was sent
    WriteFailed,   // the write ended with another message than its completion
};

// What one stage of a sequence came to, in the words of the programming log.
struct StageRecord {
    WriteStage stage = WriteStage::Idle;
    std::string result;  // "done", "refused", "no-answer", "declined", "stopped", ...
    std::string check;   // the check's "equal", "differs: N", "not-read"
    bool operator==(const StageRecord&) const = default;
};

// The log word of a transfer that ended with event.
std::string ResultWord(TransferEvent event);

class WriteSequence {
  public:
    // data is where the configuration written comes from (the store); settings must outlive
    // the sequence.
    WriteSequence(TransferData& data, WriteSequenceFront& front, const Clock& clock,
                  const RunSettings& settings, WriteSafety safety);
    WriteSequence(const WriteSequence&) = delete;
    WriteSequence& operator=(const WriteSequence&) = delete;
    ~WriteSequence();

    // The switches for the next write.
    void SetSafety(WriteSafety safety) { safety_ = safety; }
    WriteSafety Safety() const { return safety_; }

    // Records every stage's frames into trace (none: nothing).
    void SetTrace(LineTrace* trace) { trace_ = trace; }

    // The write's first steps (pending edits, the port check and its message), as a plain
    // write takes them; true when the user is to be asked. Start once the user said yes.
    bool Prepare(const std::string& password, bool portOpen);
    void Start();

    // A delivery of the line, the port's hangup, the timers: for the stage under way.
    void Deliver(const uint8_t* buffer, uint16_t length);
    void PortVanished(TComm& comm);
    void Tick();
    std::optional<Clock::TimePoint> NextDeadline() const;
    // Serves comm until the sequence has ended or stopping() is true (see TransferRunner).
    void RunOnPort(TComm& comm, QueueNoticeReceiver& receiver,
                   const std::function<bool()>& stopping = {});

    bool Running() const;
    WriteStage Stage() const { return stage_; }
    WriteEnd End() const { return end_; }
    // The event of the message that ended the sequence (WriteDone after a check that ran).
    std::optional<TransferEvent> LastEvent() const { return lastEvent_; }
    // What differs after a check, sent against what the radio holds.
    const std::vector<FieldChange>& Differences() const { return differences_; }
    // The write's own transfer, for what the radio holds of a write that was stopped.
    const Transfer* WriteTransfer() const;
    // The stages that ran, in order; a stage still under way counts as stopped.
    std::vector<StageRecord> Records() const;
    // The firmware of the radio's last handshake reply.
    std::string Firmware() const;

  private:
    class StageEffects;
    enum class Pending { None, AfterBackup, AfterWrite, AfterVerify };

    std::unique_ptr<TransferRunner> NewRunner(TransferData& data);
    void StartRead(WriteStage stage);
    void StartWriteStage();
    // Runs the step a stage's end asked for, once the stage's transfer has returned.
    void Advance();
    void Finish(WriteEnd end, std::optional<TransferEvent> event);
    void OnMessage(TransferEvent event, const std::string& text);
    void OnProgress(int position);
    std::string Text(const TextPair& pair) const;
    TransferRunner* Current() const;

    TransferData& data_;
    WriteSequenceFront& front_;
    const Clock& clock_;
    const RunSettings& settings_;
    WriteSafety safety_;
    LineTrace* trace_ = nullptr;
    std::unique_ptr<StageEffects> effects_;
    std::string password_;

    WriteStage stage_ = WriteStage::Idle;
    Pending pending_ = Pending::None;
    WriteEnd end_ = WriteEnd::None;
    std::optional<TransferEvent> lastEvent_;
    std::unique_ptr<TransferRunner> writeRunner_;
    std::unique_ptr<TransferRunner> readRunner_;  // the backup's or the check's
    std::unique_ptr<ConfigurationData> readData_;
    RadioImage readImage_;  // what the read's answers carried
    RadioImage sentImage_;  // what the write sent
    FrameSplitter sentFrames_;
    std::string writeDoneText_;
    std::vector<FieldChange> differences_;
    std::string firmware_;
    std::vector<StageRecord> records_;
};

// The columns a check leaves out: the factory power bytes, which the write always sends as zero.
bool CheckedColumn(const FieldChange& change);

}  // namespace q36
