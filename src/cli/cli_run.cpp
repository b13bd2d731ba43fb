#include "cli_run.h"

#include "cli_args.h"

namespace q36::cli {

int CliRun::Prepare() {
    std::string error;
    if (!store_.Create(error)) {
        printer_.Message(error);
        return ExitFailure;
    }
    host_ = std::make_unique<CliTransferHost>(store_.connection(), printer_);
    if (StoreResult opened = host_->OpenQueries(); !opened.ok()) {
        printer_.Message(opened.text);
        return ExitFailure;
    }
    queries_ = std::make_unique<ConfigurationQueries>(
        ConfigurationQueries{host_->ParamQuery(), host_->ChannelQuery(), host_->ScanQuery()});
    return ExitDone;
}

}  // namespace q36::cli
