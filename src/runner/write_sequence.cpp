#include "write_sequence.h"

#include "codec/change_words.h"
#include "codec/comparable_form.h"
#include "protocol/frame.h"
#include "protocol/image_configuration.h"
#include "text/text_pairs.h"

namespace q36 {

namespace {

// The deliveries a transfer of the settings' variant expects, as its progress counts them.
int StageTotal(const RunSettings& settings) {
    return settings.HasScanList ? 30 : 25;
}

// The configuration the data side would write now.
StoreResult LoadWritten(TransferData& data, Configuration& configuration) {
    configuration = BlankConfiguration();
    StoreResult status = data.ReadCommonPage(configuration.common);
    if (status.ok()) status = data.LoadChannelRows(configuration.channels);
    if (status.ok()) status = data.FillScanArr(configuration.scans);
    return status;
}

}  // namespace

std::string ResultWord(TransferEvent event) {
    switch (event) {
        case TransferEvent::ReadDone:
        case TransferEvent::WriteDone:
            return "done";
        case TransferEvent::PortNotOpen:
            return "port-not-open";
        case TransferEvent::Refused:
            return "refused";
        case TransferEvent::ReadFailed:
            return "bad-block";
        case TransferEvent::CheckFailed:
            return "value-refused";
        case TransferEvent::NoAnswer:
            return "no-answer";
        case TransferEvent::Timeout:
            return "timeout";
        case TransferEvent::StoreFailed:
            return "store-failed";
        case TransferEvent::VerifyFailed:
            return "differs";
    }
    return "failed";
}

bool CheckedColumn(const FieldChange& change) {
    return !(change.part == FieldChange::Part::Common &&
             (change.column == "HIGHTRANPOWER" || change.column == "MIDTRANPOWER" ||
              change.column == "LOWTRANPOWER"));
}

// A stage's transfer effects: the line and the firmware pass through, the progress is placed
// within the whole sequence, and the messages go to the sequence, which decides what is shown.
class WriteSequence::StageEffects final : public TransferEffects {
  public:
    explicit StageEffects(WriteSequence& sequence) : sequence_(sequence) {}

    bool SendData(const uint8_t* data, uint16_t length) override {
        if (sequence_.stage_ == WriteStage::Write) {
            for (const std::vector<uint8_t>& frame : sequence_.sentFrames_.Push(data, length))
                TakeDataFrame(frame, sequence_.sentImage_);
        }
        return sequence_.front_.SendData(data, length);
    }
    void ShowMessage(TransferEvent event, const std::string& text) override {
        sequence_.OnMessage(event, text);
    }
    void SetProgress(int, int, int position) override { sequence_.OnProgress(position); }
    void SetProgressVisible(bool visible) override {
        // Hidden only once the whole sequence has ended.
        if (visible) sequence_.front_.SetProgressVisible(true);
    }
    void SetFirmwareStatus(const std::string& text) override {
        sequence_.front_.SetFirmwareStatus(text);
    }
    void Repaint() override { sequence_.front_.Repaint(); }

