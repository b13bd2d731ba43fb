// q36cli info: the handshake alone, and what the radio says to it: firmware, band and whether it
// takes the password. Nothing is read from the radio or written to it.

#include <iostream>

#include "check_options.h"
#include "cli_args.h"
#include "commands.h"
#include "progress_printer.h"
#include "runner/connection_texts.h"
#include "runner/handshake_probe.h"
#include "text/messages.h"
#include "text/text_pairs.h"
#include "usage.h"

namespace q36::cli {

int RunInfoCommand(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) return PrintUsage(kInfoUsage);
    CheckCommandOptions options;
    if (int code = ParseCheckOptions(argc, argv, true, kInfoUsage, options); code != ExitDone) {
        return code;
    }
    const int language = options.settings.LanguageIndex;
    ProgressPrinter printer;
    const HandshakeRun run =
        RunHandshakeOnPort(options.port, options.settings.BandIndex, options.password);
    if (!run.opened) {
        printer.Message(
            PortBusyMessage(options.port, language) + "\r\n" +
            PortOpenErrorText(run.componentText, run.errorNumber, run.systemError, language));
        return ExitPort;
    }
    const HandshakeAnswer& answer = run.answer;
    if (answer.kind == HandshakeAnswer::Kind::None) {
        printer.Message(Tr(txt::MsgResponseTimeout, language));
        return ExitNoAnswer;
    }
    namespace texts = connection::texts;
    const TextPair* refusal = answer.Accepted() ? nullptr : RadioStatusMessage(answer.status);
    std::cout << FirmwareStatusText(answer.kind == HandshakeAnswer::Kind::Reply
                                        ? FirmwareVersionText(answer.firmware)
                                        : Tr(texts::InfoUnknown, language),
                                    language)
              << "\n"
              << Tr(texts::InfoBand, language) << options.settings.BandText << "\n"
              << Tr(texts::InfoPasswordCheck, language)
              << Tr(refusal ? *refusal : texts::InfoAccepted, language) << "\n";
    return refusal ? ExitRefused : ExitDone;
}

}  // namespace q36::cli
