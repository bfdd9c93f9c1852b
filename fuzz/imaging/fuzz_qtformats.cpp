// libFuzzer target: Qt's image readers (PNG, BMP, GIF, TIFF, ICO) behind our limits.
#include "FuzzBodies.h"

#ifdef PAGULA_INSTRUMENTED_READERS
#include <QCoreApplication>
#include <QtPlugin>
Q_IMPORT_PLUGIN(QGifPlugin)
Q_IMPORT_PLUGIN(QICOPlugin)
Q_IMPORT_PLUGIN(QTiffPlugin)
Q_IMPORT_PLUGIN(InstrumentedBmpPlugin)
#endif

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    pagula::imaging::fuzz::startApplication(argc, argv);
#ifdef PAGULA_INSTRUMENTED_READERS
    // The readers built in above, never the system's uninstrumented plugins.
    QCoreApplication::setLibraryPaths({});
#endif
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pagula::imaging::fuzz::qtFormats(data, size);
    return 0;
}
