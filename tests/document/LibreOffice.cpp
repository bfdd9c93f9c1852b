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

// One LibreOffice profile per test process, so that test processes never share one.
const QTemporaryDir& profile()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/pagula-soffice-XXXXXX"));
    return dir;
}

} // namespace

QString convertToPdf(const QString& file, const QString& outputFolder)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        ADD_FAILURE() << "soffice is not on PATH: these tests need LibreOffice Writer "
                         "(Debian package libreoffice-writer-nogui, installed by "
                         "scripts/deps.sh test)";
        return {};
    }
    const QString pdf =
        QDir(outputFolder).filePath(QFileInfo(file).completeBaseName() + QStringLiteral(".pdf"));
    QFile::remove(pdf);

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList arguments{QStringLiteral("-env:UserInstallation=") +
                                    QUrl::fromLocalFile(profile().path()).toString(),
                                QStringLiteral("--headless"),
                                QStringLiteral("--norestore"),
                                QStringLiteral("--convert-to"),
                                QStringLiteral("pdf"),
                                QStringLiteral("--outdir"),
                                outputFolder,
                                file};
    QElapsedTimer timer;
    timer.start();
    process.start(soffice, arguments);
    const bool finished = process.waitForFinished(ConversionTimeoutMs);
    const double seconds = timer.elapsed() / 1000.0;
    std::cout << "[ soffice  ] " << QFileInfo(file).fileName().toStdString() << " to PDF in "
              << seconds << " s" << std::endl;
    ::testing::Test::RecordProperty(
        ("soffice_seconds_" + QFileInfo(file).fileName().toStdString()).c_str(),
        QString::number(seconds, 'f', 2).toStdString());
    if (!finished) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "soffice did not finish converting " << file.toStdString() << " within "
                      << ConversionTimeoutMs / 1000 << " s";
        return {};
    }
    const QString output = QString::fromLocal8Bit(process.readAll());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
        !QFileInfo::exists(pdf)) {
        ADD_FAILURE() << "soffice could not convert " << file.toStdString() << ": "
                      << output.toStdString();
        return {};
    }
    return pdf;
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
