#include "cli_run.h"

#include "cli_args.h"

namespace q36::cli {

int CliRun::Prepare() {
    std::string error;
    if (!store_.Create(settings_, error)) {
        printer_.Message(error);
        return ExitFailure;
    }
    data_ = std::make_unique<StoreTransferData>(store_.connection(), settings_.LanguageIndex);
    if (StoreResult opened = data_->OpenQueries(); !opened.ok()) {
        printer_.Message(opened.detail);
        return ExitFailure;
    }
    queries_ = std::make_unique<ConfigurationQueries>(
        ConfigurationQueries{data_->ParamQuery(), data_->ChannelQuery(), data_->ScanQuery()});
    return ExitDone;
}

}  // namespace q36::cli
