#include "PackageReader.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtEndian>

#include <zip.h>

namespace pagula::document::test
{

QByteArray PackageContents::part(const QString& name) const
{
    const auto it = data.find(name);
    return it == data.end() ? QByteArray() : it->second;
}

PackageContents readPackage(const QString& path)
{
    PackageContents contents;
    int code = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive) {
        contents.error = QStringLiteral("cannot open the package (libzip error %1)").arg(code);
        return contents;
    }
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &st) != 0) {
            contents.error = QStringLiteral("cannot read entry %1").arg(i);
            break;
        }
        const QString name = QString::fromUtf8(st.name);
        QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
        zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        const zip_int64_t n = file ? zip_fread(file, bytes.data(), st.size) : -1;
        if (file)
            zip_fclose(file);
        if (n != zip_int64_t(st.size)) {
            contents.error = QStringLiteral("cannot read entry %1").arg(name);
            break;
        }
        contents.names << name;
        contents.data[name] = bytes;
        contents.stored[name] = st.comp_method == ZIP_CM_STORE;
    }
    zip_close(archive);
    return contents;
}

FirstEntry readFirstEntry(const QString& path)
{
    FirstEntry entry;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entry;
    const QByteArray head = file.read(30);
    if (head.size() < 30 || !head.startsWith("PK\x03\x04"))
        return entry;
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(head.constData() + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(head.constData() + at); };
    entry.flags = u16(6);
    entry.method = u16(8);
    const quint32 size = u32(18);
    const int nameLength = u16(26);
    entry.extraLength = u16(28);
    entry.name = QString::fromUtf8(file.read(nameLength));
    file.skip(entry.extraLength);
    if (entry.method == 0)
        entry.data = file.read(size);
    return entry;
}

QString xmlError(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    if (reader.hasError())
        return QStringLiteral("%1 at line %2 column %3")
            .arg(reader.errorString())
            .arg(reader.lineNumber())
            .arg(reader.columnNumber());
    return {};
}

QString XmlNode::attribute(const QString& qualifiedName) const
{
    const auto it = attributes.find(qualifiedName);
    return it == attributes.end() ? QString() : it->second;
}

QList<const XmlNode*> XmlNode::all(const QString& qualifiedName) const
{
    QList<const XmlNode*> found;
    for (const XmlNode& child : children) {
        if (child.name == qualifiedName)
            found.append(&child);
        found += child.all(qualifiedName);
    }
    return found;
}

const XmlNode* XmlNode::first(const QString& qualifiedName) const
{
    const QList<const XmlNode*> found = all(qualifiedName);
    return found.isEmpty() ? nullptr : found.first();
}

namespace
{
void readChildren(QXmlStreamReader& reader, XmlNode& node)
{
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::EndElement)
            return;
        if (token == QXmlStreamReader::Characters)
            node.text += reader.text();
        if (token != QXmlStreamReader::StartElement)
            continue;
        XmlNode child;
        child.name = reader.qualifiedName().toString();
        for (const QXmlStreamAttribute& a : reader.attributes())
            child.attributes[a.qualifiedName().toString()] = a.value().toString();
        readChildren(reader, child);
        node.children.append(std::move(child));
    }
}
} // namespace

XmlNode parseXml(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    XmlNode document;
    readChildren(reader, document);
    if (reader.hasError() || document.children.size() != 1)
        return {};
    return document.children.first();
}

QStringList attributeValues(const QByteArray& xml, const QString& element, const QString& attribute)
{
    QStringList values;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement &&
            reader.qualifiedName() == element) {
            for (const QXmlStreamAttribute& a : reader.attributes())
                if (a.qualifiedName() == attribute)
                    values << a.value().toString();
        }
    }
    return values;
}

} // namespace pagula::document::test
