#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>

namespace pagula::document::test
{

// The entries of a zip package as the file holds them, read back with libzip.
struct PackageContents {
    QStringList names; // in the order of the central directory
    std::map<QString, QByteArray> data;
    std::map<QString, bool> stored; // no compression
    QString error;                  // empty when the package could be read

    QByteArray part(const QString& name) const;
};
PackageContents readPackage(const QString& path);

// The first local file header of a zip file, read from its bytes.
struct FirstEntry {
    QString name;
    int method = -1;      // 0 stored
    int flags = -1;       // bit 3: a data descriptor follows the data
    int extraLength = -1; // bytes of extra field
    QByteArray data;      // the entry's data, when stored
};
FirstEntry readFirstEntry(const QString& path);

// The XML parser's complaint about a part, empty when it is well-formed.
QString xmlError(const QByteArray& xml);

// An element of a parsed XML part, with qualified names as written.
struct XmlNode {
    QString name;
    std::map<QString, QString> attributes;
    QList<XmlNode> children;
    QString text;

    QString attribute(const QString& qualifiedName) const;
    // Every element of this name below this one, depth first in document order.
    QList<const XmlNode*> all(const QString& qualifiedName) const;
    const XmlNode* first(const QString& qualifiedName) const;
};
// The root element; an empty node when the part does not parse.
XmlNode parseXml(const QByteArray& xml);

// Values of one attribute (by qualified name) on all elements of one qualified name, in order.
QStringList attributeValues(const QByteArray& xml, const QString& element,
                            const QString& attribute);

} // namespace pagula::document::test
