#include "PackageReader.h"

#include "common/Error.h"
#include "document/ZipPackageWriter.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

// Takes writes until its capacity is used up, then fails them like a full disk.
class FullDevice : public QBuffer
{
public:
    explicit FullDevice(qint64 capacity) : capacity_(capacity) { open(QIODevice::ReadWrite); }

protected:
    qint64 writeData(const char* data, qint64 length) override
    {
        if (pos() + length > capacity_) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        return QBuffer::writeData(data, length);
    }

private:
    qint64 capacity_;
};

TEST(ZipPackageWriter, WritesEntriesInOrderAndCopiesFiles)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.bin");
    QByteArray big(300000, '\0');
    for (int i = 0; i < big.size(); ++i)
        big[i] = char((quint32(i) * 7919u) >> 3);
    {
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(big);
    }
    const QString path = dir.filePath("package.zip");
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    {
        ZipPackageWriter zip(out);
        zip.addData("first", "stored text", ZipPackageWriter::Compression::Store);
        zip.addFile("folder/copy.bin", source, ZipPackageWriter::Compression::Store);
        zip.addData("last.xml", QByteArray(5000, 'x'), ZipPackageWriter::Compression::Deflate);
        EXPECT_TRUE(zip.finish());
    }
    out.close();
    const PackageContents package = readPackage(path);
    ASSERT_EQ(package.error, QString());
    EXPECT_EQ(package.names, (QStringList{"first", "folder/copy.bin", "last.xml"}));
    EXPECT_EQ(package.part("folder/copy.bin"), big);
    EXPECT_EQ(package.part("last.xml"), QByteArray(5000, 'x'));
    EXPECT_FALSE(package.stored.at("last.xml"));
    EXPECT_LT(out.size(), 300000 + 5000);
}

TEST(ZipPackageWriter, FailuresNameTheirCause)
{
    QTemporaryDir dir;
    // A full device: a write error with the device's reason.
    for (const qint64 capacity : {0, 10, 100, 20000}) {
        FullDevice device(capacity);
        ZipPackageWriter zip(device);
        zip.addData("a", QByteArray(50000, 'a'), ZipPackageWriter::Compression::Store);
        try {
            zip.finish();
            ADD_FAILURE() << "finished on a full device of " << capacity;
        } catch (const PackageWriteError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("No space left on device")) << capacity;
        }
    }
    // A file that is gone or not a regular file: a plain error naming it.
    for (const QString& missing : {dir.filePath("gone.jpg"), dir.path()}) {
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        ZipPackageWriter zip(buffer);
        zip.addData("a", "a", ZipPackageWriter::Compression::Store);
        zip.addFile("b", missing, ZipPackageWriter::Compression::Store);
        try {
            zip.finish();
            ADD_FAILURE() << "copied " << missing.toStdString();
        } catch (const PackageWriteError&) {
            ADD_FAILURE() << "reported as a write error";
        } catch (const common::Error& e) {
            EXPECT_EQ(e.message(), "Cannot open file " + missing);
        }
    }
}

TEST(ZipPackageWriter, StopsWhenAskedWhileCopying)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("big.bin");
    {
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4 << 20, 'z'));
    }
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    ZipPackageWriter zip(buffer);
    zip.addFile("big.bin", source, ZipPackageWriter::Compression::Store);
    int asked = 0;
    EXPECT_FALSE(zip.finish([&] { return ++asked < 3; }));
    EXPECT_EQ(asked, 3);
}

} // namespace
