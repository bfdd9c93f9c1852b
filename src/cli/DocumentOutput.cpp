#include "cli/DocumentOutput.h"

#include "cli/TerminalText.h"
#include "common/Error.h"
#include "document/DocxExport.h"
#include "document/FlowLayout.h"
#include "document/OdtExport.h"
#include "document/PdfExport.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace pagula::cli
{

OutputFormat outputFormat(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return OutputFormat::Pdf;
    if (suffix == QLatin1String("odt"))
        return OutputFormat::Odt;
    if (suffix == QLatin1String("docx"))
        return OutputFormat::Docx;
    throw common::Error(
        QCoreApplication::translate(
            "DocumentOutput",
            "Невозможно записать %1: расширение результата должно быть .pdf, .odt или .docx")
            .arg(shownName(path)));
}

void checkOutputFormat(const QString& path)
{
    outputFormat(path);
}

QString progressUnit(const QString& path)
{
    return outputFormat(path) == OutputFormat::Pdf
               ? QCoreApplication::translate("DocumentOutput", "страница")
               : QCoreApplication::translate("DocumentOutput", "шаг");
}

// A resolution given on the command line holds for every page; else small cells get the
// printer's.
document::PdfOptions pdfOptions(double pictureDpi)
{
    document::PdfOptions options;
    if (pictureDpi > 0.0) {
        options.pictureDpi = pictureDpi;
        options.smallPictureDpi = 0.0;
    }
    return options;
}

document::ExportResult saveDocument(const document::Document& document, const QString& path,
                                    double pictureDpi, bool embedPictures,
                                    const document::ProgressCallback& progress)
{
    document::ExportResult result;
    switch (outputFormat(path)) {
    case OutputFormat::Pdf: {
        const document::PdfOptions options = pdfOptions(pictureDpi);
        return document::savePdf(document, path, options, progress);
    }
    case OutputFormat::Odt: {
        document::OdtOptions options;
        options.embedPictures = embedPictures;
        result = document::saveOdt(document, path, options, progress);
        break;
    }
    case OutputFormat::Docx: {
        document::DocxOptions options;
        options.embedPictures = embedPictures;
        result = document::saveDocx(document, path, options, progress);
        break;
    }
    }
    if (!result.cancelled)
        result.pagesWritten = static_cast<int>(document::layoutDocument(document).pages.size());
    return result;
}

document::ExportResult saveBothSides(const document::Document& front,
                                     const document::Document& back, const QString& path,
                                     double pictureDpi, const document::ProgressCallback& progress)
{
    const document::PdfOptions options = pdfOptions(pictureDpi);
    return document::saveInterleavedPdf(front, back, path, options, progress);
}

} // namespace pagula::cli
