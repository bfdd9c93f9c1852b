// Times every job list command on 100,000 entries with the list view attached and shown, so the
// view's own work on each change (layout, repaint) is counted, and a full repaint of the visible
// rows. Prints the median and the worst wall time of several runs and the median CPU time of
// this thread (steadier on a busy machine); the target is under 50 ms each.
#include "common/Fonts.h"
#include "joblist/JobListFile.h"
#include "joblist/JobListModel.h"
#include "joblist/ui/JobListView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace pagula::joblist;

namespace
{

constexpr int Entries = 100000;
constexpr int Runs = 7;

JobEntries makeEntries()
{
    JobEntries entries;
    entries.reserve(Entries);
    for (int i = 0; i < Entries; ++i)
        entries.append(JobEntry{
            QStringLiteral("/home/user/scans/lecture %1/page %2.jpg").arg(i / 100).arg(i), i % 3});
    return entries;
}

struct Fixture {
    JobListModel model;
    JobListView view{&model};
};

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// prepare runs untimed before each run; then the command and the events it causes are timed.
void bench(const char* name, Fixture& f, const std::function<void()>& prepare,
           const std::function<void()>& command)
{
    std::vector<double> ms;
    std::vector<double> cpu;
    for (int run = 0; run < Runs; ++run) {
        prepare();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = threadCpuMs();
        command();
        QCoreApplication::processEvents();
        cpu.push_back(threadCpuMs() - cpuStart);
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-38s wall median %7.2f ms  worst %7.2f ms | cpu median %7.2f ms  %s\n", name,
                ms[ms.size() / 2], ms.back(), cpu[cpu.size() / 2],
                cpu[cpu.size() / 2] < 50.0 ? "ok" : "OVER 50 ms");
    std::fflush(stdout);
    (void)f;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pagula::common::installFontSubstitutions();

    const JobEntries entries = makeEntries();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("temp.txt"));
    saveJobListFile(file, entries);

    Fixture f;
    f.view.resize(500, 700);
    f.view.show();
    QCoreApplication::processEvents();
    JobListModel& m = f.model;
    const auto fresh = [&] { m.replaceEntries(entries); };
    const auto alternateTicks = [&] {
        fresh();
        m.tickOddPositions();
        m.setCurrentRow(Entries / 2);
    };
    const auto nothing = [] {};
    const QStringList names = [&] {
        QStringList n;
        for (int i = 0; i < Entries; ++i)
            n.append(QStringLiteral("picture %1.jpg").arg(i));
        return n;
    }();

    std::printf("%d entries, list view %d x %d, %d runs each\n", Entries, f.view.width(),
                f.view.height(), Runs);
    {
        JobListModel bare;
        std::vector<std::pair<const char*, std::function<void()>>> modelOnly{
            {"model only: add files", [&] { bare.appendFiles(QStringLiteral("/scans"), names); }},
            {"model only: replace entries", [&] { bare.replaceEntries(entries); }},
            {"model only: parse file", [&] { (void)loadJobListFile(file); }},
            {"model only: serialize", [&] { (void)serializeJobList(entries); }},
            {"model only: save", [&] { saveJobListFile(file, entries); }},
        };
        for (auto& [name, fn] : modelOnly)
            bench(
                name, f, [&] { bare.replaceEntries({}); }, fn);
    }
    bench(
        "add 100,000 files (addSelectedFiles core)", f, [&] { m.replaceEntries({}); },
        [&] { m.appendFiles(QStringLiteral("/scans"), names); });
    bench(
        "load job list file", f, [&] { m.replaceEntries({}); },
        [&] { m.replaceEntries(loadJobListFile(file)); });
    bench("save job list file", f, fresh, [&] { saveJobListFile(file, m.entries()); });
    bench("tick all (Vydelit vse)", f, fresh, [&] { m.tickAll(); });
    bench("untick all (Sbros)", f, fresh, [&] { m.untickAll(); });
    bench("invert (Invertirovat)", f, fresh, [&] { m.invertTicks(); });
    bench("even positions (Chetnye)", f, fresh, [&] { m.tickEvenPositions(); });
    bench("odd positions (Nechetnye)", f, fresh, [&] { m.tickOddPositions(); });
    bench("remove every other (Udalit)", f, alternateTicks, [&] { m.removeTicked(); });
    bench("remove none ticked (Udalit)", f, fresh, [&] { m.removeTicked(); });
    bench("single tick", f, nothing, [&] { m.toggleTick(Entries / 2); });
    bench("crop select all, two-side", f, fresh, [&] { m.selectAllCrops(CropMode::TwoSide); });
    bench("crop reset", f, fresh, [&] { m.resetCrops(); });
    bench("crop cycle row 0, two-side (swap all)", f, fresh,
          [&] { m.cycleCropCode(0, CropMode::TwoSide); });
    bench(
        "Insert at the top", f, [&] { m.setCurrentRow(0); }, [&] { m.insertBlank(); });
    bench(
        "Delete at the top", f, [&] { m.setCurrentRow(0); }, [&] { m.deleteCurrent(); });
    bench(
        "undo remove every other (Ctrl+Z)", f,
        [&] {
            alternateTicks();
            m.removeTicked();
        },
        [&] { m.undoStack()->undo(); });
    bench(
        "undo invert (Ctrl+Z)", f,
        [&] {
            fresh();
            m.invertTicks();
        },
        [&] { m.undoStack()->undo(); });
    bench(
        "three display columns", f, [&] { f.view.setDisplayColumns(1); },
        [&] { f.view.setDisplayColumns(3); });
    bench(
        "one display column", f, [&] { f.view.setDisplayColumns(3); },
        [&] { f.view.setDisplayColumns(1); });

    fresh();
    m.tickOddPositions();
    m.selectAllCrops(CropMode::TwoSide);
    QImage image(f.view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const auto repaint = [&] {
        QPainter p(&image);
        f.view.viewport()->render(&p);
    };
    for (const int columns : {1, 3}) {
        f.view.setDisplayColumns(columns);
        QCoreApplication::processEvents();
        m.setCurrentRow(Entries / 2);
        bench(columns == 1 ? "repaint visible rows, 1 column" : "repaint visible rows, 3 columns",
              f, nothing, repaint);
    }
    return 0;
}
