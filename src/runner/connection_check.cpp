#include "runner/connection_check.h"

#include "protocol/frame.h"
#include "protocol/transfer.h"
#include "runner/connection_texts.h"
#include "runner/handshake_probe.h"
#include "text/messages.h"
#include "text/text_pairs.h"

namespace q36 {

namespace {

namespace texts = connection::texts;

std::string Fill(std::string text, const std::string& name, const std::string& value) {
    for (auto at = text.find(name); at != std::string::npos;
         at = text.find(name, at + value.size()))
        text.replace(at, name.size(), value);
    return text;
}

// The lines of one check, written in its language.
class Lines {
  public:
    Lines(ConnectionCheck& check, int language) : check_(check), language_(language) {}

    std::string Text(const TextPair& pair) const { return Tr(pair, language_); }
    void Pass(CheckStep step, std::string result) {
        check_.lines.push_back(
            {step, CheckOutcome::Passed, CheckFailure::None, std::move(result), {}});
    }
    void Fail(CheckStep step, CheckFailure failure, std::string result, std::string fix) {
        check_.lines.push_back(
            {step, CheckOutcome::Failed, failure, std::move(result), std::move(fix)});
    }
    // The steps from step on are left out, for the reason given.
    void SkipFrom(CheckStep step, const TextPair& because) {
        for (int s = int(step); s <= int(CheckStep::Answers); ++s) {
            static constexpr const TextPair* kWhat[] = {
                &texts::NotCheckedConsole, &texts::NotCheckedConsole, &texts::NotCheckedAccess,
                &texts::NotCheckedHolders, &texts::SkippedOpen,       &texts::SkippedHandshake};
            const TextPair& what = *kWhat[s];
            check_.lines.push_back({CheckStep(s),
                                    CheckOutcome::Skipped,
                                    CheckFailure::None,
                                    Text(what) + Text(because),
                                    {}});
        }
    }

