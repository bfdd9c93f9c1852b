#include "document/OdtParts.h"

#include "common/Error.h"
#include "document/PackagePage.h"
#include "document/PageGeometry.h"
#include "document/ParagraphPlan.h"
#include "document/PictureFormatValues.h"
#include "document/XmlPart.h"
#include "document/XmlText.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <map>

namespace pagula::document::odt
{

namespace
{

const QString OfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString StyleNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString TextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString DrawNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:drawing:1.0");
const QString FoNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
const QString XlinkNs = QStringLiteral("http://www.w3.org/1999/xlink");
const QString SvgNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0");
const QString MetaNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:meta:1.0");
const QString ManifestNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0");

const QString PictureParagraphStyle = QStringLiteral("Standard");
const QString EmptyParagraphStyle = QStringLiteral("Empty_20_Line");
const QString PictureBreakStyle = QStringLiteral("P1");
const QString EmptyBreakStyle = QStringLiteral("P2");

// Picture paragraphs take the smallest type: the paragraph mark then never makes a line higher
// than its pictures, in word processors that count it.
const QString PictureFontSize = QStringLiteral("1pt");

QString percent(double value)
{
    return QString::number(std::lround(value)) + QLatin1Char('%');
}

QString borderText(const BorderLine& line)
{
    return line.isVisible() ? odfPoints(line.widthPoints()) + QStringLiteral(" solid #000000")
                            : QStringLiteral("none");
}

QString colorMode(ColorType type)
{
    switch (type) {
    case ColorType::Greyscale:
        return QStringLiteral("greyscale");
    case ColorType::BlackAndWhite:
        return QStringLiteral("mono");
    case ColorType::Automatic:
        break;
    }
    return QStringLiteral("standard");
}

// The graphic properties of one picture, as attribute name and value, in writing order.
QList<std::pair<const char*, QString>> graphicProperties(const InlinePicture& picture)
{
    return {
        {"style:vertical-pos", QStringLiteral("top")},
        {"style:vertical-rel", QStringLiteral("baseline")},
        {"fo:padding", QStringLiteral("0pt")},
        {"fo:border-top", borderText(picture.border(BorderEdge::Top))},
        {"fo:border-left", borderText(picture.border(BorderEdge::Left))},
        {"fo:border-bottom", borderText(picture.border(BorderEdge::Bottom))},
        {"fo:border-right", borderText(picture.border(BorderEdge::Right))},
        {"fo:clip", odfClip(picture.crop())},
        {"draw:luminance", percent(luminancePercent(picture.brightness()))},
        {"draw:contrast", percent(contrastPercent(picture.contrast()))},
        {"draw:color-mode", colorMode(picture.colorType())},
        {"style:mirror", QStringLiteral("none")},
    };
}

// One automatic graphic style per distinct picture format.
class GraphicStyles
{
public:
    QString nameFor(const InlinePicture& picture)
    {
        const auto props = graphicProperties(picture);
        QString key;
        for (const auto& [name, value] : props)
            key += value + QLatin1Char('|');
        const auto it = names_.find(key);
        if (it != names_.end())
            return it->second;
        const QString name = QStringLiteral("fr%1").arg(names_.size() + 1);
        names_.emplace(key, name);
        styles_.append({name, props});
        return name;
    }

