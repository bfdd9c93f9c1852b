#pragma once

#include "common/PictureAddress.h"
#include "imaging/ImageIO.h"
#include "imaging/Limits.h"

#include <QFile>
#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

class QIODevice;

namespace Poppler
{
class Document;
}

namespace pagula::imaging
{

class PictureFile;

// A PDF document read through poppler, whose pages are pictures. Every message names the
// document (its path, or "the PDF document" when it has none) and the page, counted from 1.
// Only one thread may use an object at a time; separate objects may render in parallel.
class PdfDocument
{
public:
    // Reads the document from `device`, which must stay open while the object lives; poppler
    // reads only the parts it needs. Throws ImageError for an encrypted or damaged document.
    PdfDocument(QIODevice& device, const QString& name);
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    int pageCount() const;
    // Checks the first maxPages pages as pageInfo() does.
    common::DocumentPageList pageList(int maxPages) const;
    // The page as a picture: its size at limits::pageDpi (within the decoding limits), turned
    // as the page is shown, and that resolution, so that its size in points is the page's.
    ImageInfo pageInfo(int page) const;
    // The page rendered on white, Format_RGB32, at least `atLeast` in both directions (at
    // limits::pageDpi when empty) as far as the decoding limits allow. Rendering stops when it
    // takes longer than `timeLimitMs`. Throws ImageError.
    QImage render(int page, QSize atLeast = {},
                  int timeLimitMs = limits::pageRenderMilliseconds) const;

private:
    // The page's size in points, after checking that it exists and is of a sane size.
    QSizeF pageSize(int page) const;

    std::unique_ptr<Poppler::Document> document_;
    QString name_;
};

// A PDF file that is open, read by poppler through the file's descriptor as it needs it.
class PdfFile
{
public:
    // `file` must stay open while the object lives. Throws ImageError.
    explicit PdfFile(const PictureFile& file);
    ~PdfFile();
    const PdfDocument& document() const { return *document_; }

private:
    QFile device_;
    std::unique_ptr<PdfDocument> document_;
};

// The pages of the PDF file at `path`, the first maxPages of them checked: a page that poppler
// cannot give, or of an absurd size, is not readable. Throws ImageError, as opening a picture
// file does, and for a file that is no PDF.
common::DocumentPageList pdfPageList(const QString& path, int maxPages);

} // namespace pagula::imaging
