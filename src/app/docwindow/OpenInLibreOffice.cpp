#include "app/docwindow/OpenInLibreOffice.h"

#include "common/Error.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace pagula::docwindow
{

QString libreOfficeProgram()
{
    for (const char* name : {"soffice", "libreoffice"}) {
        const QString program = QStandardPaths::findExecutable(QLatin1String(name));
        if (!program.isEmpty())
            return program;
    }
    return {};
}

QString newTemporaryOdt()
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/Pagula-XXXXXX.odt"));
    file.setAutoRemove(false);
    if (!file.open())
        throw common::Error(QStringLiteral("Cannot create file %1").arg(file.fileTemplate()));
    return file.fileName();
}

bool startLibreOffice(const QString& program, const QString& file)
{
    // The file is an absolute path, so LibreOffice cannot take it for one of its options.
    return QProcess::startDetached(program, {file});
}

} // namespace pagula::docwindow
