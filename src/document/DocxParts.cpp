#include "document/DocxParts.h"

#include "common/Error.h"
#include "document/PackagePage.h"
#include "document/ParagraphPlan.h"
#include "document/PictureFormatValues.h"
#include "document/XmlPart.h"
#include "document/XmlText.h"

#include <QFileInfo>

#include <algorithm>

namespace pagula::document::docx
{

namespace
{

const QString WordNs =
    QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString RelNs =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString WpNs =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
const QString DrawingNs = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
const QString PictureNs =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/picture");
const QString GroupNs =
    QStringLiteral("http://schemas.microsoft.com/office/word/2010/wordprocessingGroup");
const QString ShapeNs =
    QStringLiteral("http://schemas.microsoft.com/office/word/2010/wordprocessingShape");
const QString PackageRelNs =
    QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString ContentTypesNs =
    QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
const QString RelTypeBase =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");
const QString WordTypeBase =
    QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.");

const QString EmptyLineStyle = QStringLiteral("EmptyLine");
// Half-points: the smallest type Word offers and the lowering of each picture (half a point),
// which puts the picture's bottom below the type's descent so the line is the picture's height.
const QString PictureFontSize = QStringLiteral("2");
const QString PictureLowering = QStringLiteral("-1");

using document::attr;

void attr(QXmlStreamWriter& w, const char* name, qint64 value)
{
    w.writeAttribute(QLatin1String(name), QString::number(value));
}

void empty(QXmlStreamWriter& w, const char* name,
           std::initializer_list<std::pair<const char*, QString>> attributes = {})
{
    w.writeEmptyElement(QLatin1String(name));
    for (const auto& [key, value] : attributes)
        attr(w, key, value);
}

void start(QXmlStreamWriter& w, const char* name)
{
    w.writeStartElement(QLatin1String(name));
}

void end(QXmlStreamWriter& w)
{
    w.writeEndElement();
}

// Writes inline drawings, numbering every drawing object of the document.
class Drawings
{
public:
    Drawings(QXmlStreamWriter& w, const Relationships& relationships, const PackagePage& page)
        : w_(w), relationships_(relationships), page_(page)
    {
    }

    void write(const InlinePicture& picture)
    {
        const qint64 cx = std::max<qint64>(0, emu(picture.width() * page_.widthScale));
        const qint64 cy = std::max<qint64>(0, emu(picture.height() * page_.heightScale));
        const QString description = xmlSafe(QFileInfo(picture.path()).fileName());
        const int number = next_++;

        start(w_, "wp:inline");
        for (const char* side : {"distT", "distB", "distL", "distR"})
            attr(w_, side, QStringLiteral("0"));
        start(w_, "wp:extent");
        attr(w_, "cx", cx);
        attr(w_, "cy", cy);
        end(w_);
        empty(w_, "wp:effectExtent",
              {{"l", QStringLiteral("0")},
               {"t", QStringLiteral("0")},
               {"r", QStringLiteral("0")},
               {"b", QStringLiteral("0")}});
        empty(w_, "wp:docPr",
              {{"id", QString::number(number)},
               {"name", QStringLiteral("Picture %1").arg(number)},
               {"descr", description}});
        empty(w_, "wp:cNvGraphicFramePr");
        start(w_, "a:graphic");
        start(w_, "a:graphicData");

        const bool framed = std::any_of(std::begin(Edges), std::end(Edges), [&](BorderEdge e) {
            return picture.border(e).isVisible();
        });
        if (!framed) {
            attr(w_, "uri", PictureNs);
            writePicture(picture, description, cx, cy);
        } else {
            attr(w_, "uri", GroupNs);
            start(w_, "wpg:wgp");
            empty(w_, "wpg:cNvGrpSpPr");
            start(w_, "wpg:grpSpPr");
            writeTransform(0, 0, cx, cy, true);
            end(w_);
            writePicture(picture, description, cx, cy);
            for (const BorderEdge edge : Edges)
                if (picture.border(edge).isVisible())
                    writeEdge(edge, picture.border(edge), cx, cy);
            end(w_);
        }
        end(w_); // a:graphicData
        end(w_); // a:graphic
        end(w_); // wp:inline
    }

private:
    static constexpr BorderEdge Edges[] = {BorderEdge::Top, BorderEdge::Left, BorderEdge::Bottom,
                                           BorderEdge::Right};

