// What the ODT and DOCX parts say about each picture and paragraph: sizes, crop, adjustments,
// colour type, border edges, breaks and page margins.
#include "PackageReader.h"

#include "document/DocxParts.h"
#include "document/OdtParts.h"
#include "document/PictureFormatValues.h"

#include <QRegularExpression>
#include <QUrl>

#include <gtest/gtest.h>

using namespace pagula::document;
using namespace pagula::document::test;

namespace
{

// Page 1: a greyscale picture cropped and brightened with its top and left edges, a black and
// white one with all four edges, a line break, a plain one. Page 2 after a page break: one
// picture, then an empty paragraph.
Document sampleDocument()
{
    Document doc;
    doc.setTopMargin(19.845);
    doc.setLeftMargin(19.845);
    doc.setBottomMargin(-5.67); // a bottom margin of 2 mm less the 4 mm the composition takes
    doc.setRightMargin(17.01);

    InlinePicture grey(QStringLiteral("/pics/scan 1.jpg"), QSizeF(600, 800), true, false);
    grey.setColorType(ColorType::Greyscale);
    grey.setBrightness(0.6f);
    grey.setCrop(CropSide::Top, 40);
    grey.setCrop(CropSide::Left, 60);
    grey.setWidth(165.2805);
    grey.setHeight(255.15);
    grey.setBorder(BorderEdge::Top, LineStyleSingle, LineWidthQuarterPoint);
    grey.setBorder(BorderEdge::Left, LineStyleSingle, LineWidthQuarterPoint);

    InlinePicture mono(QStringLiteral("/pics/b&w <2>.png"), QSizeF(100, 100), true, false);
    mono.setColorType(ColorType::BlackAndWhite);
    mono.setContrast(0.75);
    mono.setWidth(50);
    mono.setHeight(60);
    for (auto e : {BorderEdge::Top, BorderEdge::Left, BorderEdge::Bottom, BorderEdge::Right})
        mono.setBorder(e, LineStyleSingle, LineWidthQuarterPoint);

    InlinePicture plain(QStringLiteral("/pics/scan 1.jpg"), QSizeF(600, 800), true, false);
    plain.setWidth(30);
    plain.setHeight(40);

    doc.insertPicture(doc.itemCount(), grey);
    doc.insertPicture(doc.itemCount(), mono);
    doc.insertControl(doc.itemCount(), ItemKind::LineBreak);
    doc.insertPicture(doc.itemCount(), plain);
    doc.insertControl(doc.itemCount(), ItemKind::PageBreak);
    doc.insertPicture(doc.itemCount(), plain);
    doc.insertControl(doc.itemCount(), ItemKind::ParagraphMark);
    doc.insertControl(doc.itemCount(), ItemKind::ParagraphMark);
    return doc;
}

const XmlNode* styleNamed(const XmlNode& root, const QString& name)
{
    for (const XmlNode* style : root.all("style:style"))
        if (style->attribute("style:name") == name)
            return style;
    return nullptr;
}

TEST(OdtContent, FramesCarrySizeCropAdjustmentsAndEdges)
{
    const Document doc = sampleDocument();
    const XmlNode content = parseXml(odt::contentXml(doc, linkedReferences(doc)));
    ASSERT_FALSE(content.name.isEmpty());

    const QList<const XmlNode*> frames = content.all("draw:frame");
    ASSERT_EQ(frames.size(), 4);
    const struct {
        const char* width;
        const char* height;
        const char* top;
        const char* left;
        const char* bottom;
        const char* right;
        const char* clip;
        const char* luminance;
        const char* contrast;
        const char* mode;
    } expected[] = {
        {"165.2805pt", "255.15pt", "0.25pt solid #000000", "0.25pt solid #000000", "none", "none",
         "rect(40pt, 0pt, 0pt, 60pt)", "20%", "0%", "greyscale"},
        {"50pt", "60pt", "0.25pt solid #000000", "0.25pt solid #000000", "0.25pt solid #000000",
         "0.25pt solid #000000", "rect(0pt, 0pt, 0pt, 0pt)", "0%", "59%", "mono"},
        {"30pt", "40pt", "none", "none", "none", "none", "rect(0pt, 0pt, 0pt, 0pt)", "0%", "0%",
         "standard"},
        {"30pt", "40pt", "none", "none", "none", "none", "rect(0pt, 0pt, 0pt, 0pt)", "0%", "0%",
         "standard"},
    };
    for (int i = 0; i < frames.size(); ++i) {
        const XmlNode& frame = *frames[i];
        const auto& e = expected[i];
        EXPECT_EQ(frame.attribute("text:anchor-type"), "as-char");
        EXPECT_EQ(frame.attribute("svg:width"), e.width);
        EXPECT_EQ(frame.attribute("svg:height"), e.height);
        const XmlNode* style = styleNamed(content, frame.attribute("draw:style-name"));
        ASSERT_NE(style, nullptr) << i;
        EXPECT_EQ(style->attribute("style:parent-style-name"), "Graphics");
        const XmlNode* props = style->first("style:graphic-properties");
        ASSERT_NE(props, nullptr);
        EXPECT_EQ(props->attribute("style:vertical-pos"), "top") << i;
        EXPECT_EQ(props->attribute("style:vertical-rel"), "baseline") << i;
        EXPECT_EQ(props->attribute("fo:border-top"), e.top) << i;
        EXPECT_EQ(props->attribute("fo:border-left"), e.left) << i;
        EXPECT_EQ(props->attribute("fo:border-bottom"), e.bottom) << i;
        EXPECT_EQ(props->attribute("fo:border-right"), e.right) << i;
        EXPECT_EQ(props->attribute("fo:clip"), e.clip) << i;
        EXPECT_EQ(props->attribute("draw:luminance"), e.luminance) << i;
        EXPECT_EQ(props->attribute("draw:contrast"), e.contrast) << i;
        EXPECT_EQ(props->attribute("draw:color-mode"), e.mode) << i;
    }
    // The same format shares one style.
    EXPECT_EQ(frames[2]->attribute("draw:style-name"), frames[3]->attribute("draw:style-name"));
    EXPECT_EQ(frames[0]->first("svg:desc")->text, "scan 1.jpg");
    EXPECT_EQ(QUrl(frames[1]->first("draw:image")->attribute("xlink:href")).toLocalFile(),
              "/pics/b&w <2>.png");
}

TEST(OdtContent, ParagraphsBreaksAndPage)
{
    const Document doc = sampleDocument();
    const XmlNode content = parseXml(odt::contentXml(doc, linkedReferences(doc)));
    const QList<const XmlNode*> paragraphs = content.all("text:p");
    ASSERT_EQ(paragraphs.size(), 3);
    EXPECT_EQ(paragraphs[0]->all("draw:frame").size(), 3);
    EXPECT_EQ(paragraphs[0]->all("text:line-break").size(), 1);
    EXPECT_EQ(paragraphs[1]->all("draw:frame").size(), 1);
    EXPECT_TRUE(paragraphs[2]->children.isEmpty());

    const auto breaksBefore = [&](const XmlNode* p) {
        const XmlNode* style = styleNamed(content, p->attribute("text:style-name"));
        return style && style->first("style:paragraph-properties") &&
               style->first("style:paragraph-properties")->attribute("fo:break-before") == "page";
    };
    EXPECT_FALSE(breaksBefore(paragraphs[0]));
    EXPECT_TRUE(breaksBefore(paragraphs[1]));
    EXPECT_FALSE(breaksBefore(paragraphs[2]));
    EXPECT_EQ(paragraphs[0]->attribute("text:style-name"), "Standard");
    EXPECT_EQ(paragraphs[2]->attribute("text:style-name"), "Empty_20_Line");

    const XmlNode styles = parseXml(odt::stylesXml(doc));
    const XmlNode* page = styles.first("style:page-layout-properties");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->attribute("fo:page-width"), "595.2756pt");
    EXPECT_EQ(page->attribute("fo:page-height"), "841.8898pt");
    EXPECT_EQ(page->attribute("fo:margin-top"), "19.845pt");
    EXPECT_EQ(page->attribute("fo:margin-left"), "19.845pt");
    EXPECT_EQ(page->attribute("fo:margin-right"), "17.01pt");
    EXPECT_EQ(page->attribute("fo:margin-bottom"), "0pt"); // none below zero
    const XmlNode* standard = styleNamed(styles, "Standard");
    ASSERT_NE(standard, nullptr);
    const XmlNode* props = standard->first("style:paragraph-properties");
    EXPECT_EQ(props->attribute("fo:margin-top"), "0pt");
    EXPECT_EQ(props->attribute("fo:margin-bottom"), "0pt");
    EXPECT_EQ(props->attribute("fo:line-height"), "100%");
    EXPECT_EQ(props->attribute("fo:widows"), "0");
    EXPECT_EQ(props->attribute("fo:orphans"), "0");
    EXPECT_EQ(styleNamed(styles, "Empty_20_Line")
                  ->first("style:paragraph-properties")
                  ->attribute("fo:line-height"),
              "12pt");
}

