// libFuzzer target: PDF documents through our poppler wrapper.
#include "FuzzBodies.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "minimal");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pagula::imaging::fuzz::pdf(data, size);
    return 0;
}
