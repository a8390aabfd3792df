#include "fuzztarget.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzSetUpApplication(argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzFunction function = FuzzTarget::targets().at(TUNDRACK_FUZZ_TARGET_NAME);
    return function(data, size);
}
