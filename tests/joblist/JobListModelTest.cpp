#include "joblist/JobListModel.h"
#include "joblist/JobEntry.h"
#include "joblist/JobListTestUtil.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>

using namespace pagula::joblist;
using pagula::joblist::test::codes;
using pagula::joblist::test::countTicks;
using pagula::joblist::test::fill;
using pagula::joblist::test::ticks;

namespace
{

QString lastLabel(const QSignalSpy& spy)
{
    return spy.isEmpty() ? QString() : spy.last().at(0).toString();
}

} // namespace

TEST(JobEntry, TextIsThePathFollowedByTheCropCode)
{
    const struct {
        QString text;
        QString path;
        int profile;
        bool blank;
        QString written; // the text the entry gives back
    } cases[] = {
        {QStringLiteral("/scans/a.jpg0"), QStringLiteral("/scans/a.jpg"), 0, false, {}},
        {QStringLiteral("/scans/b 1.jpg2"), QStringLiteral("/scans/b 1.jpg"), 2, false, {}},
        {QStringLiteral("(пустая страница)0"), BlankMarker, 0, true, {}},
        // Crop commands change a blank's code too; it stays a blank.
        {QStringLiteral("(пустая страница)1"), BlankMarker, 1, true, {}},
        // The marker as a folder or file name is a picture's path like any other.
        {QStringLiteral("/scans/(пустая страница)/a.jpg0"),
         QStringLiteral("/scans/(пустая страница)/a.jpg"),
         0,
         false,
         {}},
        {QStringLiteral("x(пустая страница)2"), QStringLiteral("x(пустая страница)"), 2, false, {}},
        {QStringLiteral("1"), QString(), 1, false, {}},
        // No crop code at the end: the whole text is the path.
        {QStringLiteral("/x/y.bmpA"), QStringLiteral("/x/y.bmpA"), 0, false,
         QStringLiteral("/x/y.bmpA0")},
        {QStringLiteral("(пустая страница)"), BlankMarker, 0, true, BlankMarker + QLatin1Char('0')},
        {QString(), QString(), 0, false, QStringLiteral("0")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const JobEntry e = JobEntry::fromText(c.text);
        EXPECT_EQ(e.path, c.path);
        EXPECT_EQ(e.cropProfile, c.profile);
        EXPECT_EQ(e.isBlank(), c.blank);
        EXPECT_EQ(e.text(), c.written.isNull() ? c.text : c.written);
    }
    const JobEntry a{QStringLiteral("/a.jpg"), 0};
    EXPECT_EQ(a.withCropCode(CropProfile2), (JobEntry{QStringLiteral("/a.jpg"), 2}));
    EXPECT_EQ(a.withCropCode(QLatin1Char('7')), a);
    EXPECT_EQ(JobEntry::blank().text(), QStringLiteral("(пустая страница)0"));
    EXPECT_EQ(BlankMarker.size(), 17);
    EXPECT_EQ(filePathIn(QStringLiteral("/"), QStringLiteral("a.jpg")), QStringLiteral("/a.jpg"));
    EXPECT_EQ(filePathIn(QStringLiteral("/scans"), QStringLiteral("a.jpg")),
              QStringLiteral("/scans/a.jpg"));
    EXPECT_EQ(filePathIn(QStringLiteral("/scans/"), QStringLiteral("a.jpg")),
              QStringLiteral("/scans/a.jpg"));
    EXPECT_EQ(tickedCountText(12), QStringLiteral("Выбрано файлов: 12"));
}

// The tick buttons: each case starts from a list and its ticks, runs one or more commands and
// checks the ticks, the count kept with the list and the label.
TEST(JobListModel, TickCommands)
{
    using Command = std::function<void(JobListModel&)>;
    const Command even = [](JobListModel& m) { m.tickEvenPositions(); };
    const Command odd = [](JobListModel& m) { m.tickOddPositions(); };
    const Command invert = [](JobListModel& m) { m.invertTicks(); };
    const Command all = [](JobListModel& m) { m.tickAll(); };
    const Command none = [](JobListModel& m) { m.untickAll(); };
    const Command remove = [](JobListModel& m) { m.removeTicked(); };
    const struct {
        const char* name;
        QString codes;
        QString ticks;
        std::vector<Command> commands;
        QString expectedCodes;
        QString expectedTicks;
    } cases[] = {
        {"even keeps other ticks", "00000", "01000", {even}, "00000", "11101"},
        {"even then odd ticks all", "00000", "00000", {even, odd}, "00000", "11111"},
        {"odd on four", "0000", "1000", {odd}, "0000", "1101"},
        {"invert", "00000", "10010", {invert}, "00000", "01101"},
        {"select all", "012", "010", {all}, "012", "111"},
        {"reset", "012", "110", {none}, "012", "000"},
        {"remove all ticked", "012", "111", {remove}, "", ""},
        {"remove none ticked", "012", "000", {remove}, "012", "000"},
        {"remove scattered", "0120120", "1010011", {remove}, "101", "000"},
        {"empty list", "", "", {all, invert, even, odd, remove, none}, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JobListModel m;
        fill(m, c.codes, c.ticks);
        QSignalSpy labels(&m, &JobListModel::tickedCountLabelChanged);
        for (const Command& command : c.commands)
            command(m);
        EXPECT_EQ(codes(m), c.expectedCodes);
        EXPECT_EQ(ticks(m), c.expectedTicks);
        EXPECT_EQ(m.tickedCount(), countTicks(m));
        // Every command rewrites the label, also when the count stays.
        EXPECT_EQ(labels.size(), static_cast<qsizetype>(c.commands.size()));
        EXPECT_EQ(lastLabel(labels), tickedCountText(countTicks(m)));
    }
}

// Removing ticked entries in one pass must give what the repeated search from the top gives:
// the same entries in the same order, the count, and the current entry when it stays.
TEST(JobListModel, RemoveTickedMatchesRemovingOneByOne)
{
    QRandomGenerator rng(12345);
    for (int round = 0; round < 200; ++round) {
        const int n = static_cast<int>(rng.bounded(12));
        QString codesText, ticksText;
        for (int i = 0; i < n; ++i) {
            codesText.append(QLatin1Char(static_cast<char>('0' + rng.bounded(3))));
            ticksText.append(rng.bounded(2) ? QLatin1Char('1') : QLatin1Char('0'));
        }
        JobListModel m;
        fill(m, codesText, ticksText);
        const int current = n == 0 ? -1 : static_cast<int>(rng.bounded(n + 1)) - 1;
        m.setCurrentRow(current);

        JobEntries expected = m.entries();
        QList<bool> expectedTicks;
        for (int i = 0; i < n; ++i)
            expectedTicks.append(m.isTicked(i));
        const bool currentStays = current >= 0 && !expectedTicks[current];
        const JobEntry currentEntry = currentStays ? expected[current] : JobEntry();
        int count = m.tickedCount();
        for (;;) {
            const qsizetype at = expectedTicks.indexOf(true);
            if (at < 0)
                break;
            expected.removeAt(at);
            expectedTicks.removeAt(at);
            --count;
        }

        m.removeTicked();
        ASSERT_EQ(m.entries(), expected)
            << codesText.toStdString() << " " << ticksText.toStdString();
        EXPECT_EQ(m.tickedCount(), count);
        EXPECT_EQ(m.tickedCount(), 0);
        if (!currentStays) {
            EXPECT_EQ(m.currentRow(), -1);
        } else {
            EXPECT_EQ(m.entry(m.currentRow()), currentEntry);
        }
    }
}

TEST(JobListModel, SingleTickBookkeeping)
{
    JobListModel m;
    fill(m, QStringLiteral("000"));
    QSignalSpy labels(&m, &JobListModel::tickedCountLabelChanged);
    m.toggleTick(1);
    EXPECT_EQ(lastLabel(labels), QStringLiteral("Выбрано файлов: 1"));
    m.toggleTick(2);
    m.toggleTick(1);
    EXPECT_EQ(ticks(m), QStringLiteral("001"));
    EXPECT_EQ(m.tickedCount(), 1);
    EXPECT_EQ(lastLabel(labels), QStringLiteral("Выбрано файлов: 1"));
    // Through the item model's check state, as a generic view would do it.
    EXPECT_TRUE(m.setData(m.index(0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(
        m.setData(m.index(0), Qt::Checked, Qt::CheckStateRole)); // already ticked: no change
    EXPECT_EQ(m.tickedCount(), 2);
}

TEST(JobListModel, CropCommandsKeepTicksAndCurrentEntry)
{
    const struct {
        const char* name;
        CropMode mode;
        bool reset;
        QString codes;
        QString expected;
    } cases[] = {
        {"two-side alternates from row 0", CropMode::TwoSide, false, "0000", "1212"},
        {"two-side counts every row", CropMode::TwoSide, false, "20100", "12121"},
        {"one-side", CropMode::OneSide, false, "0201", "1111"},
        {"reset", CropMode::OneSide, true, "1212", "0000"},
        {"empty", CropMode::TwoSide, false, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JobListModel m;
        const QString tickPattern = QString(QStringLiteral("1010101")).left(c.codes.size());
        fill(m, c.codes, tickPattern);
        m.setCurrentRow(c.codes.size() - 1);
        const int current = m.currentRow();
        if (c.reset)
            m.resetCrops();
        else
            m.selectAllCrops(c.mode);
        EXPECT_EQ(codes(m), c.expected);
        EXPECT_EQ(ticks(m), tickPattern);
        EXPECT_EQ(m.currentRow(), current);
    }
}

TEST(JobListModel, CropCycling)
{
    const struct {
        const char* name;
        CropMode mode;
        QString codes;
        QString ticks;
        int row;
        QString expectedCodes;
        QString expectedTicks;
    } cases[] = {
        {"one-side: unticked 0 becomes ticked 1", CropMode::OneSide, "00", "00", 0, "10", "10"},
        {"one-side: 1 becomes 0 and stays ticked", CropMode::OneSide, "10", "10", 0, "00", "10"},
        {"one-side: 2 becomes 1", CropMode::OneSide, "2", "0", 0, "1", "0"},
        {"one-side: later rows untouched", CropMode::OneSide, "0121", "0000", 0, "1121", "1000"},
        {"two-side: later cropped rows swap", CropMode::TwoSide, "01201", "00000", 0, "12102",
         "10000"},
        {"two-side: 2 becomes 0, no later change", CropMode::TwoSide, "0212", "0000", 1, "0012",
         "0000"},
        {"two-side: 1 becomes 2 and swaps below", CropMode::TwoSide, "1102", "0000", 0, "2201",
         "0000"},
        {"two-side: ticked 0 stays ticked once", CropMode::TwoSide, "0", "1", 0, "1", "1"},
        {"two-side: last row", CropMode::TwoSide, "110", "000", 2, "111", "001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JobListModel m;
        fill(m, c.codes, c.ticks);
        m.setCurrentRow(c.codes.size() - 1);
        m.cycleCropCode(c.row, c.mode);
        EXPECT_EQ(codes(m), c.expectedCodes);
        EXPECT_EQ(ticks(m), c.expectedTicks);
        EXPECT_EQ(m.tickedCount(), countTicks(m));
        EXPECT_EQ(m.currentRow(), c.codes.size() - 1);
    }
}

TEST(JobListModel, InsertAndDeleteKeepTheRightCurrentEntry)
{
    // Insert on an empty list: one blank entry, unticked, appended.
    {
        JobListModel m;
        m.insertBlank();
        ASSERT_EQ(m.size(), 1);
        EXPECT_EQ(m.entry(0), JobEntry::blank());
        EXPECT_FALSE(m.isTicked(0));
        EXPECT_EQ(m.currentRow(), -1);
    }
    // Insert with the third row current: the blank entry becomes third, the former third entry
    // is fourth and still current; the count does not change.
    {
        JobListModel m;
        fill(m, QStringLiteral("0120"), QStringLiteral("1111"));
        m.setCurrentRow(2);
        const JobEntry third = m.entry(2);
        QSignalSpy labels(&m, &JobListModel::tickedCountLabelChanged);
        m.insertBlank();
        EXPECT_EQ(m.entry(2), JobEntry::blank());
        EXPECT_EQ(m.entry(3), third);
        EXPECT_EQ(m.currentRow(), 3);
        EXPECT_EQ(m.tickedCount(), 4);
        EXPECT_TRUE(labels.isEmpty());
    }
    const struct {
        const char* name;
        QString ticks;
        int current;
        QString expectedTicks;
        int expectedCurrent;
        int expectedCount;
    } deletes[] = {
        {"last row: new last current", "0011", 3, "001", 2, 1},
        {"middle row: the next one current", "0101", 1, "001", 1, 1},
        {"only row", "1", 0, "", -1, 0},
        {"no current: nothing", "01", -1, "01", -1, 1},
    };
    for (const auto& d : deletes) {
        SCOPED_TRACE(d.name);
        JobListModel m;
        fill(m, QString(d.ticks.size(), QLatin1Char('0')), d.ticks);
        m.setCurrentRow(d.current);
        const JobEntries before = m.entries();
        m.deleteCurrent();
        EXPECT_EQ(ticks(m), d.expectedTicks);
        EXPECT_EQ(m.currentRow(), d.expectedCurrent);
        EXPECT_EQ(m.tickedCount(), d.expectedCount);
        if (d.current >= 0 && d.expectedCurrent >= 0) {
            EXPECT_EQ(m.entry(d.expectedCurrent),
                      before.value(d.current + 1, before.value(d.current - 1)));
        }
    }
}

TEST(JobListModel, AppendFilesAndReplaceEntries)
{
    JobListModel m;
    QSignalSpy labels(&m, &JobListModel::tickedCountLabelChanged);
    m.setCurrentRow(-1);
    QStringList refused =
        m.appendFiles(QStringLiteral("/scans"), {QStringLiteral("a.jpg"), QStringLiteral("b.jpg")});
    EXPECT_TRUE(refused.isEmpty());
    refused = m.appendFiles(QStringLiteral("/scans/"),
                            {QStringLiteral("a.jpg"), QStringLiteral("x\ny.jpg")});
    EXPECT_EQ(refused, QStringList{QStringLiteral("/scans/x\ny.jpg")});
    EXPECT_EQ(m.entries(), (JobEntries{{QStringLiteral("/scans/a.jpg"), 0},
                                       {QStringLiteral("/scans/b.jpg"), 0},
                                       {QStringLiteral("/scans/a.jpg"), 0}}));
    EXPECT_EQ(ticks(m), QStringLiteral("111"));
    EXPECT_EQ(m.currentRow(), -1); // adding does not touch the current entry
    m.appendFiles(QStringLiteral("/scans"), {});
    EXPECT_EQ(labels.size(), 3);
    EXPECT_EQ(lastLabel(labels), QStringLiteral("Выбрано файлов: 3"));
    EXPECT_EQ(m.tickedEntries().size(), 3);

    m.replaceEntries({{QStringLiteral("/a"), 0}, {QStringLiteral("/b"), 1}});
    EXPECT_EQ(ticks(m), QStringLiteral("00"));
    EXPECT_EQ(m.currentRow(), 0);
    EXPECT_EQ(lastLabel(labels), QStringLiteral("Выбрано файлов: 0"));
    m.replaceEntries({});
    EXPECT_EQ(m.currentRow(), -1);
}

// Every command under the model tester, with the signals a view relies on.
TEST(JobListModel, PassesTheItemModelTester)
{
    JobListModel m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    fill(m, QStringLiteral("0120120"), QStringLiteral("0110010"));
    m.setCurrentRow(3);
    m.appendFiles(QStringLiteral("/d"), {QStringLiteral("x.jpg"), QStringLiteral("y.jpg")});
    m.insertBlank();
    m.cycleCropCode(0, CropMode::TwoSide);
    m.selectAllCrops(CropMode::TwoSide);
    m.resetCrops();
    m.tickEvenPositions();
    m.invertTicks();
    m.removeTicked();
    m.setCurrentRow(m.size() - 1);
    m.deleteCurrent();
    m.tickAll();
    m.removeTicked();
    EXPECT_EQ(m.size(), 0);
    m.insertBlank();
    EXPECT_EQ(m.data(m.index(0), Qt::DisplayRole).toString(), BlankMarker);
    EXPECT_EQ(m.data(m.index(0), JobListModel::CropCodeRole).toString(), QStringLiteral("0"));
    // Undoing all of it, and redoing it, under the tester too.
    while (m.undoStack()->canUndo())
        m.undoStack()->undo();
    EXPECT_EQ(m.size(), 0);
    while (m.undoStack()->canRedo())
        m.undoStack()->redo();
    EXPECT_EQ(m.size(), 1);
}

// Each command undone gives back the list as it was (entries, ticks, crop codes, count, current
// entry), and redone the list as the command left it; a command that changes nothing is no step.
TEST(JobListModel, EveryEditUndoesAndRedoes)
{
    struct State {
        JobEntries entries;
        QString ticks;
        int count;
        int current;
        bool operator==(const State& o) const
        {
            return entries == o.entries && ticks == o.ticks && count == o.count &&
                   current == o.current;
        }
    };
    const auto state = [](const JobListModel& m) {
        return State{m.entries(), ticks(m), m.tickedCount(), m.currentRow()};
    };
    const std::pair<const char*, std::function<void(JobListModel&)>> edits[] = {
        {"«Удалить»", [](JobListModel& m) { m.removeTicked(); }},
        {"«Инвертировать»", [](JobListModel& m) { m.invertTicks(); }},
        {"«Выделить все»", [](JobListModel& m) { m.tickAll(); }},
        {"«Сброс»", [](JobListModel& m) { m.untickAll(); }},
        {"«Четные»", [](JobListModel& m) { m.tickEvenPositions(); }},
        {"«Нечетные»", [](JobListModel& m) { m.tickOddPositions(); }},
        {"отметку строки", [](JobListModel& m) { m.toggleTick(4); }},
        {"«Выделить все» обрезки", [](JobListModel& m) { m.selectAllCrops(CropMode::TwoSide); }},
        {"«Сброс» обрезки", [](JobListModel& m) { m.resetCrops(); }},
        {"вид обрезки строки", [](JobListModel& m) { m.cycleCropCode(0, CropMode::TwoSide); }},
        {"вид обрезки строки", [](JobListModel& m) { m.setCropCode(3, CropProfile2); }},
        {"вставку пустой страницы", [](JobListModel& m) { m.insertBlank(); }},
        {"удаление строки", [](JobListModel& m) { m.deleteCurrent(); }},
        {"добавление рисунков",
         [](JobListModel& m) { m.appendFiles(QStringLiteral("/n"), {QStringLiteral("a.jpg")}); }},
        {"загрузку списка",
         [](JobListModel& m) {
             m.replaceEntries({{QStringLiteral("/x"), 1}});
         }},
        {"очистку списка", [](JobListModel& m) { m.clear(); }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        JobListModel m;
        fill(m, QStringLiteral("0120120"), QStringLiteral("0110010"));
        m.setCurrentRow(2);
        m.markSaved();
        EXPECT_FALSE(m.hasUnsavedChanges());
        const State before = state(m);
        const int steps = m.undoStack()->count();
        edit(m);
        const State after = state(m);
        ASSERT_EQ(m.undoStack()->count(), steps + 1);
        EXPECT_EQ(m.undoStack()->undoText(), QString::fromUtf8(name));
        EXPECT_EQ(m.hasUnsavedChanges(), after.entries.size() > 0);
        m.undoStack()->undo();
        EXPECT_EQ(state(m), before);
        EXPECT_FALSE(m.hasUnsavedChanges());
        m.undoStack()->redo();
        EXPECT_EQ(state(m), after);
    }
    JobListModel m;
    fill(m, QStringLiteral("00"), QStringLiteral("11"));
    const int steps = m.undoStack()->count();
    m.tickAll();                    // all were ticked
    m.setCropCode(5, CropProfile1); // no such row
    EXPECT_EQ(m.undoStack()->count(), steps);
}

// Loading a list of 300,000 entries again and again: the history drops its earliest steps
// rather than keep every list, and a list never saved still counts as unsaved after that.
TEST(JobListModel, TheHistoryKeepsWithinItsMemoryBudget)
{
    JobEntries big;
    for (int i = 0; i < 300000; ++i)
        big.append({QStringLiteral("/p/%1.jpg").arg(i), 0});
    JobListModel m;
    for (int load = 0; load < 6; ++load)
        m.replaceEntries(big);
    EXPECT_GE(m.undoStack()->count(), 1);
    EXPECT_LT(m.undoStack()->count(), 6);
    while (m.undoStack()->canUndo())
        m.undoStack()->undo();
    EXPECT_TRUE(m.hasUnsavedChanges());
    m.markSaved();
    EXPECT_FALSE(m.hasUnsavedChanges());
}
