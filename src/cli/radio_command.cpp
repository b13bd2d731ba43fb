// q36cli radio: a virtual radio on a pseudo-terminal until SIGINT or SIGTERM.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "cli_args.h"
#include "codec/text_checks.h"
#include "commands.h"
#include "protocol/band_table.h"
#include "sim/pty_radio_server.h"
#include "stop_signals.h"
#include "usage.h"

namespace q36::cli {

namespace {

constexpr const char* kUsage = kRadioUsage;

namespace fs = std::filesystem;

// "C4 D7 80 01 00 81 04 04 04": a frame as the log shows it.
std::string HexLine(const std::vector<uint8_t>& frame) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line;
    for (uint8_t byte : frame) {
        if (!line.empty()) line += ' ';
        line += kDigits[byte >> 4];
        line += kDigits[byte & 0x0F];
    }
    return line;
}

// A link is made only where nothing is, or over an older link: never over a file or folder.
bool MayReplaceWithLink(const std::string& path, std::string& error) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (ec || !fs::exists(status) || fs::is_symlink(status)) return true;
    error = path + " exists and is not a symbolic link; it is left as it is";
    return false;
}

// Removes the link at path if it still leads to target (another radio may have taken it over).
void RemoveOwnLink(const std::string& path, const std::string& target) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec)) && fs::read_symlink(path, ec) == target) {
        fs::remove(path, ec);
    }
}

bool ParseVersion(const std::string& text, std::array<uint8_t, 3>& version) {
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t dot = text.find('.', start);
        if ((i < 2) == (dot == std::string::npos)) return false;
        const std::string part = text.substr(start, i < 2 ? dot - start : std::string::npos);
        long long value;
        if (part.empty() || !IsDigits(part) || !TextToInt(part, value) || value > 255) return false;
        version[std::size_t(i)] = uint8_t(value);
        start = dot + 1;
    }
    return true;
}

}  // namespace

int RunRadioCommand(int argc, char** argv) {
    Args args;
    std::string error;
    if (AsksForHelp(argc, argv)) return PrintUsage(kUsage);
    // --version is the firmware's old name, kept for the scripts that use it.
    if (!args.Parse(argc, argv,
                    {"band", "password", "firmware", "version", "image", "link", "log", "fault"},
                    {"no-scan-list", "pace"}, error)) {
        return UsageError(error, kUsage);
    }
    RadioConfig config;
    const std::string band = args.Get("band", "400-440");
    config.bandIndex = BandIndexOfText(band);
    if (config.bandIndex < 0) return UsageError("unknown band '" + band + "'", kUsage);
    config.password = args.Get("password", "KZP");
    if (!CheckPassword(config.password, error)) return UsageError(error, kUsage);
    config.hasScanList = !args.Has("no-scan-list");
    const std::string firmware = args.Get("firmware", args.Get("version"));
    if (!firmware.empty() && !ParseVersion(firmware, config.version)) {
        return UsageError("--firmware wants three numbers 0..255 joined by dots", kUsage);
    }
    for (const std::string& fault : args.All("fault")) {
        if (!ParseFault(fault, config.faults, error)) return UsageError(error, kUsage);
    }
    const std::string link = args.Get("link");
    if (!link.empty() && !MayReplaceWithLink(link, error)) return UsageError(error, kUsage);

    const BandEntry limits = BandTable[std::size_t(config.bandIndex)];
    RadioImage image = DefaultRadioImage(limits.lowMHz, limits.highMHz);
    const std::string imagePath = args.Get("image");
    if (!imagePath.empty() && std::filesystem::exists(imagePath)) {
        auto loaded = LoadImageFile(imagePath, &error);
        if (!loaded) {
            std::cerr << "q36cli: " << error << "\n";
            return ExitFailure;
        }
        image = *loaded;
    }

    VirtualRadio radio(config, image);
    if (!imagePath.empty()) {
        radio.onImageChanged = [imagePath](const RadioImage& changed) {
            std::string why;
            if (!SaveImageFile(imagePath, changed, &why)) std::cerr << "q36cli: " << why << "\n";
        };
    }
    std::ofstream log;
    if (const std::string logPath = args.Get("log"); !logPath.empty()) {
        log.open(logPath, std::ios::app);
        if (!log) {
            std::cerr << "q36cli: " << logPath << ": cannot be written\n";
            return ExitFailure;
        }
        radio.onFrameReceived = [&log](const std::vector<uint8_t>& frame) {
            log << HexLine(frame) << std::endl;
        };
    }
    PtyRadioServer server(radio);
    if (!server.Open(error)) {
        std::cerr << "q36cli: " << error << "\n";
        return ExitFailure;
    }
    server.SetPaced(args.Has("pace"));

    if (!link.empty()) {
        std::error_code ec;
        fs::remove(link, ec);  // an older link, as checked above
        fs::create_symlink(server.SlavePath(), link, ec);
        if (ec) {
            std::cerr << "q36cli: " << link << ": " << ec.message() << "\n";
            return ExitFailure;
        }
    }
    std::cout << server.SlavePath() << std::endl;

    while (StopSignal() == 0) server.Poll(std::chrono::milliseconds(50));
    if (!link.empty()) RemoveOwnLink(link, server.SlavePath());
    return ExitDone;
}

}  // namespace q36::cli
