#pragma once

#include "document/Document.h"
#include "document/PackagePictures.h"

#include <QByteArray>
#include <QList>

namespace pagula::document::odt
{

inline constexpr char MimeType[] = "application/vnd.oasis.opendocument.text";

// The XML parts of an OpenDocument text. Every picture of the document must have a reference.
//
// Lines keep our grid: paragraphs have no spacing above or below and single line spacing;
// pictures stand on the baseline as characters, so a line is as high as its tallest picture;
// paragraphs without a picture are a fixed 12 pt, our empty line. Widow and orphan control is
// off, as in our layout, which never moves a line to the next page to keep a paragraph together.
QByteArray contentXml(const Document& document, const PictureReferences& pictures);
QByteArray stylesXml(const Document& document);
QByteArray metaXml();
// Lists every part and every stored picture.
QByteArray manifestXml(const QList<PictureReference>& stored);

} // namespace pagula::document::odt
