#include "app/docwindow/SaveFormats.h"

#include "document/DocxExport.h"
#include "document/OdtExport.h"
#include "document/PdfExport.h"
#include "document/PngExport.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace pagula::docwindow
{

namespace
{

// An ODT or DOCX row; their progress counts picture files and the writing of the package.
template <typename Options, typename Save>
SaveFormat packageFormat(const QString& filter, const QString& suffix, bool embed, Save save)
{
    SaveFormat format{filter, suffix,
                      [embed, save](const document::Document& doc, const QString& path,
                                    const QString& /*title*/,
                                    const document::ProgressCallback& progress) {
                          Options options;
                          options.embedPictures = embed;
                          return save(doc, path, options, progress);
                      }};
    format.progressUnit = QCoreApplication::translate("SaveFormats", "шаг");
    return format;
}

} // namespace

QList<SaveFormat> documentSaveFormats()
{
    const QString odt = QStringLiteral("odt");
    const QString docx = QStringLiteral("docx");
    return {
        {QCoreApplication::translate("SaveFormats", "Документ PDF (*.pdf)"), QStringLiteral("pdf"),
         [](const document::Document& doc, const QString& path, const QString& title,
            const document::ProgressCallback& progress) {
             document::PdfOptions options;
             options.title = title;
             return document::savePdf(doc, path, options, progress);
         }},
        packageFormat<document::OdtOptions>(
            QCoreApplication::translate("SaveFormats", "Документ ODF (*.odt)"), odt, false,
            document::saveOdt),
        packageFormat<document::OdtOptions>(
            QCoreApplication::translate("SaveFormats",
                                        "Документ ODF со встроенными рисунками (*.odt)"),
            odt, true, document::saveOdt),
        packageFormat<document::DocxOptions>(
            QCoreApplication::translate("SaveFormats", "Документ Word (*.docx)"), docx, false,
            document::saveDocx),
        packageFormat<document::DocxOptions>(
            QCoreApplication::translate("SaveFormats",
                                        "Документ Word со встроенными рисунками (*.docx)"),
            docx, true, document::saveDocx),
    };
}

QList<SaveFormat> pageImageFormats()
{
    return {
        {QCoreApplication::translate("SaveFormats", "Рисунки PNG (*.png)"), QStringLiteral("png"),
         [](const document::Document& doc, const QString& path, const QString& /*title*/,
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
    const auto named = [&](const SaveFormat& format) {
        return suffix.compare(format.suffix, Qt::CaseInsensitive) == 0;
    };
    for (const SaveFormat& format : formats) {
        if (format.filter == selectedFilter && named(format))
            return SaveTarget{chosenPath, format};
    }
    for (const SaveFormat& format : formats) {
        if (named(format))
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
