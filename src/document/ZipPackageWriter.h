#pragma once

#include "common/Error.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>
#include <list>
#include <memory>

struct zip;
struct zip_source;

namespace pagula::document
{

// The package could not be written to its device (a full disk, a write error); the message is
// the reason. A picture file that cannot be read raises a plain pagula::common::Error naming it.
class PackageWriteError : public common::Error
{
public:
    using common::Error::Error;
};

// Writes a zip package (an ODT or DOCX file) to a device through libzip. Entries are written in
// the order they are added, so the first one added is the first in the file. Entries taken from
// files are read only when the package is finished, piece by piece: a large picture is copied
// without being held in memory.
//
// The device must be open for writing and seekable (a QSaveFile): libzip goes back to complete
// each local header, so no entry has a data descriptor. Throws pagula::common::Error.
class ZipPackageWriter
{
public:
    enum class Compression { Store, Deflate };

    explicit ZipPackageWriter(QIODevice& out);
    ~ZipPackageWriter();
    ZipPackageWriter(const ZipPackageWriter&) = delete;
    ZipPackageWriter& operator=(const ZipPackageWriter&) = delete;

    void addData(const QString& name, const QByteArray& data, Compression compression);
    // The file is opened when the package is written; a file that cannot be read then fails
    // the package with a message naming it.
    void addFile(const QString& name, const QString& path, Compression compression);

    // Writes the whole package. keepGoing is asked now and then while entries are copied;
    // when it returns false, writing stops and finish() returns false. The device then holds
    // an incomplete package that the caller throws away.
    bool finish(const std::function<bool()>& keepGoing = {});

    struct FileSource;
    struct OutputState;

private:
    void add(const QString& name, ::zip_source* source, Compression compression);

    ::zip* archive_ = nullptr;
    std::unique_ptr<OutputState> output_;
    std::list<QByteArray> buffers_; // kept alive until the package is written
    std::list<std::unique_ptr<FileSource>> files_;
    std::function<bool()> keepGoing_;
    QString sourceFailure_; // set by a file that could not be read
};

} // namespace pagula::document
