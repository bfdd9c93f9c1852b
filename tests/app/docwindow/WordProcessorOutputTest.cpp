// The document window's ODT and DOCX rows of "Сохранить как..." and "Открыть в LibreOffice".
#include "app/docwindow/DocumentWindow.h"
#include "app/docwindow/OpenInLibreOffice.h"

#include "DocWindowTestSupport.h"

#include "widgets/ErrorReport.h"

#include <QAction>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <zip.h>

using namespace pagula;
using namespace pagula::docwindow;
using namespace pagula::docwindow::test;

namespace
{

// Saves with the filter a test picks.
class FilterWindow : public DocumentWindow
{
public:
    using DocumentWindow::DocumentWindow;

    QString savePath;
    int filter = 0;

protected:
    std::optional<SaveTarget> askSaveTarget(const QString&, const QList<SaveFormat>& formats,
                                            const QString&) override
    {
        return resolveSaveTarget(savePath, formats.value(filter).filter, formats);
    }
    CloseAnswer askSaveBeforeClose() override { return CloseAnswer::Discard; }
};

struct Package {
    QStringList names;
    QByteArray main;
};

Package readPackage(const QString& path)
{
    Package package;
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive)
        return package;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i)
        package.names << QString::fromUtf8(zip_get_name(archive, zip_uint64_t(i), 0));
    const char* main = package.names.contains("content.xml") ? "content.xml" : "word/document.xml";
    zip_stat_t st;
    if (zip_stat(archive, main, 0, &st) == 0) {
        package.main.resize(qsizetype(st.size));
        if (zip_file_t* file = zip_fopen(archive, main, 0)) {
            zip_fread(file, package.main.data(), st.size);
            zip_fclose(file);
        }
    }
    zip_close(archive);
    return package;
}

// Sets PATH for the life of the object.
class PathSetting
{
public:
    explicit PathSetting(const QString& path) : saved_(qgetenv("PATH"))
    {
        qputenv("PATH", QFile::encodeName(path));
    }
    ~PathSetting() { qputenv("PATH", saved_); }

private:
    QByteArray saved_;
};

class WordProcessorOutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        widgets::ErrorReport::setHook([this](const QString& text) { errors.append(text); });
        grid = makeColourGrid(dir.path(), 9);
    }

    void TearDown() override
    {
        for (const QPointer<FilterWindow>& window : windows)
            delete window.data();
        widgets::ErrorReport::setHook({});
    }

    FilterWindow* open()
    {
        auto* window =
            new FilterWindow(gridDocument(grid.paths, 3, {GridCellWidth, GridCellHeight}));
        windows.append(window);
        window->showAndActivate();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }

    QTemporaryDir dir;
    ColourGrid grid;
    QStringList errors;
    QList<QPointer<FilterWindow>> windows;
};

TEST_F(WordProcessorOutputTest, SavesOdtAndDocxWithLinkedOrStoredPictures)
{
    FilterWindow* window = open();
    const struct {
        int filter;
        const char* file;
        const char* picture;
        int stored;
    } cases[] = {
        {1, "linked.odt", "<draw:frame ", 0},
        {2, "stored.odt", "<draw:frame ", 9},
        {3, "linked.docx", "<wp:inline ", 0},
        {4, "stored.docx", "<wp:inline ", 9},
    };
    for (const auto& c : cases) {
        window->filter = c.filter;
        window->savePath = dir.filePath(QString::fromLatin1(c.file).section('.', 0, 0));
        ASSERT_TRUE(window->saveAs()) << errors.join(' ').toStdString();
        const QString saved = dir.filePath(QString::fromLatin1(c.file)); // the suffix added
        EXPECT_EQ(window->savedPath(), saved);
        const Package package = readPackage(saved);
        EXPECT_EQ(package.main.count(c.picture), 9) << c.file;
        EXPECT_EQ(package.names.filter(QRegularExpression("^(Pictures|word/media)/")).size(),
                  c.stored)
            << c.file;
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
}

TEST_F(WordProcessorOutputTest, OpenInLibreOfficeOnlyWhenItIsOnThePath)
{
    QTemporaryDir bin;
    {
        const PathSetting path(bin.path());
        EXPECT_EQ(libreOfficeProgram(), QString());
        FilterWindow* window = open();
        EXPECT_EQ(window->findChild<QAction*>(QStringLiteral("openInLibreOfficeAction")), nullptr);
        EXPECT_FALSE(window->openInLibreOffice());
    }

    // A stand-in LibreOffice that writes down what it was started with.
    const QString record = dir.filePath(QStringLiteral("started.txt"));
    const QString fake = bin.filePath(QStringLiteral("soffice"));
    {
        QFile script(fake);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + QFile::encodeName(record) +
                     ".part\"\nmv \"" + QFile::encodeName(record) + ".part\" \"" +
                     QFile::encodeName(record) + "\"\n");
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    const PathSetting path(bin.path() + QStringLiteral(":/usr/bin:/bin"));
    EXPECT_EQ(libreOfficeProgram(), fake);
    FilterWindow* window = open();
    QAction* action = window->findChild<QAction*>(QStringLiteral("openInLibreOfficeAction"));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("Открыть в LibreOffice"));
    action->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, 20000));
    QFile started(record);
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    const QString odt = QString::fromLocal8Bit(started.readAll()).trimmed();
    EXPECT_TRUE(odt.endsWith(QStringLiteral(".odt"))) << odt.toStdString();
    EXPECT_TRUE(odt.startsWith(QDir::tempPath())) << odt.toStdString();

    // The copy LibreOffice opens links to the pictures, and is not counted as a save.
    const Package package = readPackage(odt);
    EXPECT_EQ(package.main.count("<draw:frame "), 9);
    EXPECT_TRUE(package.main.contains(QUrl::fromLocalFile(grid.paths[0]).toEncoded()));
    EXPECT_FALSE(window->isSaved());
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
    QFile::remove(odt);
}

} // namespace