    void writeTransform(qint64 x, qint64 y, qint64 cx, qint64 cy, bool group)
    {
        start(w_, "a:xfrm");
        empty(w_, "a:off", {{"x", QString::number(x)}, {"y", QString::number(y)}});
        empty(w_, "a:ext", {{"cx", QString::number(cx)}, {"cy", QString::number(cy)}});
        if (group) {
            empty(w_, "a:chOff", {{"x", QStringLiteral("0")}, {"y", QStringLiteral("0")}});
            empty(w_, "a:chExt", {{"cx", QString::number(cx)}, {"cy", QString::number(cy)}});
        }
        end(w_);
    }

    void writeGeometry(const char* preset)
    {
        start(w_, "a:prstGeom");
        attr(w_, "prst", QLatin1String(preset));
        empty(w_, "a:avLst");
        end(w_);
    }

    void writePicture(const InlinePicture& picture, const QString& description, qint64 cx,
                      qint64 cy)
    {
        const QString& path = picture.path();
        start(w_, "pic:pic");
        start(w_, "pic:nvPicPr");
        empty(w_, "pic:cNvPr",
              {{"id", QString::number(next_++)}, {"name", description}, {"descr", description}});
        empty(w_, "pic:cNvPicPr");
        end(w_);

        start(w_, "pic:blipFill");
        start(w_, "a:blip");
        attr(w_, relationships_.isStored(path) ? "r:embed" : "r:link", relationships_.idFor(path));
        // Effects apply in the order written: brightness and contrast before the colour type,
        // as our renderer does.
        const int bright = drawingMlBrightness(picture.brightness(), picture.contrast());
        const int contrast = drawingMlContrast(picture.contrast());
        if (bright != 0 || contrast != 0)
            empty(w_, "a:lum",
                  {{"bright", QString::number(bright)}, {"contrast", QString::number(contrast)}});
        if (picture.colorType() == ColorType::Greyscale)
            empty(w_, "a:grayscl");
        else if (picture.colorType() == ColorType::BlackAndWhite)
            empty(w_, "a:biLevel", {{"thresh", QStringLiteral("50000")}});
        end(w_); // a:blip
        const CropShares crop = cropShares(picture);
        if (crop.left || crop.top || crop.right || crop.bottom)
            empty(w_, "a:srcRect",
                  {{"l", QString::number(crop.left)},
                   {"t", QString::number(crop.top)},
                   {"r", QString::number(crop.right)},
                   {"b", QString::number(crop.bottom)}});
        start(w_, "a:stretch");
        empty(w_, "a:fillRect");
        end(w_);
        end(w_); // pic:blipFill

        start(w_, "pic:spPr");
        writeTransform(0, 0, cx, cy, false);
        writeGeometry("rect");
        end(w_);
        end(w_); // pic:pic
    }

    // A line along one edge of the picture, centred on it as our renderer draws it.
    void writeEdge(BorderEdge edge, const BorderLine& line, qint64 cx, qint64 cy)
    {
        const bool horizontal = edge == BorderEdge::Top || edge == BorderEdge::Bottom;
        const qint64 x = edge == BorderEdge::Right ? cx : 0;
        const qint64 y = edge == BorderEdge::Bottom ? cy : 0;
        start(w_, "wps:wsp");
        empty(w_, "wps:cNvPr",
              {{"id", QString::number(next_++)}, {"name", QStringLiteral("Edge")}});
        empty(w_, "wps:cNvCnPr");
        start(w_, "wps:spPr");
        writeTransform(x, y, horizontal ? cx : 0, horizontal ? 0 : cy, false);
        writeGeometry("line");
        start(w_, "a:ln");
        attr(w_, "w", emu(line.widthPoints()));
        start(w_, "a:solidFill");
        empty(w_, "a:srgbClr", {{"val", QStringLiteral("000000")}});
        end(w_);
        end(w_); // a:ln
        end(w_); // wps:spPr
        empty(w_, "wps:bodyPr");
        end(w_);
    }

