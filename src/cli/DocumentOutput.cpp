#include "cli/DocumentOutput.h"

#include "common/Error.h"
#include "document/PdfExport.h"

#include <QFileInfo>

namespace pagula::cli {

namespace {
bool isPdf(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
}
} // namespace

void checkOutputFormat(const QString& path)
{
    if (!isPdf(path))
        throw Error(QStringLiteral("Cannot write %1: the output's extension must be .pdf").arg(path));
}

document::ExportResult saveDocument(const document::Document& document, const QString& path,
                                    double pictureDpi, const document::ProgressCallback& progress)
{
    checkOutputFormat(path);
    document::PdfOptions options;
    options.pictureDpi = pictureDpi;
    return document::savePdf(document, path, options, progress);
}

} // namespace pagula::cli
