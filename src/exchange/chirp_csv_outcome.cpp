#include "chirp_csv_outcome.h"

#include <sys/stat.h>

#include "chirp_csv_texts.h"
#include "text/text_pairs.h"

namespace q36::exchange {

ExchangeOutcome ExportChirpCsv(const std::string& path, const std::function<bool()>& askOverwrite,
                               const Configuration& configuration) {
    if (path.empty()) return {ExchangeResult::SaveCancelled, {}};
    struct stat existing {};
    if (stat(path.c_str(), &existing) == 0 && !askOverwrite()) {
        return {ExchangeResult::SaveDeclined, {}};
    }
    if (const ExchangeStatus saved = SaveChirpCsvFile(path, configuration); !saved.ok()) {
        ExchangeMessage failed{&csvtxt::SaveFailed, nullptr, false, saved.detail};
        return {ExchangeResult::SaveFailed, {failed}};
    }
    return {ExchangeResult::Saved,
            {{&txt::MsgFileSaved, nullptr, false, {}}, {&csvtxt::NotHeld, nullptr, true, {}}}};
}

ExchangeOutcome ChirpImportOutcome(const ChirpImport& import, int language) {
    if (!import.status.ok()) {
        return {ExchangeResult::ReadFailed,
                {{&txt::MsgFileReadFailed, nullptr, false, import.status.detail}}};
    }
    std::string detail;
    for (const std::string& line : ChirpImportReport(import, language)) detail += line + "\n";
    detail += Tr(csvtxt::KeptOnImport, language);
    return {ExchangeResult::ReadOk, {{&txt::MsgFileReadOk, nullptr, false, detail}}};
}

}  // namespace q36::exchange
