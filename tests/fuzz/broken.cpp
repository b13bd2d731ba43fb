#include <cstdio>
#include <cstdlib>

#include "fuzz_targets.h"

namespace q36::fuzz {

void Broken(const char* rule) {
    std::fprintf(stderr, "fuzz: rule broken: %s\n", rule);
    std::abort();
}

}  // namespace q36::fuzz
