#include "cli_args.h"

#include <algorithm>
#include <iostream>
#include <string_view>

namespace q36::cli {

bool Args::Parse(int argc, char** argv, const std::vector<std::string>& valueOptions,
                 const std::vector<std::string>& flags, std::string& error) {
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0) {
            error = "unexpected argument '" + arg + "'";
            return false;
        }
        std::string name = arg.substr(2);
        std::string value;
        const std::size_t eq = name.find('=');
        const bool inlineValue = eq != std::string::npos;
        if (inlineValue) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
            if (inlineValue) {
                error = "--" + name + " takes no value";
                return false;
            }
            values_[name].push_back("");
        } else if (std::find(valueOptions.begin(), valueOptions.end(), name) !=
                   valueOptions.end()) {
            if (!inlineValue) {
                if (i + 1 >= argc) {
                    error = "--" + name + " needs a value";
                    return false;
                }
                value = argv[++i];
            }
            values_[name].push_back(value);
        } else {
            error = "unknown option '--" + name + "'";
            return false;
        }
    }
    return true;
}

std::string Args::Get(const std::string& name, const std::string& fallback) const {
    const auto it = values_.find(name);
    return it == values_.end() || it->second.empty() ? fallback : it->second.back();
}

const std::vector<std::string>& Args::All(const std::string& name) const {
    static const std::vector<std::string> none;
    const auto it = values_.find(name);
    return it == values_.end() ? none : it->second;
}

int UsageError(const std::string& message, const std::string& usage) {
    std::cerr << "q36cli: " << message << "\nusage: " << usage << "\n";
    return ExitUsage;
}

bool AsksForHelp(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
}

int PrintUsage(const std::string& usage) {
    std::cout << "usage: " << usage << "\n";
    return ExitDone;
}

bool CheckPassword(const std::string& password, std::string& error) {
    const bool singleBytes = std::all_of(password.begin(), password.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x80;
    });
    if (password.size() == 3 && singleBytes) return true;
    error = "--password takes exactly three single-byte (ASCII) characters, such as KZP";
    return false;
}

}  // namespace q36::cli
