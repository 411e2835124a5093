// The libFuzzer entry of one harness; SKYLATHE_FUZZ_CHECK names the check it runs.
#include "tests/fuzz/FuzzChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString problem =
        SKYLATHE_FUZZ_CHECK(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());
        std::abort();
    }
    return 0;
}
