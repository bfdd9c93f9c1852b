#include "DocumentWritersCheck.h"

#include "common/Error.h"
#include "document/DocxParts.h"
#include "document/OdtParts.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <QXmlStreamReader>

#include <algorithm>

namespace pagula::document::fuzz
{

namespace
{

constexpr int SettingBytes = 5;

// Parses a part; returns the parser's complaint and collects the links it holds.
QString parse(const QByteArray& xml, QStringList& links)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        if (reader.qualifiedName() == QLatin1String("draw:image"))
            links << a.value(QLatin1String("xlink:href")).toString();
        if (reader.qualifiedName() == QLatin1String("Relationship") &&
            a.value(QLatin1String("TargetMode")) == QLatin1String("External"))
            links << a.value(QLatin1String("Target")).toString();
    }
    return reader.hasError() ? reader.errorString() : QString();
}

InlinePicture pictureFrom(const QByteArray& input, const QString& path)
{
    const auto byte = [&](int i) { return i < input.size() ? uchar(input[i]) : uchar(0); };
    InlinePicture picture(path, QSizeF(100, 50), true, false);
    picture.setColorType(ColorType(1 + byte(0) % 3));
    const BorderEdge edges[] = {BorderEdge::Top, BorderEdge::Left, BorderEdge::Bottom,
                                BorderEdge::Right};
    for (int e = 0; e < 4; ++e)
        if (byte(0) & (4 << e))
            picture.setBorder(edges[e], LineStyleSingle, LineWidthQuarterPoint);
    picture.setBrightness(byte(1) / 255.0);
    picture.setContrast(byte(2) / 255.0);
    picture.setCrop(CropSide::Top, byte(3) / 255.0 * 50);
    picture.setCrop(CropSide::Left, byte(4) / 255.0 * 100);
    picture.setWidth(80);
    picture.setHeight(40);
    return picture;
}

} // namespace

QString checkDocumentWriters(const QByteArray& input)
{
    const QString name = QFile::decodeName(input.mid(SettingBytes));
    const char flags = input.isEmpty() ? 0 : input[0];
    // The name as given (relative to the working folder) and inside an absolute folder.
    const QStringList paths{name, QStringLiteral("/pictures/") + name};

    Document doc;
    for (const QString& path : paths) {
        doc.insertPicture(doc.itemCount(), pictureFrom(input, path));
        if (flags & 0x40)
            doc.insertControl(doc.itemCount(), ItemKind::LineBreak);
        if (flags & 0x80)
            doc.insertControl(doc.itemCount(), ItemKind::PageBreak);
    }

    PictureReferences refs;
    try {
        refs = linkedReferences(doc);
    } catch (const common::Error&) {
        // Refused: only a name no file can have (empty, or holding a NUL).
        if (name.isEmpty() || name.contains(QChar(0)))
            return {};
        return QStringLiteral("a link was refused for \"%1\"").arg(name);
    }
    if (name.isEmpty() || name.contains(QChar(0)))
        return QStringLiteral("a name no file can have was linked");

    // One stored picture too, so the manifest and the content types list a picture part.
    PictureReference stored;
    stored.entryName = QStringLiteral("Pictures/image1.png");
    stored.mediaType = QStringLiteral("image/png");
    stored.extension = QStringLiteral("png");

    const docx::Relationships relationships(doc, refs);
    const QList<std::pair<const char*, QByteArray>> parts{
        {"content.xml", odt::contentXml(doc, refs)},
        {"styles.xml", odt::stylesXml(doc)},
        {"manifest.xml", odt::manifestXml({stored})},
        {"document.xml", docx::documentXml(doc, relationships)},
        {"document.xml.rels", docx::documentRelationshipsXml(relationships)},
        {"[Content_Types].xml", docx::contentTypesXml({stored})},
    };
    QStringList links;
    for (const auto& [part, xml] : parts) {
        const QString error = parse(xml, links);
        if (!error.isEmpty())
            return QStringLiteral("%1 does not parse: %2").arg(QLatin1String(part), error);
    }

    // ODT links each picture, then DOCX each distinct path (the two are always distinct).
    QStringList expected;
    for (const QString& path : paths)
        expected << QDir::cleanPath(path.startsWith('/') ? path : QDir::currentPath() + '/' + path);
    expected += expected;
    if (links.size() != expected.size())
        return QStringLiteral("%1 links for %2 pictures").arg(links.size()).arg(paths.size());
    for (int i = 0; i < links.size(); ++i) {
        const QUrl url(links[i], QUrl::StrictMode);
        if (!url.isValid() || url.scheme() != QLatin1String("file") || !url.host().isEmpty())
            return QStringLiteral("link %1 is no local file URI").arg(links[i]);
        if (url.toLocalFile() == expected[i])
            continue;
        // QUrl cannot give back noncharacters outside the first plane; a link of the name's
        // own bytes, percent-encoded, must then decode to it exactly.
        const QString prefix = QStringLiteral("file:///");
        const bool ascii = std::all_of(links[i].cbegin(), links[i].cend(), [](QChar c) {
            return c.unicode() > 0x20 && c.unicode() < 0x7F;
        });
        if (!ascii || !links[i].startsWith(prefix) ||
            QFile::decodeName(QByteArray::fromPercentEncoding(links[i].mid(7).toLatin1())) !=
                expected[i])
            return QStringLiteral("link %1 does not give %2 back").arg(links[i], expected[i]);
    }
    return {};
}

} // namespace pagula::document::fuzz