    void write(QXmlStreamWriter& w) const
    {
        for (const auto& [name, props] : styles_) {
            w.writeStartElement(QStringLiteral("style:style"));
            attr(w, "style:name", name);
            attr(w, "style:family", QStringLiteral("graphic"));
            // LibreOffice takes a frame for a drawing shape, and draws no border on it, unless
            // its style derives from a graphic style.
            attr(w, "style:parent-style-name", QStringLiteral("Graphics"));
            w.writeStartElement(QStringLiteral("style:graphic-properties"));
            for (const auto& [attribute, value] : props)
                attr(w, attribute, value);
            w.writeEndElement();
            w.writeEndElement();
        }
    }

private:
    std::map<QString, QString> names_;
    QList<std::pair<QString, QList<std::pair<const char*, QString>>>> styles_;
};

void writeBreakStyle(QXmlStreamWriter& w, const QString& name, const QString& parent)
{
    w.writeStartElement(QStringLiteral("style:style"));
    attr(w, "style:name", name);
    attr(w, "style:family", QStringLiteral("paragraph"));
    attr(w, "style:parent-style-name", parent);
    w.writeEmptyElement(QStringLiteral("style:paragraph-properties"));
    attr(w, "fo:break-before", QStringLiteral("page"));
    w.writeEndElement();
}

void writeFrame(QXmlStreamWriter& w, const InlinePicture& picture, const QString& styleName,
                int number, const PictureReference& ref, const PackagePage& page)
{
    w.writeStartElement(QStringLiteral("draw:frame"));
    attr(w, "draw:style-name", styleName);
    attr(w, "draw:name", QStringLiteral("Picture %1").arg(number));
    attr(w, "text:anchor-type", QStringLiteral("as-char"));
    attr(w, "svg:width", odfPoints(picture.width() * page.widthScale));
    attr(w, "svg:height", odfPoints(picture.height() * page.heightScale));
    attr(w, "draw:z-index", QString::number(number - 1));
    w.writeEmptyElement(QStringLiteral("draw:image"));
    attr(w, "xlink:href", ref.isStored() ? ref.entryName : ref.linkUri);
    attr(w, "xlink:type", QStringLiteral("simple"));
    attr(w, "xlink:show", QStringLiteral("embed"));
    attr(w, "xlink:actuate", QStringLiteral("onLoad"));
    if (ref.isStored())
        attr(w, "draw:mime-type", ref.mediaType);
    w.writeTextElement(QStringLiteral("svg:desc"), xmlSafe(QFileInfo(picture.path()).fileName()));
    w.writeEndElement();
}

const PictureReference& referenceFor(const PictureReferences& pictures, const QString& path)
{
    const auto it = pictures.find(path);
    if (it == pictures.end())
        throw common::Error(QStringLiteral("No reference for picture %1").arg(path));
    return it->second;
}

} // namespace

QByteArray contentXml(const Document& document, const PictureReferences& pictures)
{
    const DocumentLayout layout = layoutDocument(document);
    const QList<PlannedParagraph> plan = planParagraphs(document, layout);
    const PackagePage page = packagePage(document, layout);
    GraphicStyles graphics;
    for (const PlannedParagraph& paragraph : plan)
        for (int item : paragraph.items)
            if (!isLineBreak(document, item))
                graphics.nameFor(document.pictureAt(item));

    XmlPart xml;
    xml.start("office:document-content", {{"office", OfficeNs},
                                          {"style", StyleNs},
                                          {"text", TextNs},
                                          {"draw", DrawNs},
                                          {"fo", FoNs},
                                          {"xlink", XlinkNs},
                                          {"svg", SvgNs}});
    QXmlStreamWriter& w = *xml;
    attr(w, "office:version", QStringLiteral("1.2"));

    w.writeStartElement(QStringLiteral("office:automatic-styles"));
    writeBreakStyle(w, PictureBreakStyle, PictureParagraphStyle);
    writeBreakStyle(w, EmptyBreakStyle, EmptyParagraphStyle);
    graphics.write(w);
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("office:body"));
    w.writeStartElement(QStringLiteral("office:text"));
    int number = 0;
    for (const PlannedParagraph& paragraph : plan) {
        w.writeStartElement(QStringLiteral("text:p"));
        const QString style =
            paragraph.hasPicture
                ? (paragraph.pageBreakBefore ? PictureBreakStyle : PictureParagraphStyle)
                : (paragraph.pageBreakBefore ? EmptyBreakStyle : EmptyParagraphStyle);
        attr(w, "text:style-name", style);
        for (int item : paragraph.items) {
            if (isLineBreak(document, item)) {
                w.writeEmptyElement(QStringLiteral("text:line-break"));
                continue;
            }
            const InlinePicture& picture = document.pictureAt(item);
            writeFrame(w, picture, graphics.nameFor(picture), ++number,
                       referenceFor(pictures, picture.path()), page);
        }
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndElement();
    return xml.finish();
}

QByteArray stylesXml(const Document& document)
{
    XmlPart xml;
    xml.start("office:document-styles", {{"office", OfficeNs},
                                         {"style", StyleNs},
                                         {"text", TextNs},
                                         {"draw", DrawNs},
                                         {"fo", FoNs},
                                         {"svg", SvgNs}});
    QXmlStreamWriter& w = *xml;
    attr(w, "office:version", QStringLiteral("1.2"));

    w.writeStartElement(QStringLiteral("office:styles"));

    w.writeStartElement(QStringLiteral("style:style"));
    attr(w, "style:name", PictureParagraphStyle);
    attr(w, "style:family", QStringLiteral("paragraph"));
    attr(w, "style:class", QStringLiteral("text"));
    w.writeEmptyElement(QStringLiteral("style:paragraph-properties"));
    for (const char* side : {"fo:margin-top", "fo:margin-bottom", "fo:margin-left",
                             "fo:margin-right", "fo:text-indent"})
        attr(w, side, QStringLiteral("0pt"));
    attr(w, "fo:line-height", QStringLiteral("100%"));
    attr(w, "fo:text-align", QStringLiteral("start"));
    attr(w, "fo:orphans", QStringLiteral("0"));
    attr(w, "fo:widows", QStringLiteral("0"));
    w.writeEmptyElement(QStringLiteral("style:text-properties"));
    attr(w, "fo:font-size", PictureFontSize);
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("style:style"));
    attr(w, "style:name", EmptyParagraphStyle);
    attr(w, "style:display-name", QStringLiteral("Empty Line"));
    attr(w, "style:family", QStringLiteral("paragraph"));
    attr(w, "style:parent-style-name", PictureParagraphStyle);
    w.writeEmptyElement(QStringLiteral("style:paragraph-properties"));
    attr(w, "fo:line-height", odfPoints(EmptyLineHeightPoints));
    w.writeEmptyElement(QStringLiteral("style:text-properties"));
    attr(w, "fo:font-size", QStringLiteral("10pt"));
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("style:style"));
    attr(w, "style:name", QStringLiteral("Graphics"));
    attr(w, "style:family", QStringLiteral("graphic"));
    w.writeEmptyElement(QStringLiteral("style:graphic-properties"));
    attr(w, "text:anchor-type", QStringLiteral("as-char"));
    attr(w, "style:vertical-pos", QStringLiteral("top"));
    attr(w, "style:vertical-rel", QStringLiteral("baseline"));
    for (const char* side :
         {"fo:margin-top", "fo:margin-bottom", "fo:margin-left", "fo:margin-right", "fo:padding"})
        attr(w, side, QStringLiteral("0pt"));
    attr(w, "fo:border", QStringLiteral("none"));
    attr(w, "style:wrap", QStringLiteral("none"));
    w.writeEndElement();

    w.writeEndElement(); // office:styles

    const QMarginsF m = packagePage(document).margins;
    const auto margin = [](double points) { return odfPoints(points); };
    w.writeStartElement(QStringLiteral("office:automatic-styles"));
    w.writeStartElement(QStringLiteral("style:page-layout"));
    attr(w, "style:name", QStringLiteral("pm1"));
    w.writeEmptyElement(QStringLiteral("style:page-layout-properties"));
    attr(w, "fo:page-width", odfPoints(document.pageSize().width()));
    attr(w, "fo:page-height", odfPoints(document.pageSize().height()));
    attr(w, "style:print-orientation", QStringLiteral("portrait"));
    attr(w, "fo:margin-top", margin(m.top()));
    attr(w, "fo:margin-bottom", margin(m.bottom()));
    attr(w, "fo:margin-left", margin(m.left()));
    attr(w, "fo:margin-right", margin(m.right()));
    w.writeEndElement();
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("office:master-styles"));
    w.writeEmptyElement(QStringLiteral("style:master-page"));
    attr(w, "style:name", QStringLiteral("Standard"));
    attr(w, "style:page-layout-name", QStringLiteral("pm1"));
    w.writeEndElement();
    return xml.finish();
}

