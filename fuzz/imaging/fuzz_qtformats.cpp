// libFuzzer target: Qt's image readers (PNG, BMP, GIF, TIFF, ICO) behind our limits.
#include "FuzzBodies.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // One application for the whole run: the readers are plugins that need it.
    qputenv("QT_QPA_PLATFORM", "minimal");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pagula::imaging::fuzz::qtFormats(data, size);
    return 0;
}
