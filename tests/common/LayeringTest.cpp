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

} // namespace

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