  private:
    ConnectionCheck& check_;
    int language_;
};

std::string HolderText(const PortHolder& holder, int language) {
    std::string text = "PID " + std::to_string(holder.pid);
    std::string about = holder.command;
    if (!holder.lockFile.empty()) {
        about += (about.empty() ? "" : ", ") +
                 Fill(Tr(texts::HolderLockFile, language), "{file}", holder.lockFile);
    }
    return about.empty() ? text : text + " (" + about + ")";
}

std::string HolderFix(const PortHolder& holder, int language) {
    if (holder.command == "ModemManager") return Tr(texts::FixModemManager, language);
    if (holder.command == "brltty") return Tr(texts::FixBrltty, language);
    return Fill(Tr(texts::FixCloseHolder, language), "{pid}", std::to_string(holder.pid));
}

// The holders step; false when a live holder is in the way of opening the port.
bool CheckHolders(ConnectionCheck& check, Lines& lines, const CheckOptions& options) {
    const int language = options.language;
    check.holders = FindPortHolders(check.port);
    std::string live;
    std::string liveFixes;
    const PortHolder* stale = nullptr;
    for (const PortHolder& holder : check.holders.holders) {
        if (!holder.alive) {
            if (!stale) stale = &holder;
            continue;
        }
        live += (live.empty() ? "" : ", ") + HolderText(holder, language);
        const std::string fix = HolderFix(holder, language);
        if (liveFixes.find(fix) == std::string::npos)
            liveFixes += (liveFixes.empty() ? "" : "; ") + fix;
    }
    if (!live.empty()) {
        lines.Fail(CheckStep::NotHeld, CheckFailure::Port,
                   Fill(lines.Text(texts::HeldBy), "{holders}", live), liveFixes);
        return false;
    }
    if (stale) {
        lines.Fail(CheckStep::NotHeld, CheckFailure::Port,
                   Fill(Fill(lines.Text(texts::StaleLock), "{file}", stale->lockFile), "{pid}",
                        std::to_string(stale->pid)),
                   Fill(lines.Text(texts::FixStaleLock), "{file}", stale->lockFile));
        return true;  // nobody is there to disturb
    }
    std::string result = lines.Text(options.heldByThisProgram ? texts::HeldBySelf : texts::NotHeld);
    if (check.holders.uninspected > 0) {
        result += Fill(lines.Text(texts::Uninspected), "{count}",
                       std::to_string(check.holders.uninspected));
    }
    lines.Pass(CheckStep::NotHeld, result);
    return true;
}

void CheckOpensAndAnswers(ConnectionCheck& check, Lines& lines, const CheckOptions& options) {
    const int language = options.language;
    const HandshakeRun run = RunHandshakeOnPort(check.port, options.bandIndex, options.password);
    if (!run.opened) {
        lines.Fail(
            CheckStep::Opens, CheckFailure::Port,
            Fill(lines.Text(texts::OpenFailed), "{reason}",
                 PortOpenErrorText(run.componentText, run.errorNumber, run.systemError, language)),
            lines.Text(txt::MsgChooseOtherPort));
        lines.SkipFrom(CheckStep::Answers, texts::BecauseEarlierFailed);
        return;
    }
    lines.Pass(CheckStep::Opens, lines.Text(texts::Opens));
    check.answer = run.answer;
    const HandshakeAnswer& answer = run.answer;
    if (answer.kind == HandshakeAnswer::Kind::Reply) {
        lines.Pass(CheckStep::Answers, Fill(lines.Text(texts::Accepted), "{firmware}",
                                            FirmwareVersionText(answer.firmware)));
    } else if (answer.Accepted()) {
        lines.Pass(CheckStep::Answers, lines.Text(texts::AcceptedNoFirmware));
    } else if (answer.kind == HandshakeAnswer::Kind::Status) {
        const TextPair* message = RadioStatusMessage(answer.status);
        const std::string result =
            Fill(Fill(lines.Text(texts::Refused), "{status}", std::to_string(answer.status)),
                 "{message}", message ? lines.Text(*message) : std::string());
        const TextPair& fix = answer.status == ST_MODEL_MISMATCH ? texts::FixBand
                              : answer.status == ST_BAD_PASSWORD ? texts::FixPassword
                                                                 : txt::MsgChooseOtherPort;
        lines.Fail(CheckStep::Answers, CheckFailure::Refused, result, lines.Text(fix));
    } else {
        lines.Fail(
            CheckStep::Answers, CheckFailure::NoAnswer,
            Fill(lines.Text(texts::NoAnswer), "{ms}", std::to_string(Transfer::ResponseTimeoutMs)),
            lines.Text(texts::FixNoAnswer));
    }
}

void RunSteps(ConnectionCheck& check, const CheckOptions& options) {
    Lines lines(check, options.language);
    const std::string& port = check.port;
    if (!DeviceExists(port)) {
        lines.Fail(CheckStep::Exists, CheckFailure::Port, lines.Text(texts::DeviceMissing),
                   lines.Text(texts::FixPlugIn));
        return lines.SkipFrom(CheckStep::NotConsole, texts::BecauseEarlierFailed);
    }
    lines.Pass(CheckStep::Exists, lines.Text(texts::DeviceExists));
    // Decided from names and device numbers only: a console is never opened, not even here.
    if (IsConsoleDevice(port, options.sysTtyDir)) {
        lines.Fail(CheckStep::NotConsole, CheckFailure::Port, lines.Text(texts::IsConsole),
                   lines.Text(texts::FixChooseCable));
        return lines.SkipFrom(CheckStep::MayOpen, texts::BecauseEarlierFailed);
    }
    lines.Pass(CheckStep::NotConsole, lines.Text(texts::NotConsole));

    const DeviceAccess access = CheckDeviceAccess(port);
    const bool permitted = access.permitted;
    if (permitted) {
        lines.Pass(CheckStep::MayOpen, Fill(lines.Text(texts::MayOpen), "{group}", access.group));
    } else {
        const TextPair& fix = access.group != "dialout" ? texts::FixAskAdmin
                              : access.groupListed      ? texts::FixLogInAgain
                                                        : texts::FixDialout;
        lines.Fail(CheckStep::MayOpen, CheckFailure::Port,
                   Fill(lines.Text(texts::NoPermission), "{group}", access.group),
                   Fill(lines.Text(fix), "{group}", access.group));
    }
    // Who else holds it is worth knowing even when this user may not open it.
    const bool free = CheckHolders(check, lines, options);
    if (!permitted || !free) return lines.SkipFrom(CheckStep::Opens, texts::BecauseEarlierFailed);
    if (options.heldByThisProgram)
        return lines.SkipFrom(CheckStep::Opens, texts::BecauseHeldBySelf);
    CheckOpensAndAnswers(check, lines, options);
}

}  // namespace

CheckFailure ConnectionCheck::FirstFailure() const {
    for (const CheckLine& line : lines) {
        if (line.outcome == CheckOutcome::Failed) return line.failure;
    }
    return CheckFailure::None;
}

ConnectionCheck CheckConnection(const std::string& port, const CheckOptions& options) {
    ConnectionCheck check;
    check.port = port;
    try {
        RunSteps(check, options);
    } catch (const std::exception&) {
        // Out of memory or a thread that would not start: said as a port that cannot be used.
        check.lines.push_back({CheckStep::Opens, CheckOutcome::Failed, CheckFailure::Port,
                               Tr(txt::MsgPortBusy, options.language),
                               Tr(txt::MsgChooseOtherPort, options.language)});
    }
    return check;
}

std::string CheckLineText(const std::string& port, const CheckLine& line, int language) {
    const TextPair& mark = line.outcome == CheckOutcome::Passed   ? texts::MarkPassed
                           : line.outcome == CheckOutcome::Failed ? texts::MarkFailed
                                                                  : texts::MarkSkipped;
    std::string text = Tr(mark, language) + " " + port + ": " + line.result;
    if (!line.fix.empty()) text += " -> " + Tr(texts::FixLabel, language) + line.fix;
    return text;
}

std::string ConsoleLeftOutText(const std::string& port, int language) {
    return Tr(texts::MarkSkipped, language) + " " + port + ": " +
           Tr(texts::ConsoleLeftOut, language);
}

}  // namespace q36
