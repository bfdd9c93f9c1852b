// libFuzzer target: Qt's image readers (PNG, BMP, GIF, TIFF, ICO) behind our limits.
#include "FuzzBodies.h"

#include <QGuiApplication>

#ifdef PAGULA_INSTRUMENTED_READERS
#include <QtPlugin>
Q_IMPORT_PLUGIN(QGifPlugin)
Q_IMPORT_PLUGIN(QICOPlugin)
Q_IMPORT_PLUGIN(QTiffPlugin)
Q_IMPORT_PLUGIN(InstrumentedBmpPlugin)
#endif

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // One application for the whole run: the readers are plugins that need it.
    qputenv("QT_QPA_PLATFORM", "minimal");
    static QGuiApplication app(*argc, *argv);
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
