// Qt's BMP reader is part of QtGui. Built here from Qt's source with the fuzzing flags, it is
// offered to fuzz_qtformats as a static plugin for "bmp", which Qt asks before the reader it
// has built in.
#include "private/qbmphandler_p.h"

#include <QImageIOPlugin>

class InstrumentedBmpPlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QImageIOHandlerFactoryInterface" FILE
                          "BmpReaderPlugin.json")

public:
    Capabilities capabilities(QIODevice*, const QByteArray& format) const override
    {
        return format == "bmp" ? CanRead : Capabilities();
    }

    QImageIOHandler* create(QIODevice* device, const QByteArray& format) const override
    {
        auto* handler = new QBmpHandler;
        handler->setDevice(device);
        handler->setFormat(format);
        return handler;
    }
};

#include "BmpReaderPlugin.moc"