QByteArray metaXml()
{
    XmlPart xml;
    xml.start("office:document-meta", {{"office", OfficeNs}, {"meta", MetaNs}});
    QXmlStreamWriter& w = *xml;
    attr(w, "office:version", QStringLiteral("1.2"));
    w.writeStartElement(QStringLiteral("office:meta"));
    w.writeTextElement(QStringLiteral("meta:generator"), QStringLiteral("Pagula"));
    w.writeEndElement();
    return xml.finish();
}

QByteArray manifestXml(const QList<PictureReference>& stored)
{
    XmlPart xml;
    xml.start("manifest:manifest", {{"manifest", ManifestNs}});
    QXmlStreamWriter& w = *xml;
    attr(w, "manifest:version", QStringLiteral("1.2"));
    const auto entry = [&w](const QString& path, const QString& type) {
        w.writeEmptyElement(QStringLiteral("manifest:file-entry"));
        attr(w, "manifest:full-path", path);
        if (path == QLatin1String("/"))
            attr(w, "manifest:version", QStringLiteral("1.2"));
        attr(w, "manifest:media-type", type);
    };
    entry(QStringLiteral("/"), QString::fromLatin1(MimeType));
    entry(QStringLiteral("content.xml"), QStringLiteral("text/xml"));
    entry(QStringLiteral("styles.xml"), QStringLiteral("text/xml"));
    entry(QStringLiteral("meta.xml"), QStringLiteral("text/xml"));
    for (const PictureReference& ref : stored)
        entry(ref.entryName, ref.mediaType);
    return xml.finish();
}

} // namespace pagula::document::odt
