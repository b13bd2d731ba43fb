// q36cli radio: a virtual radio on a pseudo-terminal until SIGINT or SIGTERM.

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "cli_args.h"
#include "codec/text_checks.h"
#include "commands.h"
#include "protocol/band_table.h"
#include "sim/pty_radio_server.h"

namespace q36::cli {

namespace {

constexpr const char* kUsage =
    "q36cli radio [--band 400-440] [--no-scan-list] [--password KZP] [--version 1.0.3] "
    "[--image FILE] [--link PATH] [--pace] [--fault SPEC]...";

std::atomic<bool> stopRequested{false};

void OnStopSignal(int) { stopRequested.store(true); }

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
    if (!args.Parse(argc, argv, {"band", "password", "version", "image", "link", "fault"},
                    {"no-scan-list", "pace"}, error)) {
        return UsageError(error, kUsage);
    }
    RadioConfig config;
    const std::string band = args.Get("band", "400-440");
    config.bandIndex = BandIndexOfText(band);
    if (config.bandIndex < 0) return UsageError("unknown band '" + band + "'", kUsage);
    config.password = args.Get("password", "KZP");
    config.hasScanList = !args.Has("no-scan-list");
    if (args.Has("version") && !ParseVersion(args.Get("version"), config.version)) {
        return UsageError("--version wants three numbers 0..255 joined by dots", kUsage);
    }
    for (const std::string& fault : args.All("fault")) {
        if (!ParseFault(fault, config.faults, error)) return UsageError(error, kUsage);
    }

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
    PtyRadioServer server(radio);
    if (!server.Open(error)) {
        std::cerr << "q36cli: " << error << "\n";
        return ExitFailure;
    }
    server.SetPaced(args.Has("pace"));

    const std::string link = args.Get("link");
    if (!link.empty()) {
        std::error_code ec;
        std::filesystem::remove(link, ec);
        std::filesystem::create_symlink(server.SlavePath(), link, ec);
        if (ec) {
            std::cerr << "q36cli: " << link << ": " << ec.message() << "\n";
            return ExitFailure;
        }
    }
    std::cout << server.SlavePath() << std::endl;

    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    server.Run(stopRequested);
    if (!link.empty()) {
        std::error_code ec;
        std::filesystem::remove(link, ec);
    }
    return ExitDone;
}

}  // namespace q36::cli
