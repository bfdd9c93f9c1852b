// The layers of src/ as the libraries declare them: a folder's files include only the folders
// its library may use. The compiler alone does not see this, since every library shares src/ as
// its include root.
#include "support/TestSupport.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace
{

// The folders below src/ that each folder may include, itself aside. A ui/ subfolder may also
// include its own folder and the shared widgets.
const QMap<QString, QSet<QString>>& allowedLayers()
{
    static const QMap<QString, QSet<QString>> layers{
        {"common", {}},
        {"imaging", {"common"}},
        {"document", {"common", "imaging"}},
        {"joblist", {"common"}},
        {"layout", {"common"}},
        {"compose", {"common", "imaging", "document", "joblist", "layout"}},
        {"preview", {"common", "imaging", "joblist"}},
        {"widgets", {"common"}},
        {"cli", {"common", "imaging", "document", "joblist", "layout", "compose"}},
        {"app",
         {"common", "imaging", "document", "joblist", "layout", "compose", "preview", "widgets"}},
    };
    return layers;
}

struct Include {
    QString file; // relative to src/
    int line;
    QString folder; // the src/ folder it names
};

QList<Include> includesOfSources(const QString& src)
{
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s+"([a-z_]+)/)"));
    QList<Include> found;
    QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        int number = 0;
        while (!file.atEnd()) {
            ++number;
            const QRegularExpressionMatch m = include.match(QString::fromUtf8(file.readLine()));
            if (m.hasMatch())
                found.append({path.mid(src.size() + 1), number, m.captured(1)});
        }
    }
    return found;
}

// The libraries declared by pagula_library() in src/ and the libraries each links.
QMap<QString, QStringList> declaredLibraries(const QString& src)
{
    static const QRegularExpression library(QStringLiteral(R"(pagula_library\(\s*(\w+)([^)]*)\))"));
    QMap<QString, QStringList> libraries;
    QDirIterator it(src, {QStringLiteral("CMakeLists.txt")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (auto m = library.globalMatch(text); m.hasNext();) {
            const QRegularExpressionMatch found = m.next();
            const QString body = found.captured(2);
            const qsizetype libs = body.indexOf(QStringLiteral("LIBS"));
            libraries[found.captured(1)] =
                libs < 0
                    ? QStringList()
                    : body.mid(libs + 4).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
    }
    return libraries;
}

// Everything a library links, directly or through the libraries it links.
QSet<QString> linkedFrom(const QMap<QString, QStringList>& libraries, const QString& start)
{
    QSet<QString> seen;
    QStringList next{start};
    while (!next.isEmpty()) {
        const QString lib = next.takeLast();
        for (const QString& linked : libraries.value(lib)) {
            if (!seen.contains(linked)) {
                seen.insert(linked);
                next.append(linked);
            }
        }
    }
    return seen;
}

} // namespace

TEST(Layering, TheCoreRunsWithoutWidgetsOrAnEventLoop)
{
    const QString src = pagula::test::sourceDir() + QStringLiteral("/src");
    const QMap<QString, QStringList> libraries = declaredLibraries(src);
    const QStringList core{"pagula_common",  "pagula_imaging", "pagula_document",
                           "pagula_joblist", "pagula_layout",  "pagula_compose"};
    for (const QString& lib : core) {
        ASSERT_TRUE(libraries.contains(lib)) << lib.toStdString();
        const QSet<QString> linked = linkedFrom(libraries, lib);
        EXPECT_FALSE(linked.contains(QStringLiteral("Qt6::Widgets"))) << lib.toStdString();
        for (const QString& other : linked)
            EXPECT_FALSE(other.endsWith(QStringLiteral("_ui")))
                << lib.toStdString() << " links " << other.toStdString();
    }

    // Nor do their sources ask for widgets, message boxes or a turn of the event loop.
    static const QRegularExpression forbidden(QStringLiteral(
        R"(#\s*include\s*<Q(tWidgets|Widget|Application|MessageBox|Dialog|ProgressBar)\b|processEvents|QEventLoop|\bexec\(\))"));
    for (const char* folder : {"common", "imaging", "document", "joblist", "layout", "compose"}) {
        QDirIterator it(src + QLatin1Char('/') + folder,
                        {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.contains(QStringLiteral("/ui/")))
                continue;
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            const QRegularExpressionMatch m = forbidden.match(QString::fromUtf8(file.readAll()));
            EXPECT_FALSE(m.hasMatch()) << path.mid(src.size() + 1).toStdString() << " uses "
                                       << m.captured(0).toStdString();
        }
    }
}

TEST(Layering, EveryIncludeStaysWithinItsLayer)
{
    const QString src = pagula::test::sourceDir() + QStringLiteral("/src");
    const QList<Include> includes = includesOfSources(src);
    ASSERT_GT(includes.size(), 100) << "no sources under " << src.toStdString();
    for (const Include& inc : includes) {
        const QStringList parts = inc.file.split(QLatin1Char('/'));
        const QString folder = parts.first();
        ASSERT_TRUE(allowedLayers().contains(folder))
            << "a folder with no layer: " << folder.toStdString();
        const bool ui = parts.size() > 2 && parts[1] == QLatin1String("ui");
        QSet<QString> allowed = allowedLayers()[folder];
        allowed.insert(folder);
        if (ui)
            allowed.insert(QStringLiteral("widgets"));
        EXPECT_TRUE(allowed.contains(inc.folder))
            << inc.file.toStdString() << ":" << inc.line << " includes " << inc.folder.toStdString()
            << "/, outside its layer";
    }
}
