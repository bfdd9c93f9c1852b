// libFuzzer target: our PCX decoder.
#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pagula::imaging::fuzz::pcx(data, size);
    return 0;
}
