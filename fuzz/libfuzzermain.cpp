#include "fuzztarget.h"

#include <cstdlib>

// Font configuration keeps a cache that it never frees; it is not ours to fix.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

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
