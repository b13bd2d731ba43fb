#include "report_text.h"

namespace q36::print {

QString QtText(const TextPair& pair, int language) {
    return QtText(Tr(pair, language));
}

QString QtText(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace q36::print
