#include "app/FileFilters.h"

namespace pagula::app
{

const std::vector<FileFilter>& pictureFileFilters()
{
    static const std::vector<FileFilter> filters{
        {QStringLiteral("Рисунки JPEG"), QStringLiteral("*.jpg;*.jpeg")},
        {QStringLiteral("Рисунки BMP, TIFF"), QStringLiteral("*.bmp;*.tif;*.tiff")},
        {QStringLiteral("Рисунки GIF, PCX"), QStringLiteral("*.gif;*.pcx")},
    };
    return filters;
}

QStringList nameFilters(const QString& masks)
{
    QStringList result;
    for (const QString& part : masks.split(QLatin1Char(';'))) {
        const QString mask = part.trimmed();
        if (!mask.isEmpty())
            result.append(mask);
    }
    return result;
}

QStringList allPictureMasks()
{
    QStringList masks;
    for (const FileFilter& filter : pictureFileFilters())
        masks.append(nameFilters(filter.masks));
    return masks;
}

} // namespace pagula::app