TEST(DocxContent, InlinePicturesCarrySizeCropAdjustmentsAndEdges)
{
    const Document doc = sampleDocument();
    const PictureReferences refs = linkedReferences(doc);
    const docx::Relationships relationships(doc, refs);
    const XmlNode main = parseXml(docx::documentXml(doc, relationships));
    ASSERT_FALSE(main.name.isEmpty());

    const QList<const XmlNode*> inlines = main.all("wp:inline");
    ASSERT_EQ(inlines.size(), 4);
    const struct {
        qint64 cx, cy;
        int edges; // lines drawn in a group, 0 for a plain picture
        const char* bright;
        const char* contrast;
        const char* effect;
        const char* srcRect; // l t r b
    } expected[] = {
        {2099062, 3240405, 2, "20000", "0", "a:grayscl", "10000 5000 0 0"},
        {635000, 762000, 4, "0", "59040", "a:biLevel", ""},
        {381000, 508000, 0, "", "", "", ""},
        {381000, 508000, 0, "", "", "", ""},
    };
    const int items[] = {0, 1, 3, 5};
    QStringList ids;
    for (int i = 0; i < inlines.size(); ++i) {
        const XmlNode& in = *inlines[i];
        const auto& e = expected[i];
        EXPECT_EQ(in.first("wp:extent")->attribute("cx").toLongLong(), e.cx) << i;
        EXPECT_EQ(in.first("wp:extent")->attribute("cy").toLongLong(), e.cy) << i;
        ids << in.first("wp:docPr")->attribute("id");
        const QList<const XmlNode*> lines = in.all("wps:wsp");
        EXPECT_EQ(lines.size(), e.edges) << i;
        EXPECT_EQ(in.first("a:graphicData")->attribute("uri").endsWith("wordprocessingGroup"),
                  e.edges > 0);
        for (const XmlNode* line : lines) {
            EXPECT_EQ(line->first("a:prstGeom")->attribute("prst"), "line");
            EXPECT_EQ(line->first("a:ln")->attribute("w"), "3175"); // a quarter point
        }
        const XmlNode* blip = in.first("a:blip");
        ASSERT_NE(blip, nullptr);
        EXPECT_EQ(blip->attribute("r:link"), relationships.idFor(doc.pictureAt(items[i]).path()));
        const XmlNode* lum = blip->first("a:lum");
        EXPECT_EQ(lum ? lum->attribute("bright") : "", e.bright) << i;
        EXPECT_EQ(lum ? lum->attribute("contrast") : "", e.contrast) << i;
        // Brightness and contrast come before the colour type: Office applies them in order.
        QStringList effects;
        for (const XmlNode& child : blip->children)
            effects << child.name;
        EXPECT_EQ(effects.filter(QRegularExpression("grayscl|biLevel")).join(""), e.effect) << i;
        if (lum && !QString(e.effect).isEmpty()) {
            EXPECT_EQ(effects.first(), "a:lum");
        }
        const XmlNode* src = in.first("a:srcRect");
        const QString rect = src ? QStringList{src->attribute("l"), src->attribute("t"),
                                               src->attribute("r"), src->attribute("b")}
                                       .join(' ')
                                 : QString();
        EXPECT_EQ(rect, e.srcRect) << i;
    }
    EXPECT_EQ(inlines[1]->first("a:biLevel")->attribute("thresh"), "50000");
    EXPECT_EQ(ids.removeDuplicates(), 0);

    // Edges lie on the picture's own sides.
    const QList<const XmlNode*> lines = inlines[0]->all("wps:wsp");
    EXPECT_EQ(lines[0]->first("a:ext")->attribute("cx"), "2099062"); // top: full width
    EXPECT_EQ(lines[0]->first("a:ext")->attribute("cy"), "0");
    EXPECT_EQ(lines[1]->first("a:ext")->attribute("cx"), "0"); // left: full height
    EXPECT_EQ(lines[1]->first("a:ext")->attribute("cy"), "3240405");
    const QList<const XmlNode*> frame = inlines[1]->all("wps:wsp");
    EXPECT_EQ(frame[2]->first("a:off")->attribute("y"), "762000"); // bottom
    EXPECT_EQ(frame[3]->first("a:off")->attribute("x"), "635000"); // right
}

