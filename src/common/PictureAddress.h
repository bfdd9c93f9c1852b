#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace pagula::common
{

// Where a picture comes from: a picture file, or one page of a document file (a PDF). The job
// list, the composition and the document layer carry it as one text, the same that the job list
// file holds before the crop digit:
//   /scans/a.jpg                 the picture file /scans/a.jpg
//   <page 12>/lectures/notes.pdf page 12 of /lectures/notes.pdf
// A text is a page only when it starts with "<page ", a page number from 1 without leading
// zeros, ">" and a file name; anything else is a file name, whatever it holds, so every text
// that named a file before still names it. (A relative file name that itself starts like a page
// is written "./<page 3>x.jpg".)
struct PictureAddress {
    QString file;
    int page = 0; // from 1; 0 for the whole file

    bool isPage() const { return page > 0; }
    QString text() const;
    static PictureAddress fromText(const QString& text);
};

// Highest page number a text may name; a longer number is a file name.
inline constexpr int MaxPageNumber = 999999;

// The address text of page `page` of `file` (of the file itself for page 0).
QString pageAddress(const QString& file, int page);

// What a document file offers as pictures: its page count, and which of its first pages can be
// read, each page that cannot with its message.
struct DocumentPageList {
    int total = 0;
    QList<int> readable;
    QStringList problems;
};

// The file a picture address reads.
inline QString addressedFile(const QString& text)
{
    return PictureAddress::fromText(text).file;
}

} // namespace pagula::common
