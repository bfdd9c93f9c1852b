#include "document/ZipPackageWriter.h"

#include "common/DeviceWrite.h"
#include "common/Error.h"

#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <cerrno>

namespace pagula::document
{

// The device the package goes to, as a writable libzip source. libzip first asks whether an
// archive exists there (it reads as empty: the package is written anew), then writes, seeking
// back to complete each local header.
struct ZipPackageWriter::OutputState {
    QIODevice* device = nullptr;
    qint64 length = 0;
    zip_error_t error{};
    QString failure;
};

// A file copied into the package, opened only while libzip reads it.
struct ZipPackageWriter::FileSource {
    QString path;
    QFile file;
    zip_error_t error{};
    QString* failure = nullptr;
};

namespace
{

zip_int64_t statEmpty(void* data, zip_uint64_t len, zip_error_t* error, qint64 size)
{
    auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, error);
    if (!st)
        return -1;
    zip_stat_init(st);
    st->valid = ZIP_STAT_SIZE;
    st->size = static_cast<zip_uint64_t>(size);
    return sizeof(zip_stat_t);
}

zip_int64_t outputCallback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd)
{
    auto* s = static_cast<ZipPackageWriter::OutputState*>(userdata);
    QIODevice& device = *s->device;
    switch (cmd) {
    case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_WRITABLE;
    case ZIP_SOURCE_STAT:
        return statEmpty(data, len, &s->error, 0);
    case ZIP_SOURCE_OPEN:
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_READ:
    case ZIP_SOURCE_TELL:
    case ZIP_SOURCE_FREE:
    case ZIP_SOURCE_REMOVE:
    case ZIP_SOURCE_COMMIT_WRITE: // the caller commits the device
    case ZIP_SOURCE_ROLLBACK_WRITE:
        return 0;
    case ZIP_SOURCE_SEEK:
        return zip_source_seek_compute_offset(0, 0, data, len, &s->error) < 0 ? -1 : 0;
    case ZIP_SOURCE_BEGIN_WRITE:
        s->length = 0;
        return device.seek(0) ? 0 : -1;
    case ZIP_SOURCE_WRITE: {
        if (!common::writeFully(device,
                                QByteArrayView(static_cast<const char*>(data), qsizetype(len)))) {
            s->failure = device.errorString();
            zip_error_set(&s->error, ZIP_ER_WRITE, EIO);
            return -1;
        }
        s->length = std::max(s->length, device.pos());
        return zip_int64_t(len);
    }
    case ZIP_SOURCE_SEEK_WRITE: {
        const zip_int64_t offset = zip_source_seek_compute_offset(
            zip_uint64_t(device.pos()), zip_uint64_t(s->length), data, len, &s->error);
        if (offset < 0)
            return -1;
        if (!device.seek(offset)) {
            s->failure = device.errorString();
            zip_error_set(&s->error, ZIP_ER_SEEK, EIO);
            return -1;
        }
        return 0;
    }
    case ZIP_SOURCE_TELL_WRITE:
        return device.pos();
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&s->error, data, len);
    default:
        zip_error_set(&s->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

zip_int64_t fileCallback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd)
{
    auto* s = static_cast<ZipPackageWriter::FileSource*>(userdata);
    switch (cmd) {
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                              -1);
    case ZIP_SOURCE_OPEN:
        s->file.setFileName(s->path);
        // Only regular files: a FIFO or a device in a picture's place would block or never end.
        if (!QFileInfo(s->path).isFile() || !s->file.open(QIODevice::ReadOnly)) {
            *s->failure = QStringLiteral("Cannot open file %1").arg(s->path);
            zip_error_set(&s->error, ZIP_ER_OPEN, ENOENT);
            return -1;
        }
        return 0;
    case ZIP_SOURCE_READ: {
        const qint64 n = s->file.read(static_cast<char*>(data), qint64(len));
        if (n < 0) {
            *s->failure =
                QStringLiteral("Cannot read file %1: %2").arg(s->path, s->file.errorString());
            zip_error_set(&s->error, ZIP_ER_READ, EIO);
            return -1;
        }
        return n;
    }
    case ZIP_SOURCE_CLOSE:
        s->file.close();
        return 0;
    case ZIP_SOURCE_STAT:
        // Knowing the size keeps libzip from planning a Zip64 entry.
        return statEmpty(data, len, &s->error, QFileInfo(s->path).size());
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&s->error, data, len);
    case ZIP_SOURCE_FREE:
        return 0;
    default:
        zip_error_set(&s->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

QString libzipMessage(zip_error_t* error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

} // namespace

ZipPackageWriter::ZipPackageWriter(QIODevice& out) : output_(std::make_unique<OutputState>())
{
    output_->device = &out;
    zip_error_init(&output_->error);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_function_create(outputCallback, output_.get(), &error);
    if (source)
        archive_ = zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive_) {
        const QString message = libzipMessage(&error);
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        throw PackageWriteError(message);
    }
    zip_error_fini(&error);
}

ZipPackageWriter::~ZipPackageWriter()
{
    if (archive_)
        zip_discard(archive_);
    for (const auto& file : files_)
        zip_error_fini(&file->error);
    zip_error_fini(&output_->error);
}

void ZipPackageWriter::add(const QString& name, zip_source_t* source, Compression compression)
{
    if (!source)
        throw PackageWriteError(QString::fromLocal8Bit(zip_strerror(archive_)));
    const QByteArray utf8 = name.toUtf8();
    const zip_int64_t index = zip_file_add(archive_, utf8.constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        throw PackageWriteError(QString::fromLocal8Bit(zip_strerror(archive_)));
    }
    const zip_int32_t method = compression == Compression::Store ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    if (zip_set_file_compression(archive_, zip_uint64_t(index), method, 0) != 0)
        throw PackageWriteError(QString::fromLocal8Bit(zip_strerror(archive_)));
}

void ZipPackageWriter::addData(const QString& name, const QByteArray& data, Compression compression)
{
    buffers_.push_back(data);
    const QByteArray& kept = buffers_.back();
    add(name, zip_source_buffer(archive_, kept.constData(), zip_uint64_t(kept.size()), 0),
        compression);
}

void ZipPackageWriter::addFile(const QString& name, const QString& path, Compression compression)
{
    auto file = std::make_unique<FileSource>();
    file->path = path;
    file->failure = &sourceFailure_;
    zip_error_init(&file->error);
    FileSource* raw = file.get();
    files_.push_back(std::move(file));
    add(name, zip_source_function(archive_, fileCallback, raw), compression);
}

bool ZipPackageWriter::finish(const std::function<bool()>& keepGoing)
{
    keepGoing_ = keepGoing;
    if (keepGoing_) {
        zip_register_cancel_callback_with_state(
            archive_,
            [](zip_t*, void* self) -> int {
                const auto& ask = static_cast<ZipPackageWriter*>(self)->keepGoing_;
                return ask() ? 0 : 1;
            },
            nullptr, this);
    }
    if (zip_close(archive_) == 0) {
        archive_ = nullptr;
        return true;
    }
    const int code = zip_error_code_zip(zip_get_error(archive_));
    const QString reason = output_->failure.isEmpty()
                               ? QString::fromLocal8Bit(zip_strerror(archive_))
                               : output_->failure;
    zip_discard(archive_);
    archive_ = nullptr;
    if (code == ZIP_ER_CANCELLED)
        return false;
    // A picture that could not be read names itself; anything else is the output's failure.
    if (!sourceFailure_.isEmpty())
        throw common::Error(sourceFailure_);
    throw PackageWriteError(reason);
}

} // namespace pagula::document