TEST(DocxContent, ParagraphsBreaksPageAndRelationships)
{
    const Document doc = sampleDocument();
    const PictureReferences refs = linkedReferences(doc);
    const docx::Relationships relationships(doc, refs);
    const XmlNode main = parseXml(docx::documentXml(doc, relationships));
    const QList<const XmlNode*> paragraphs = main.all("w:p");
    ASSERT_EQ(paragraphs.size(), 3);
    EXPECT_EQ(paragraphs[0]->all("wp:inline").size(), 3);
    EXPECT_EQ(paragraphs[0]->all("w:br").size(), 1);
    EXPECT_EQ(paragraphs[0]->first("w:pageBreakBefore"), nullptr);
    EXPECT_NE(paragraphs[1]->first("w:pageBreakBefore"), nullptr);
    EXPECT_EQ(paragraphs[2]->first("w:pStyle")->attribute("w:val"), "EmptyLine");
    for (const XmlNode* run : main.all("w:r"))
        if (run->first("w:drawing")) {
            EXPECT_EQ(run->first("w:position")->attribute("w:val"), "-1");
        }

    const XmlNode* margins = main.first("w:pgMar");
    EXPECT_EQ(margins->attribute("w:top"), "397");
    EXPECT_EQ(margins->attribute("w:left"), "397");
    EXPECT_EQ(margins->attribute("w:right"), "340");
    EXPECT_EQ(margins->attribute("w:bottom"), "0");
    EXPECT_EQ(main.first("w:pgSz")->attribute("w:w"), "11906");
    EXPECT_EQ(main.first("w:pgSz")->attribute("w:h"), "16838");

    // Two picture files: two external image relationships after styles and settings.
    const XmlNode rels = parseXml(docx::documentRelationshipsXml(relationships));
    const QList<const XmlNode*> all = rels.all("Relationship");
    ASSERT_EQ(all.size(), 4);
    EXPECT_TRUE(all[0]->attribute("Type").endsWith("/styles"));
    EXPECT_TRUE(all[1]->attribute("Type").endsWith("/settings"));
    for (int i = 2; i < 4; ++i) {
        EXPECT_TRUE(all[i]->attribute("Type").endsWith("/image"));
        EXPECT_EQ(all[i]->attribute("TargetMode"), "External");
    }
    EXPECT_EQ(QUrl(all[3]->attribute("Target")).toLocalFile(), "/pics/b&w <2>.png");

    const XmlNode styles = parseXml(docx::stylesXml());
    const XmlNode* spacing = styles.first("w:pPrDefault")->first("w:spacing");
    EXPECT_EQ(spacing->attribute("w:before"), "0");
    EXPECT_EQ(spacing->attribute("w:after"), "0");
    EXPECT_EQ(spacing->attribute("w:line"), "240");
    EXPECT_EQ(spacing->attribute("w:lineRule"), "auto");
    EXPECT_EQ(styles.first("w:pPrDefault")->first("w:widowControl")->attribute("w:val"), "0");
}

} // namespace
