#include "app/AppLifetime.h"
#include "app/BackOffsetSetting.h"
#include "app/FileFilters.h"
#include "app/ProgressDisplay.h"
#include "app/StartArguments.h"
#include "app/Volumes.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pagula::app;

TEST(ProgressDisplay, ClampsPastTheEndAndShowsAnEmptyRangeEmpty)
{
    const struct {
        int minimum, maximum, position;
        ProgressDisplay shown;
    } cases[] = {
        {0, 120, 0, {0, 120, 0}},
        {0, 12, 7, {0, 12, 7}},
        {0, 12, 12, {0, 12, 12}},
        // The run sets the number of the next picture: one past the last at the end.
        {0, 12, 13, {0, 12, 12}},
        {0, 12, 1000, {0, 12, 12}},
        {0, 12, -3, {0, 12, 0}},
        // No entries: the range is empty; a toolkit bar would animate as "busy".
        {0, 0, 0, {0, 1, 0}},
        {0, 0, 1, {0, 1, 0}},
        {5, 3, 4, {0, 1, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(progressDisplay(c.minimum, c.maximum, c.position), c.shown)
            << c.minimum << ".." << c.maximum << " at " << c.position;
}

TEST(Volumes, TheVolumeOfAFolderIsTheDeepestRootHoldingIt)
{
    const std::vector<Volume> volumes{
        {QStringLiteral("/"), QString()},
        {QStringLiteral("/home"), QStringLiteral("home")},
        {QStringLiteral("/media/usb stick"), QStringLiteral("STICK")},
    };
    const struct {
        const char* folder;
        int volume;
    } cases[] = {
        {"/", 0},
        {"/tmp/scans", 0},
        {"/home", 1},
        {"/home/ann/scans", 1},
        {"/home/ann/../bob", 1},
        // A name that merely starts like a root is not on that volume.
        {"/homework", 0},
        {"/media/usb stick/Сканы", 2},
        {"/media/usb", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(volumeIndexFor(volumes, QString::fromUtf8(c.folder)), c.volume) << c.folder;

    EXPECT_EQ(volumeIndexFor({}, QStringLiteral("/tmp")), -1);
    EXPECT_EQ(volumeIndexFor({{QStringLiteral("/data"), QString()}}, QStringLiteral("/tmp")), -1);
}

TEST(Volumes, TextShowsALabelThatSaysMoreThanThePath)
{
    EXPECT_EQ(volumeText({QStringLiteral("/"), QString()}), QStringLiteral("/"));
    EXPECT_EQ(volumeText({QStringLiteral("/home"), QStringLiteral("/home")}),
              QStringLiteral("/home"));
    EXPECT_EQ(volumeText({QStringLiteral("/media/x"), QStringLiteral("Фото")}),
              QStringLiteral("/media/x [Фото]"));
}

TEST(Volumes, MountedVolumesHoldTheRootOnceAndInOrder)
{
    const std::vector<Volume> volumes = mountedVolumes();
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front().rootPath, QStringLiteral("/"));
    for (size_t i = 1; i < volumes.size(); ++i)
        EXPECT_LT(volumes[i - 1].rootPath, volumes[i].rootPath);
}

TEST(FileFilters, EverySupportedKindFirstThenEachKind)
{
    const struct {
        const char* name;
        QStringList masks;
    } expected[] = {
        {"Все рисунки и PDF",
         {"*.jpg", "*.jpeg", "*.png", "*.webp", "*.heic", "*.heif", "*.bmp", "*.tif", "*.tiff",
          "*.gif", "*.pcx", "*.pdf"}},
        {"Рисунки JPEG", {"*.jpg", "*.jpeg"}},
        {"Рисунки PNG, WebP", {"*.png", "*.webp"}},
        {"Фотографии HEIC, HEIF", {"*.heic", "*.heif"}},
        {"Рисунки BMP, TIFF", {"*.bmp", "*.tif", "*.tiff"}},
        {"Рисунки GIF, PCX", {"*.gif", "*.pcx"}},
        {"Документы PDF", {"*.pdf"}},
    };
    const auto filters = pictureFileFilters();
    ASSERT_EQ(filters.size(), std::size(expected));
    for (size_t i = 0; i < filters.size(); ++i) {
        EXPECT_EQ(filters[i].name, QString::fromUtf8(expected[i].name));
        EXPECT_EQ(nameFilters(filters[i].masks), expected[i].masks);
    }
    EXPECT_EQ(allPictureMasks(), expected[0].masks);
    EXPECT_EQ(nameFilters(QStringLiteral(" *.a ;; *.b;")), (QStringList{"*.a", "*.b"}));
}

namespace
{
// Replays a sequence of lifetime events; returns the step after which the process ended
// (-1: it did not end) and fails when it is asked to end twice.
int quitStep(const std::vector<void (AppLifetime::*)()>& events)
{
    int quits = 0;
    int step = -1;
    int current = 0;
    AppLifetime lifetime([&] {
        ++quits;
        step = current;
    });
    for (auto event : events) {
        (lifetime.*event)();
        ++current;
    }
    EXPECT_LE(quits, 1);
    return step;
}
} // namespace

TEST(AppLifetime, EndsWithTheMainWindowAndTheLastDocumentWindow)
{
    using L = AppLifetime;
    // Only the main window: closing it ends the program.
    EXPECT_EQ(quitStep({&L::mainWindowClosed}), 0);
    // Document windows keep the program up after the main window closes.
    EXPECT_EQ(quitStep({&L::documentWindowOpened, &L::documentWindowOpened, &L::mainWindowClosed,
                        &L::documentWindowClosed, &L::documentWindowClosed}),
              4);
    // Closing every document window while the main window is open ends nothing.
    EXPECT_EQ(quitStep({&L::documentWindowOpened, &L::documentWindowClosed}), -1);
    // A run winding down after the main window closed may still hand over documents.
    EXPECT_EQ(quitStep({&L::runStarted, &L::mainWindowClosed, &L::documentWindowOpened,
                        &L::runFinished, &L::documentWindowClosed}),
              4);
    EXPECT_EQ(quitStep({&L::runStarted, &L::mainWindowClosed, &L::runFinished}), 2);
    // A run ending while the main window is open ends nothing.
    EXPECT_EQ(quitStep({&L::runStarted, &L::runFinished}), -1);
    // After the end, further closes do not end it again (quitStep checks).
    EXPECT_EQ(quitStep({&L::mainWindowClosed, &L::documentWindowClosed, &L::runFinished}), 0);
}

TEST(BackOffsetSetting, StartsAtZeroRoundTripsAndLimitsWhatTheFileHolds)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Pagula.conf"));
    {
        QSettings store(file, QSettings::IniFormat);
        EXPECT_EQ(loadBackOffset(store), QPointF(0, 0));
        saveBackOffset(store, {1.5, -2.0});
    }
    {
        QSettings store(file, QSettings::IniFormat);
        EXPECT_EQ(loadBackOffset(store), QPointF(1.5, -2.0));
    }
    // What a damaged or edited file may hold.
    const struct {
        QVariant x, y;
        QPointF loaded;
    } cases[] = {
        {QStringLiteral("abc"), QStringLiteral(""), {0, 0}},
        {QStringLiteral("nan"), QStringLiteral("inf"), {0, 0}},
        {100.0, -1e9, {30.0, -30.0}},
        {QStringLiteral("0.26"), QStringLiteral("-0.04"), {0.3, 0.0}},
    };
    for (const auto& c : cases) {
        QSettings store(file, QSettings::IniFormat);
        store.setValue(QStringLiteral("backSide/offsetX"), c.x);
        store.setValue(QStringLiteral("backSide/offsetY"), c.y);
        EXPECT_EQ(loadBackOffset(store), c.loaded) << c.x.toString().toStdString();
    }
}

TEST(StartArguments, LanguageHelpVersionAndNames)
{
    const struct {
        QStringList arguments;
        const char* language;
        bool help, version, error;
        QStringList files;
    } cases[] = {
        {{"--lang", "en", "a.jpg"}, "en", false, false, false, {"a.jpg"}},
        {{"b.pdf", "--lang=RU"}, "RU", false, false, false, {"b.pdf"}},
        {{"--help"}, "", true, false, false, {}},
        {{"-h", "--version"}, "", true, true, false, {}},
        {{"--", "--help", "-x"}, "", false, false, false, {"--help", "-x"}},
        {{"--lang"}, "", false, false, true, {}},
        {{"--lang", "de", "a.jpg"}, "", false, false, true, {}},
        {{"-", "/x/y"}, "", false, false, false, {"-", "/x/y"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const pagula::app::StartArguments a = pagula::app::readStartArguments(c.arguments);
        EXPECT_EQ(a.language, QString::fromLatin1(c.language));
        EXPECT_EQ(a.help, c.help);
        EXPECT_EQ(a.version, c.version);
        EXPECT_EQ(!a.error.isEmpty(), c.error) << a.error.toStdString();
        EXPECT_EQ(a.files, c.files);
    }
}

// --help and --version need no display: the platform plug-in would abort without one.
TEST(StartArguments, HelpAndVersionWithoutADisplay)
{
    for (const char* option : {"--help", "--version"}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(PAGULA_BINARY),
                {QStringLiteral("--lang"), QStringLiteral("en"), QString::fromLatin1(option)});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << option;
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(
            out.startsWith(QLatin1String(option[2] == 'h' ? "Usage: pagula" : "pagula (Pagula) ")))
            << out.toStdString();
    }
}

TEST(BackOffsetSetting, WhatIsNoSettingsFileIsNeitherReadNorOverwritten)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const auto restoreHome = qScopeGuard([&] { qputenv("HOME", oldHome); });
    qputenv("HOME", QFile::encodeName(home.path()));
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/Pagula/Pagula.conf");
    storeBackOffset({2.5, -1.0});
    EXPECT_EQ(storedBackOffset(), QPointF(2.5, -1.0));

    // Megabytes of settings-like text: ignored unread, then replaced by the next store.
    {
        QFile big(path);
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        big.write(QByteArray("[backSide]\noffsetX=7\n") + QByteArray(5 * 1024 * 1024, 'x'));
    }
    EXPECT_EQ(storedBackOffset(), QPointF(0, 0));
    storeBackOffset({1.0, 1.5});
    EXPECT_LT(QFileInfo(path).size(), 1024);
    EXPECT_EQ(storedBackOffset(), QPointF(1.0, 1.5));

    // A folder in its place stays.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    storeBackOffset({3.0, 3.0});
    EXPECT_EQ(storedBackOffset(), QPointF(0, 0));
    EXPECT_TRUE(QFileInfo(path).isDir());
}
