#include "imaging/PdfDocument.h"

#include "imaging/PictureFile.h"

#include <QDeadlineTimer>
#include <QVariant>
#include <poppler-qt6.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace pagula::imaging
{

namespace
{

// Poppler reports every syntax problem of a document on the terminal; the outcome (a page or
// an error) is what counts here.
void silencePoppler()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
    });
}

struct RenderWatch {
    QDeadlineTimer deadline;
    bool expired = false;
};

bool renderTooLong(const QVariant& payload)
{
    auto* watch = static_cast<RenderWatch*>(payload.value<void*>());
    if (watch->deadline.hasExpired())
        watch->expired = true;
    return watch->expired;
}

// Pixels per point for a page of `points` that must be at least `atLeast` pixels, or at
// limits::pageDpi when no size is asked for; lowered until the picture fits the limits.
double renderScale(QSizeF points, QSize atLeast)
{
    double scale = limits::pageDpi / 72.0;
    // Poppler rounds the page's pixel size; half a pixel more keeps it at least atLeast.
    if (!atLeast.isEmpty())
        scale = std::max((atLeast.width() + 0.5) / points.width(),
                         (atLeast.height() + 0.5) / points.height());
    const double longest = std::max(points.width(), points.height());
    const double byBytes =
        std::sqrt(double(limits::maxDecodedBytes) / 4.0 / (points.width() * points.height()));
    return std::min({scale, (limits::maxSide - 1) / longest, byBytes * 0.999});
}

// The size poppler renders a page at.
QSize pixelsAt(QSizeF points, double scale)
{
    return QSize(std::max(1, int(std::lround(points.width() * scale))),
                 std::max(1, int(std::lround(points.height() * scale))));
}

} // namespace

PdfDocument::PdfDocument(QIODevice& device, const QString& name)
    : name_(name.isEmpty() ? QStringLiteral("the PDF document") : name)
{
    silencePoppler();
    document_ = Poppler::Document::load(&device);
    if (!document_)
        throw ImageError(QStringLiteral("Damaged PDF file %1").arg(name_));
    // A locked document must not be asked anything more: poppler is not ready for it.
    if (document_->isLocked()) {
        document_.reset();
        throw ImageError(
            QStringLiteral("PDF file %1 is encrypted and cannot be opened without its password")
                .arg(name_));
    }
    document_->setRenderHint(Poppler::Document::Antialiasing);
    document_->setRenderHint(Poppler::Document::TextAntialiasing);
}

PdfDocument::~PdfDocument() = default;

int PdfDocument::pageCount() const
{
    return std::max(0, document_->numPages());
}

common::DocumentPageList PdfDocument::pageList(int maxPages) const
{
    common::DocumentPageList list;
    list.total = pageCount();
    for (int page = 1; page <= std::min(list.total, maxPages); ++page) {
        try {
            pageSize(page);
            list.readable.append(page);
        } catch (const ImageError& e) {
            list.problems.append(e.message());
        }
    }
    return list;
}

QSizeF PdfDocument::pageSize(int page) const
{
    const int count = pageCount();
    if (page < 1 || page > count)
        throw ImageError(QStringLiteral("Page %1 of %2 does not exist (it has %3 pages)")
                             .arg(page)
                             .arg(name_)
                             .arg(count));
    const std::unique_ptr<Poppler::Page> p = document_->page(page - 1);
    if (!p)
        throw ImageError(QStringLiteral("Page %1 of %2 is damaged").arg(page).arg(name_));
    const QSizeF points = p->pageSizeF();
    const auto sane = [](double side) {
        return std::isfinite(side) && side >= limits::minPagePoints &&
               side <= limits::maxPagePoints;
    };
    if (!sane(points.width()) || !sane(points.height()))
        throw ImageError(QStringLiteral("Page %1 of %2 has an absurd size (%3 x %4 points)")
                             .arg(page)
                             .arg(name_)
                             .arg(points.width())
                             .arg(points.height()));
    return points;
}

ImageInfo PdfDocument::pageInfo(int page) const
{
    const QSizeF points = pageSize(page);
    const double scale = renderScale(points, {});
    ImageInfo info;
    info.format = ImageFormat::Pdf;
    info.pixelSize = pixelsAt(points, scale);
    info.dpiX = info.dpiY = scale * 72.0;
    return info;
}

QImage PdfDocument::render(int page, QSize atLeast, int timeLimitMs) const
{
    const QSizeF points = pageSize(page);
    const std::unique_ptr<Poppler::Page> p = document_->page(page - 1);
    const double dpi = renderScale(points, atLeast) * 72.0;
    RenderWatch watch{QDeadlineTimer(timeLimitMs)};
    QImage image =
        p->renderToImage(dpi, dpi, -1, -1, -1, -1, Poppler::Page::Rotate0, nullptr, nullptr,
                         renderTooLong, QVariant::fromValue(static_cast<void*>(&watch)));
    if (watch.expired)
        throw ImageError(QStringLiteral("Page %1 of %2 takes too long to render (over %3 s)")
                             .arg(page)
                             .arg(name_)
                             .arg(timeLimitMs / 1000.0));
    if (image.isNull())
        throw ImageError(QStringLiteral("Page %1 of %2 cannot be rendered").arg(page).arg(name_));
    image = image.convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        throw ImageError(
            QStringLiteral("Not enough memory to render page %1 of %2").arg(page).arg(name_));
    return image;
}

PdfFile::PdfFile(const PictureFile& file)
{
    if (!device_.open(file.descriptor(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        throw ImageError(
            QStringLiteral("Cannot open file %1: %2").arg(file.path(), device_.errorString()));
    document_ = std::make_unique<PdfDocument>(device_, file.path());
}

PdfFile::~PdfFile() = default;

common::DocumentPageList pdfPageList(const QString& path, int maxPages)
{
    const PictureFile file(path);
    if (detectFormat(file.read(0, 8)) != ImageFormat::Pdf)
        throw ImageError(QStringLiteral("File %1 is not a PDF document").arg(path));
    return PdfFile(file).document().pageList(maxPages);
}

} // namespace pagula::imaging
