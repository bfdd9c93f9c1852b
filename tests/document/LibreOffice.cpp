#include "LibreOffice.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <iostream>

namespace pagula::document::test
{

namespace
{

constexpr int ConversionTimeoutMs = 240000;
constexpr int ConversionTimeoutPerFileMs = 20000;

// One LibreOffice profile per test process, so that test processes never share one.
const QTemporaryDir& profile()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/pagula-soffice-XXXXXX"));
    return dir;
}

} // namespace

QString convertToPdf(const QString& file, const QString& outputFolder)
{
    return convertAllToPdf({file}, outputFolder).value(0);
}

QStringList convertAllToPdf(const QStringList& files, const QString& outputFolder)
{
    QStringList pdfs;
    for (const QString& file : files) {
        const QString pdf =
            QDir(outputFolder)
                .filePath(QFileInfo(file).completeBaseName() + QStringLiteral(".pdf"));
        if (pdfs.contains(pdf)) {
            // soffice would write both to one PDF, and the last would be checked twice.
            ADD_FAILURE() << "two files to convert share the base name of " << file.toStdString();
            return QStringList(files.size(), QString());
        }
        pdfs.append(pdf);
        QFile::remove(pdf);
    }
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        ADD_FAILURE() << "soffice is not on PATH: these tests need LibreOffice Writer "
                         "(Debian package libreoffice-writer-nogui, installed by "
                         "scripts/deps.sh test)";
        return QStringList(files.size(), QString());
    }

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList arguments = QStringList{QStringLiteral("-env:UserInstallation=") +
                                                  QUrl::fromLocalFile(profile().path()).toString(),
                                              QStringLiteral("--headless"),
                                              QStringLiteral("--norestore"),
                                              QStringLiteral("--convert-to"),
                                              QStringLiteral("pdf"),
                                              QStringLiteral("--outdir"),
                                              outputFolder} +
                                  files;
    const int timeoutMs = ConversionTimeoutMs + ConversionTimeoutPerFileMs * files.size();
    QElapsedTimer timer;
    timer.start();
    process.start(soffice, arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    const double seconds = timer.elapsed() / 1000.0;
    const std::string what = files.size() == 1 ? QFileInfo(files.first()).fileName().toStdString()
                                               : std::to_string(files.size()) + " files";
    std::cout << "[ soffice  ] " << what << " to PDF in " << seconds << " s" << std::endl;
    ::testing::Test::RecordProperty(("soffice_seconds_" + what).c_str(),
                                    QString::number(seconds, 'f', 2).toStdString());
    if (!finished) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "soffice did not finish converting " << what << " within "
                      << timeoutMs / 1000 << " s";
        return QStringList(files.size(), QString());
    }
    const QString output = QString::fromLocal8Bit(process.readAll());
    const bool failed = process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0;
    for (int i = 0; i < files.size(); ++i) {
        if (!failed && QFileInfo::exists(pdfs[i]))
            continue;
        ADD_FAILURE() << "soffice could not convert " << files[i].toStdString() << ": "
                      << output.toStdString();
        pdfs[i].clear();
    }
    return pdfs;
}

QImage renderPdfPage(const QString& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                   QString::number(page), QStringLiteral("-l"), QString::number(page),
                   QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, prefix});
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftoppm failed on " << pdf.toStdString() << ": "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    QImage image(prefix + QStringLiteral(".png"));
    if (image.isNull())
        ADD_FAILURE() << "pdftoppm wrote no page for " << pdf.toStdString();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace pagula::document::test
