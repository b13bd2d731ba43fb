#include "program_options.h"

#include "option_texts.h"

namespace q36::ui {

namespace {

// The text in the chosen language, or the Chinese and then the English text.
template <typename Text>
std::string Shown(const ProgramOptions& options, Text text) {
    if (options.languageChosen) return text(options.languageIndex);
    return text(LANGUAGE_CHINESE) + text(LANGUAGE_ENGLISH);
}

void SetLanguage(ProgramOptions& options, const std::string& value) {
    if (value == "zh" || value == "en") {
        options.languageIndex = value == "en" ? LANGUAGE_ENGLISH : LANGUAGE_CHINESE;
        options.languageChosen = true;
        return;
    }
    options.error = value.empty() ? OptionError::MissingLanguage : OptionError::BadLanguage;
    options.badValue = value;
    options.languageChosen = false;
}

}  // namespace

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments) {
    ProgramOptions options;
    static const std::string joined = "--lang=";
    for (std::size_t k = 0; k < arguments.size() && options.error == OptionError::None; ++k) {
        const std::string& argument = arguments[k];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument.rfind(joined, 0) == 0) {
            SetLanguage(options, argument.substr(joined.size()));
        } else if (argument == "--lang") {
            SetLanguage(options, k + 1 < arguments.size() ? arguments[++k] : std::string());
        }
    }
    return options;
}

std::string UsageText(const ProgramOptions& options) {
    return Shown(options, [](int language) { return Tr(otxt::Usage, language); });
}

std::string ErrorText(const ProgramOptions& options) {
    const std::string message = Shown(options, [&](int language) {
        const std::string text =
            options.error == OptionError::MissingLanguage
                ? Tr(otxt::MissingLanguage, language)
                : Fill(Tr(otxt::BadLanguage, language), "{value}", options.badValue);
        return "q36cps: " + text + "\n";
    });
    return message + UsageText(options);
}

}  // namespace q36::ui
