#include "app/FileFilters.h"
#include <QCoreApplication>

namespace pagula::app
{

std::vector<FileFilter> pictureFileFilters()
{
    std::vector<FileFilter> kinds{
        {QCoreApplication::translate("FileFilters", "Рисунки JPEG"),
         QStringLiteral("*.jpg;*.jpeg")},
        {QCoreApplication::translate("FileFilters", "Рисунки PNG, WebP"),
         QStringLiteral("*.png;*.webp")},
        {QCoreApplication::translate("FileFilters", "Фотографии HEIC, HEIF"),
         QStringLiteral("*.heic;*.heif")},
        {QCoreApplication::translate("FileFilters", "Рисунки BMP, TIFF"),
         QStringLiteral("*.bmp;*.tif;*.tiff")},
        {QCoreApplication::translate("FileFilters", "Рисунки GIF, PCX"),
         QStringLiteral("*.gif;*.pcx")},
        {QCoreApplication::translate("FileFilters", "Документы PDF"), QStringLiteral("*.pdf")},
    };
    QStringList all;
    for (const FileFilter& kind : kinds)
        all.append(kind.masks);
    kinds.insert(kinds.begin(), {QCoreApplication::translate("FileFilters", "Все рисунки и PDF"),
                                 all.join(QLatin1Char(';'))});
    return kinds;
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
