// libFuzzer target: HEIF pictures through libheif behind our limits.
#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pagula::imaging::fuzz::heif(data, size);
    return 0;
}
