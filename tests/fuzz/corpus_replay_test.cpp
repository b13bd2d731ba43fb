// Every committed input of every fuzz target, run once more in the normal suite: the seeds, and
// the inputs that once broke a rule (named regression-*), so that a fixed fault stays fixed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz_targets.h"

namespace q36::fuzz {
namespace {

struct Target {
    const char* folder;
    int (*run)(const uint8_t*, size_t);
};

class CorpusReplay : public ::testing::TestWithParam<Target> {};

TEST_P(CorpusReplay, EveryCommittedInputKeepsTheRules) {
    const std::filesystem::path folder =
        std::filesystem::path(Q36_FUZZ_CORPORA) / GetParam().folder;
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(GetParam().run(bytes.data(), bytes.size()), 0);
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << "no seeds in " << folder;
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay,
                         ::testing::Values(Target{"transfer", TransferOneInput},
                                           Target{"xlsx", XlsxOneInput}, Target{"xls", XlsOneInput},
                                           Target{"codec_text", CodecTextOneInput},
                                           Target{"chirp_csv", ChirpCsvOneInput}),
                         [](const ::testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.folder);
                         });

}  // namespace
}  // namespace q36::fuzz
