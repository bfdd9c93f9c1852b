// libFuzzer target: PDF documents through our poppler wrapper.
#include "FuzzBodies.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    pagula::imaging::fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pagula::imaging::fuzz::pdf(data, size);
    return 0;
}
