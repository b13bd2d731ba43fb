#include "export_workbook.h"

#include <sys/stat.h>

#include <cerrno>

#include "configuration_sheets.h"
#include "exchange_texts.h"
#include "replacing_file.h"
#include "text/text_pairs.h"
#include "workbook_file.h"

namespace q36::exchange {

namespace {

ExchangeOutcome Failed(const std::string& detail) {
    ExchangeMessage message;
    message.text = &texts::SaveFailed;
    message.caption = &texts::SaveFailedCaption;
    message.information = true;
    message.detail = detail;
    return {ExchangeResult::SaveFailed, {message}};
}

}  // namespace

ExchangeOutcome ExportWorkbook(const std::string& path, const std::function<bool()>& askOverwrite,
                               ConfigurationQueries& queries, int language) {
    if (path.empty()) return {ExchangeResult::SaveCancelled, {}};
    struct stat existing {};
    if (stat(path.c_str(), &existing) == 0 && !askOverwrite()) {
        return {ExchangeResult::SaveDeclined, {}};
    }

    Configuration configuration;
    if (StoreResult read = LoadConfiguration(queries, configuration); !read.ok()) {
        return Failed(read.detail);
    }
    const ExchangeStatus saved =
        SaveWorkbookFile(BuildConfigurationWorkbook(configuration, language), path, language);
    if (!saved.ok()) return Failed(saved.detail);

    ExchangeMessage done;
    done.text = &txt::MsgFileSaved;
    return {ExchangeResult::Saved, {done}};
}

std::optional<ExchangeOutcome> CheckSaveTarget(const std::string& path) {
    struct stat existing {};
    if (stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        return Failed(DetailWithPath(SystemErrorText(EISDIR), path));
    }
    ReplacingFile probe(path);  // removed again when it goes
    if (const ExchangeStatus created = probe.Create(); !created.ok()) return Failed(created.detail);
    return std::nullopt;
}

}  // namespace q36::exchange
