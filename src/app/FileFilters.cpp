#include "app/FileFilters.h"

namespace pagula::app
{

const std::vector<FileFilter>& pictureFileFilters()
{
    static const std::vector<FileFilter> filters = [] {
        std::vector<FileFilter> kinds{
            {QStringLiteral("Рисунки JPEG"), QStringLiteral("*.jpg;*.jpeg")},
            {QStringLiteral("Рисунки PNG, WebP"), QStringLiteral("*.png;*.webp")},
            {QStringLiteral("Фотографии HEIC, HEIF"), QStringLiteral("*.heic;*.heif")},
            {QStringLiteral("Рисунки BMP, TIFF"), QStringLiteral("*.bmp;*.tif;*.tiff")},
            {QStringLiteral("Рисунки GIF, PCX"), QStringLiteral("*.gif;*.pcx")},
            {QStringLiteral("Документы PDF"), QStringLiteral("*.pdf")},
        };
        QStringList all;
        for (const FileFilter& kind : kinds)
            all.append(kind.masks);
        kinds.insert(kinds.begin(),
                     {QStringLiteral("Все рисунки и PDF"), all.join(QLatin1Char(';'))});
        return kinds;
    }();
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
    return nameFilters(pictureFileFilters().front().masks);
}

} // namespace pagula::app
