#include "app/docwindow/SaveFormats.h"

#include "document/PdfExport.h"
#include "document/PngExport.h"

#include <QFileInfo>

namespace pagula::docwindow
{

QList<SaveFormat> documentSaveFormats()
{
    return {
        {QStringLiteral("Документ PDF (*.pdf)"), QStringLiteral("pdf"),
         [](const document::Document& doc, const QString& path,
            const document::ProgressCallback& progress) {
             return document::savePdf(doc, path, {}, progress);
         }},
    };
}

QList<SaveFormat> pageImageFormats()
{
    return {
        {QStringLiteral("Рисунки PNG (*.png)"), QStringLiteral("png"),
         [](const document::Document& doc, const QString& path,
            const document::ProgressCallback& progress) {
             return document::savePngPages(doc, path, {}, progress);
         }},
    };
}

QStringList saveFilters(const QList<SaveFormat>& formats)
{
    QStringList filters;
    for (const SaveFormat& format : formats)
        filters.append(format.filter);
    return filters;
}

std::optional<SaveTarget> resolveSaveTarget(const QString& chosenPath,
                                            const QString& selectedFilter,
                                            const QList<SaveFormat>& formats)
{
    if (formats.isEmpty() || chosenPath.isEmpty())
        return std::nullopt;
    const QString suffix = QFileInfo(chosenPath).suffix();
    for (const SaveFormat& format : formats) {
        if (suffix.compare(format.suffix, Qt::CaseInsensitive) == 0)
            return SaveTarget{chosenPath, format};
    }
    SaveFormat chosen = formats.first();
    for (const SaveFormat& format : formats) {
        if (format.filter == selectedFilter)
            chosen = format;
    }
    QString path = chosenPath;
    if (!path.endsWith(QLatin1Char('.')))
        path += QLatin1Char('.');
    return SaveTarget{path + chosen.suffix, chosen};
}

} // namespace pagula::docwindow
