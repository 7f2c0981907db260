// libFuzzer entry point; the checks live in FuzzChecks.cpp.
#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzChecks::like(data, size);
    return 0;
}
