#pragma once

#include "document/Document.h"
#include "document/PackagePictures.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace pagula::document::docx
{

// The relationships of the main document part: its styles and settings, then one for each
// picture file, linked (an external file URI) or stored (in word/media).
class Relationships
{
public:
    struct Entry {
        QString id;
        QString type;
        QString target;
        bool external = false;
    };

    Relationships(const Document& document, const PictureReferences& pictures);

    // The id for a picture file of the document; throws pagula::common::Error for an unknown path.
    QString idFor(const QString& path) const;
    bool isStored(const QString& path) const;
    const QList<Entry>& entries() const { return entries_; }

private:
    QList<Entry> entries_;
    std::map<QString, std::pair<QString, bool>> byPath_; // id, stored
};

// The parts of an Office Open XML document (Word's format). Every picture must have a reference.
//
// Lines keep our grid: paragraphs have no spacing above or below and single line spacing,
// pictures are inline on the baseline, so a line is as high as its tallest picture; paragraphs
// without a picture are exactly 12 pt, our empty line. The smallest type (1 pt) and pictures
// lowered by half a point keep the type's descent from adding to a line in Word. Widow and orphan
// control is off, as in our layout. A picture with border edges is a group of the picture and a
// line for each edge, since a picture's own outline cannot leave out single edges.
QByteArray contentTypesXml(const QList<PictureReference>& stored);
QByteArray packageRelationshipsXml();
QByteArray documentRelationshipsXml(const Relationships& relationships);
QByteArray documentXml(const Document& document, const Relationships& relationships);
QByteArray stylesXml();
QByteArray settingsXml();

} // namespace pagula::document::docx