  private:
    WriteSequence& sequence_;
};

WriteSequence::WriteSequence(TransferData& data, WriteSequenceFront& front, const Clock& clock,
                             const RunSettings& settings, WriteSafety safety)
    : data_(data),
      front_(front),
      clock_(clock),
      settings_(settings),
      safety_(safety),
      effects_(std::make_unique<StageEffects>(*this)) {}

WriteSequence::~WriteSequence() = default;

std::string WriteSequence::Text(const TextPair& pair) const {
    return Tr(pair, settings_.LanguageIndex);
}

std::unique_ptr<TransferRunner> WriteSequence::NewRunner(TransferData& data) {
    auto runner = std::make_unique<TransferRunner>(data, *effects_, clock_, settings_);
    runner->GetTransfer().ApplyVariant();
    runner->GetTransfer().Password = password_;
    runner->SetTrace(trace_);
    return runner;
}

TransferRunner* WriteSequence::Current() const {
    switch (stage_) {
        case WriteStage::Backup:
        case WriteStage::Verify:
            return readRunner_.get();
        case WriteStage::Write:
            return writeRunner_.get();
        case WriteStage::Idle:
            break;
    }
    // Once ended, late answers go to the transfer that ran last.
    return readRunner_ ? readRunner_.get() : writeRunner_.get();
}

bool WriteSequence::Running() const {
    if (stage_ == WriteStage::Idle) return false;
    const TransferRunner* runner = Current();
    return pending_ != Pending::None || (runner && runner->Running());
}

const Transfer* WriteSequence::WriteTransfer() const {
    return writeRunner_ ? &writeRunner_->GetTransfer() : nullptr;
}

std::string WriteSequence::Firmware() const {
    return firmware_;
}

std::vector<StageRecord> WriteSequence::Records() const {
    std::vector<StageRecord> records = records_;
    if (Running())
        records.push_back({stage_, "stopped", stage_ == WriteStage::Verify ? "not-read" : ""});
    return records;
}

bool WriteSequence::Prepare(const std::string& password, bool portOpen) {
    password_ = password;
    records_.clear();
    end_ = WriteEnd::None;
    lastEvent_.reset();
    differences_.clear();
    readRunner_.reset();
    readData_.reset();
    stage_ = WriteStage::Write;
    writeRunner_ = NewRunner(data_);
    writeRunner_->GetTransfer().PortOpen = portOpen;
    const bool ask = writeRunner_->PrepareWrite();
    if (!ask && end_ == WriteEnd::None) stage_ = WriteStage::Idle;
    return ask;
}

void WriteSequence::Start() {
    if (!writeRunner_) return;
    if (safety_.backup) return StartRead(WriteStage::Backup);
    StartWriteStage();
}

void WriteSequence::StartRead(WriteStage stage) {
    stage_ = stage;
    readImage_ = RadioImage{};
    readData_ = std::make_unique<ConfigurationData>();
    readRunner_ = NewRunner(*readData_);
    readRunner_->GetTransfer().PortOpen = writeRunner_->GetTransfer().PortOpen;
    if (readRunner_->PrepareRead()) readRunner_->StartRead();
}

void WriteSequence::StartWriteStage() {
    stage_ = WriteStage::Write;
    sentImage_ = RadioImage{};
    sentFrames_.TakeRest();
    // The read before it may have found the port gone.
    if (readRunner_) writeRunner_->GetTransfer().PortOpen = readRunner_->GetTransfer().PortOpen;
    writeRunner_->StartWrite();
}

void WriteSequence::OnProgress(int position) {
    const int stageTotal = StageTotal(settings_);
    int before = 0;
    int stages = 1;
    if (safety_.backup) ++stages;
    if (safety_.verify) ++stages;
    if (stage_ == WriteStage::Write && safety_.backup) before = 1;
    if (stage_ == WriteStage::Verify) before = stages - 1;
    front_.SetProgress(0, stages * stageTotal,
                       before * stageTotal + std::min(position, stageTotal));
}

void WriteSequence::Finish(WriteEnd end, std::optional<TransferEvent> event) {
    end_ = end;
    lastEvent_ = event;
    pending_ = Pending::None;
    stage_ = WriteStage::Idle;
    front_.SetProgressVisible(false);
}

void WriteSequence::OnMessage(TransferEvent event, const std::string& text) {
    const TransferRunner* runner = Current();
    if (runner && !runner->GetTransfer().Firmware.empty())
        firmware_ = runner->GetTransfer().Firmware;
    switch (stage_) {
        case WriteStage::Backup:
            if (event == TransferEvent::ReadDone) {
                pending_ = Pending::AfterBackup;
                return;
            }
            records_.push_back({WriteStage::Backup, ResultWord(event), ""});
            Finish(WriteEnd::BackupFailed, event);
            front_.ShowMessage(event, Text(txt::MsgBackupFailed) + "\r\n" + text);
            return;
        case WriteStage::Write:
            records_.push_back({WriteStage::Write, ResultWord(event), ""});
            if (event == TransferEvent::WriteDone && safety_.verify) {
                writeDoneText_ = text;
                pending_ = Pending::AfterWrite;
                return;
            }
            // The port check of Prepare ends nothing that started.
            Finish(event == TransferEvent::WriteDone ? WriteEnd::Written : WriteEnd::WriteFailed,
                   event);
            front_.ShowMessage(event, text);
            return;
        case WriteStage::Verify:
            if (event == TransferEvent::ReadDone) {
                pending_ = Pending::AfterVerify;
                return;
            }
            records_.push_back({WriteStage::Verify, ResultWord(event), "not-read"});
            Finish(WriteEnd::CheckFailed, event);
            front_.ShowMessage(
                event, writeDoneText_ + "\r\n" + Text(txt::MsgVerifyNotRead) + "\r\n" + text);
            return;
        case WriteStage::Idle:
            // A late answer's message after the end: shown as the plain transfer shows it.
            front_.ShowMessage(event, text);
            return;
    }
}

void WriteSequence::Deliver(const uint8_t* buffer, uint16_t length) {
    TransferRunner* runner = Current();
    if (!runner) return;
    if (stage_ == WriteStage::Backup || stage_ == WriteStage::Verify)
        TakeDataFrame(std::span<const uint8_t>(buffer, length), readImage_);
    runner->Deliver(buffer, length);
    Advance();
}

void WriteSequence::PortVanished(TComm& comm) {
    if (TransferRunner* runner = Current()) runner->PortVanished(comm);
    Advance();
}

void WriteSequence::Tick() {
    if (TransferRunner* runner = Current()) runner->Tick();
    Advance();
}

std::optional<Clock::TimePoint> WriteSequence::NextDeadline() const {
    const TransferRunner* runner = Current();
    return runner ? runner->NextDeadline() : std::nullopt;
}

void WriteSequence::Advance() {
    const Pending pending = std::exchange(pending_, Pending::None);
    const int language = settings_.LanguageIndex;
    switch (pending) {
        case Pending::None:
            return;
        case Pending::AfterBackup: {
            const Configuration backup = readData_->Value();
            std::string failure;
            if (!front_.KeepBackup(readImage_, backup, firmware_, failure)) {
                records_.push_back({WriteStage::Backup, "not-kept", ""});
                Finish(WriteEnd::BackupFailed, TransferEvent::StoreFailed);
                front_.ShowMessage(TransferEvent::StoreFailed,
                                   Text(txt::MsgBackupFailed) + "\r\n" + failure);
                return;
            }
            records_.push_back({WriteStage::Backup, "done", ""});
            Configuration written;
            if (const StoreResult loaded = LoadWritten(data_, written); !loaded.ok()) {
                Finish(WriteEnd::BackupFailed, TransferEvent::StoreFailed);
                front_.ShowMessage(TransferEvent::StoreFailed,
                                   Text(txt::MsgNoAnswer) + "\r\n" + loaded.detail);
                return;
            }
            // Compared by meaning: the store keeps "400" where the radio gives "400.0000".
            if (!front_.ConfirmChanges(DiffComparable(backup, written, language))) {
                records_.push_back({WriteStage::Write, "declined", ""});
                Finish(WriteEnd::Declined, std::nullopt);
                return;
            }
            return StartWriteStage();
        }
        case Pending::AfterWrite:
            return StartRead(WriteStage::Verify);
        case Pending::AfterVerify: {
            const Configuration sent = DecodeImage(sentImage_, settings_);
            differences_.clear();
            for (FieldChange& change : Diff(sent, readData_->Value(), language)) {
                if (CheckedColumn(change)) differences_.push_back(std::move(change));
            }
            records_.push_back({WriteStage::Verify, "done",
                                differences_.empty()
                                    ? "equal"
                                    : "differs: " + std::to_string(differences_.size())});
            if (differences_.empty()) {
                Finish(WriteEnd::Verified, TransferEvent::WriteDone);
                front_.ShowMessage(TransferEvent::WriteDone,
                                   writeDoneText_ + "\r\n" + Text(txt::MsgVerifyEqual));
                return;
            }
            std::string text =
                writeDoneText_ + "\r\n" +
                Fill(Text(txt::MsgVerifyDiffers), "{count}", std::to_string(differences_.size()));
            for (const FieldChange& change : differences_) {
                text += "\r\n" + DescribeChange(change, Text(txt::TxtSideSent),
                                                Text(txt::TxtSideRadio), language);
            }
            Finish(WriteEnd::Differs, TransferEvent::VerifyFailed);
            front_.ShowMessage(TransferEvent::VerifyFailed, text);
            return;
        }
    }
}

void WriteSequence::RunOnPort(TComm& comm, QueueNoticeReceiver& receiver,
                              const std::function<bool()>& stopping) {
    ServePort(
        *this, clock_, comm, receiver, [&] { return !Running() || (stopping && stopping()); },
        stopping);
}

}  // namespace q36
