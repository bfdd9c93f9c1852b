#include "joblist/ui/AddSelectedFiles.h"
#include "joblist/JobListModel.h"
#include "joblist/JobListTestUtil.h"
#include "widgets/ErrorReport.h"

#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace pagula::joblist;
using pagula::joblist::test::textsOf;
using pagula::joblist::test::ticks;

namespace
{

// A file list as the main window has it: a list view over a file system model, showing one
// folder, several files selectable at once.
class FileListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path();
        for (const char* name : {"c.jpg", "a.jpg", "b.jpg", "d 1#%.jpg", "line\nbreak.jpg"}) {
            QFile f(QDir(folder).filePath(QString::fromUtf8(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        files.setFilter(QDir::Files);
        files.setRootPath(folder);
        files.sort(0);
        fileList.setModel(&files);
        fileList.setSelectionMode(QAbstractItemView::ExtendedSelection);
        fileList.setRootIndex(files.index(folder));
        // The model fills and sorts itself in the background: wait for the file list as the user
        // would see it, sorted by name.
        const QStringList sorted{QStringLiteral("a.jpg"), QStringLiteral("b.jpg"),
                                 QStringLiteral("c.jpg"), QStringLiteral("d 1#%.jpg"),
                                 QStringLiteral("line\nbreak.jpg")};
        for (int i = 0; i < 500 && shownNames() != sorted; ++i) {
            QTest::qWait(10);
            if (files.rowCount(fileList.rootIndex()) == 5)
                files.sort(0);
        }
        ASSERT_EQ(shownNames(), sorted);
        pagula::widgets::ErrorReport::setHook(
            [this](const QString& text) { reports.append(text); });
    }
    void TearDown() override { pagula::widgets::ErrorReport::setHook({}); }

    QStringList shownNames()
    {
        QStringList names;
        for (int row = 0; row < files.rowCount(fileList.rootIndex()); ++row)
            names.append(files.fileName(files.index(row, 0, fileList.rootIndex())));
        return names;
    }
    QModelIndex fileIndex(const QString& name) { return files.index(QDir(folder).filePath(name)); }
    void select(const QString& name)
    {
        fileList.selectionModel()->select(fileIndex(name), QItemSelectionModel::Select);
    }
    bool isSelected(const QString& name)
    {
        return fileList.selectionModel()->isSelected(fileIndex(name));
    }

    QTemporaryDir dir;
    QString folder;
    QFileSystemModel files;
    QListView fileList;
    JobListModel jobList;
    QStringList reports;
};

} // namespace

TEST_F(FileListTest, AddsTheSelectedFilesInListOrderTickedAndDeselected)
{
    jobList.appendFiles(QStringLiteral("/old"), {QStringLiteral("x.jpg")});
    jobList.setCurrentRow(0);
    QStringList labels;
    QObject::connect(&jobList, &JobListModel::tickedCountLabelChanged,
                     [&](const QString& t) { labels.append(t); });

    select(QStringLiteral("c.jpg"));
    select(QStringLiteral("a.jpg"));
    select(QStringLiteral("d 1#%.jpg"));
    addSelectedFiles(jobList, fileList, folder, nullptr);

    EXPECT_EQ(
        textsOf(jobList.entries()),
        (QStringList{QStringLiteral("/old/x.jpg0"), folder + QStringLiteral("/a.jpg0"),
                     folder + QStringLiteral("/c.jpg0"), folder + QStringLiteral("/d 1#%.jpg0")}));
    EXPECT_EQ(ticks(jobList), QStringLiteral("1111"));
    EXPECT_EQ(labels, QStringList{QStringLiteral("Выбрано файлов: 4")});
    EXPECT_TRUE(fileList.selectionModel()->selectedIndexes().isEmpty());
    EXPECT_EQ(jobList.currentRow(), 0);
    EXPECT_TRUE(reports.isEmpty());

    // No duplicate check; a folder given with its final separator gets no second one.
    select(QStringLiteral("a.jpg"));
    addSelectedFiles(jobList, fileList, folder + QLatin1Char('/'), nullptr);
    EXPECT_EQ(jobList.entry(4), (JobEntry{folder + QStringLiteral("/a.jpg"), 0}));

    // Nothing selected: nothing added, the label rewritten with the same count.
    addSelectedFiles(jobList, fileList, folder, nullptr);
    EXPECT_EQ(jobList.size(), 5);
    EXPECT_EQ(labels.last(), QStringLiteral("Выбрано файлов: 5"));
}

TEST_F(FileListTest, RefusesNamesWithLineBreaksAndAddsTheOthers)
{
    select(QStringLiteral("b.jpg"));
    select(QStringLiteral("line\nbreak.jpg"));
    addSelectedFiles(jobList, fileList, folder, nullptr);
    EXPECT_EQ(jobList.entries(), (JobEntries{JobEntry{folder + QStringLiteral("/b.jpg"), 0}}));
    EXPECT_EQ(jobList.tickedCount(), 1);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports.front(),
              QStringLiteral("Cannot add file \"") + folder +
                  QStringLiteral("/line\\nbreak.jpg\": its name holds a line break, which the job "
                                 "list file cannot store."));
    EXPECT_FALSE(isSelected(QStringLiteral("b.jpg")));
    EXPECT_TRUE(isSelected(QStringLiteral("line\nbreak.jpg")));
}
