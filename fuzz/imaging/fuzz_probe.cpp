// libFuzzer target: header probing of every picture format.
#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pagula::imaging::fuzz::probe(data, size);
    return 0;
}
