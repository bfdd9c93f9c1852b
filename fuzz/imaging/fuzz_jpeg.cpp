// libFuzzer target: JPEG decoding through libjpeg-turbo, with the real limits.
#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pagula::imaging::fuzz::jpeg(data, size);
    return 0;
}
