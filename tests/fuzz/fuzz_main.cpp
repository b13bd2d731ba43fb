// libFuzzer's entry point for one target, chosen when the executable is built.

#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return q36::fuzz::Q36_FUZZ_ENTRY(data, size);
}
