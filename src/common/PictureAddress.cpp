#include "common/PictureAddress.h"

namespace pagula::common
{

namespace
{
constexpr QLatin1String PageOpen("<page ");
} // namespace

QString PictureAddress::text() const
{
    return pageAddress(file, page);
}

PictureAddress PictureAddress::fromText(const QString& text)
{
    if (!text.startsWith(PageOpen))
        return {text, 0};
    const qsizetype first = PageOpen.size();
    qsizetype end = first;
    qint64 page = 0;
    while (end < text.size() && end - first < 7 && text[end] >= u'0' && text[end] <= u'9') {
        page = page * 10 + (text[end].unicode() - u'0');
        ++end;
    }
    const bool wellFormed = end > first && text[first] != u'0' && page <= MaxPageNumber &&
                            end + 1 < text.size() && text[end] == u'>';
    if (!wellFormed)
        return {text, 0};
    return {text.mid(end + 1), int(page)};
}

QString pageAddress(const QString& file, int page)
{
    if (page <= 0)
        return file;
    return PageOpen + QString::number(page) + QLatin1Char('>') + file;
}

} // namespace pagula::common