    QXmlStreamWriter& w_;
    const Relationships& relationships_;
    const PackagePage& page_;
    int next_ = 1;
};

void writeParagraph(QXmlStreamWriter& w, const Document& document,
                    const PlannedParagraph& paragraph, Drawings& drawings)
{
    start(w, "w:p");
    if (!paragraph.hasPicture || paragraph.pageBreakBefore) {
        start(w, "w:pPr");
        if (!paragraph.hasPicture)
            empty(w, "w:pStyle", {{"w:val", EmptyLineStyle}});
        if (paragraph.pageBreakBefore)
            empty(w, "w:pageBreakBefore");
        end(w);
    }
    for (int item : paragraph.items) {
        start(w, "w:r");
        if (isLineBreak(document, item)) {
            empty(w, "w:br");
        } else {
            start(w, "w:rPr");
            empty(w, "w:position", {{"w:val", PictureLowering}});
            end(w);
            start(w, "w:drawing");
            drawings.write(document.pictureAt(item));
            end(w);
        }
        end(w);
    }
    end(w);
}

void writeRelationship(QXmlStreamWriter& w, const QString& id, const QString& type,
                       const QString& target, bool external)
{
    empty(w, "Relationship", {{"Id", id}, {"Type", type}, {"Target", target}});
    if (external)
        attr(w, "TargetMode", QStringLiteral("External"));
}

void writeSpacing(QXmlStreamWriter& w, const char* rule)
{
    empty(w, "w:spacing",
          {{"w:before", QStringLiteral("0")},
           {"w:after", QStringLiteral("0")},
           {"w:line", QStringLiteral("240")},
           {"w:lineRule", QLatin1String(rule)}});
}

void writeFontSize(QXmlStreamWriter& w, const QString& halfPoints)
{
    start(w, "w:rPr");
    empty(w, "w:sz", {{"w:val", halfPoints}});
    empty(w, "w:szCs", {{"w:val", halfPoints}});
    end(w);
}

// Single line spacing, nothing above or below, no widow control: our layout's paragraph.
void writePictureParagraphProperties(QXmlStreamWriter& w)
{
    start(w, "w:pPr");
    empty(w, "w:widowControl", {{"w:val", QStringLiteral("0")}});
    writeSpacing(w, "auto");
    end(w);
}

} // namespace

Relationships::Relationships(const Document& document, const PictureReferences& pictures)
{
    entries_.append({QStringLiteral("rId1"), RelTypeBase + QStringLiteral("styles"),
                     QStringLiteral("styles.xml"), false});
    entries_.append({QStringLiteral("rId2"), RelTypeBase + QStringLiteral("settings"),
                     QStringLiteral("settings.xml"), false});
    for (int i = 0; i < document.itemCount(); ++i) {
        if (document.item(i).kind != ItemKind::Picture)
            continue;
        const QString& path = document.pictureAt(i).path();
        if (byPath_.count(path))
            continue;
        const auto it = pictures.find(path);
        if (it == pictures.end())
            throw common::Error(QStringLiteral("No reference for picture %1").arg(path));
        const PictureReference& ref = it->second;
        const QString id = QStringLiteral("rId%1").arg(entries_.size() + 1);
        // Stored pictures lie in word/media; targets are relative to the word folder.
        const QString target =
            ref.isStored() ? ref.entryName.mid(ref.entryName.indexOf('/') + 1) : ref.linkUri;
        entries_.append({id, RelTypeBase + QStringLiteral("image"), target, !ref.isStored()});
        byPath_.emplace(path, std::make_pair(id, ref.isStored()));
    }
}

QString Relationships::idFor(const QString& path) const
{
    const auto it = byPath_.find(path);
    if (it == byPath_.end())
        throw common::Error(QStringLiteral("No reference for picture %1").arg(path));
    return it->second.first;
}

bool Relationships::isStored(const QString& path) const
{
    const auto it = byPath_.find(path);
    return it != byPath_.end() && it->second.second;
}

QByteArray contentTypesXml(const QList<PictureReference>& stored)
{
    XmlPart xml;
    QXmlStreamWriter& w = xml.start("Types", {{"", ContentTypesNs}}, true);
    std::map<QString, QString> defaults{
        {QStringLiteral("rels"),
         QStringLiteral("application/vnd.openxmlformats-package.relationships+xml")},
        {QStringLiteral("xml"), QStringLiteral("application/xml")},
    };
    for (const PictureReference& ref : stored)
        defaults.emplace(ref.extension, ref.mediaType);
    for (const auto& [extension, type] : defaults)
        empty(w, "Default", {{"Extension", extension}, {"ContentType", type}});
    empty(w, "Override",
          {{"PartName", QStringLiteral("/word/document.xml")},
           {"ContentType", WordTypeBase + QStringLiteral("document.main+xml")}});
    empty(w, "Override",
          {{"PartName", QStringLiteral("/word/styles.xml")},
           {"ContentType", WordTypeBase + QStringLiteral("styles+xml")}});
    empty(w, "Override",
          {{"PartName", QStringLiteral("/word/settings.xml")},
           {"ContentType", WordTypeBase + QStringLiteral("settings+xml")}});
    return xml.finish();
}

QByteArray packageRelationshipsXml()
{
    XmlPart xml;
    QXmlStreamWriter& w = xml.start("Relationships", {{"", PackageRelNs}}, true);
    writeRelationship(w, QStringLiteral("rId1"), RelTypeBase + QStringLiteral("officeDocument"),
                      QStringLiteral("word/document.xml"), false);
    return xml.finish();
}

QByteArray documentRelationshipsXml(const Relationships& relationships)
{
    XmlPart xml;
    QXmlStreamWriter& w = xml.start("Relationships", {{"", PackageRelNs}}, true);
    for (const Relationships::Entry& e : relationships.entries())
        writeRelationship(w, e.id, e.type, e.target, e.external);
    return xml.finish();
}

QByteArray documentXml(const Document& document, const Relationships& relationships)
{
    XmlPart xml;
    QXmlStreamWriter& w = xml.start("w:document",
                                    {{"w", WordNs},
                                     {"r", RelNs},
                                     {"wp", WpNs},
                                     {"a", DrawingNs},
                                     {"pic", PictureNs},
                                     {"wpg", GroupNs},
                                     {"wps", ShapeNs}},
                                    true);
    start(w, "w:body");
    const DocumentLayout layout = layoutDocument(document);
    const PackagePage page = packagePage(document, layout);
    Drawings drawings(w, relationships, page);
    for (const PlannedParagraph& paragraph : planParagraphs(document, layout))
        writeParagraph(w, document, paragraph, drawings);

    const QMarginsF m = page.margins;
    const auto margin = [](double points) { return QString::number(twips(points)); };
    start(w, "w:sectPr");
    empty(w, "w:pgSz",
          {{"w:w", QString::number(twips(document.pageSize().width()))},
           {"w:h", QString::number(twips(document.pageSize().height()))}});
    empty(w, "w:pgMar",
          {{"w:top", margin(m.top())},
           {"w:right", margin(m.right())},
           {"w:bottom", margin(m.bottom())},
           {"w:left", margin(m.left())},
           {"w:header", QStringLiteral("0")},
           {"w:footer", QStringLiteral("0")},
           {"w:gutter", QStringLiteral("0")}});
    end(w);
    end(w); // w:body
    return xml.finish();
}

QByteArray stylesXml()
{
    XmlPart xml;
    QXmlStreamWriter& w = xml.start("w:styles", {{"w", WordNs}}, true);
    start(w, "w:docDefaults");
    start(w, "w:rPrDefault");
    writeFontSize(w, PictureFontSize);
    end(w);
    start(w, "w:pPrDefault");
    writePictureParagraphProperties(w);
    end(w);
    end(w);

    start(w, "w:style");
    attr(w, "w:type", QStringLiteral("paragraph"));
    attr(w, "w:default", QStringLiteral("1"));
    attr(w, "w:styleId", QStringLiteral("Normal"));
    empty(w, "w:name", {{"w:val", QStringLiteral("Normal")}});
    empty(w, "w:qFormat");
    writePictureParagraphProperties(w);
    writeFontSize(w, PictureFontSize);
    end(w);

    start(w, "w:style");
    attr(w, "w:type", QStringLiteral("paragraph"));
    attr(w, "w:styleId", EmptyLineStyle);
    empty(w, "w:name", {{"w:val", QStringLiteral("Empty Line")}});
    empty(w, "w:basedOn", {{"w:val", QStringLiteral("Normal")}});
    start(w, "w:pPr");
    writeSpacing(w, "exact"); // 240 twentieths: our empty line of 12 pt
    end(w);
    writeFontSize(w, QStringLiteral("20"));
    end(w);
    return xml.finish();
}

QByteArray settingsXml()
{
    XmlPart xml;
    QXmlStreamWriter& w = xml.start("w:settings", {{"w", WordNs}}, true);
    start(w, "w:compat");
    empty(w, "w:compatSetting",
          {{"w:name", QStringLiteral("compatibilityMode")},
           {"w:uri", QStringLiteral("http://schemas.microsoft.com/office/word")},
           {"w:val", QStringLiteral("15")}});
    end(w);
    return xml.finish();
}

} // namespace pagula::document::docx
