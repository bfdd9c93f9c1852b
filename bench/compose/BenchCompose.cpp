// 180 A4 scans (2480 x 3508 JPEG, 1 to 2 MB each) composed with the default settings into a
// PDF by pagula-compose, beside img2pdf on the same files (one scan per page, JPEG passed
// through: the bound of what writing these pictures into a PDF costs) and ImageMagick's
// montage -tile 3x3 (what a user would pick instead), run once per page of nine pictures,
// whose pages then go into a PDF with img2pdf, since Debian's ImageMagick policy does not let
// it write PDF itself. Then the peak
// memory of pagula-compose for 9, 45 and 180 pictures. First, the composition walk alone for
// 2,000 and 20,000 entries, to show that it scales linearly.
//   bench_compose [work folder] [picture count]
//   bench_compose --walk [work folder]      (the walk alone)
//   bench_compose --side-by-side [work folder] [picture count, 30] [rounds, 5]
//                                           (beside img2pdf and djpeg, see SideBySide.h)
// Prints figures only.
#include "SideBySide.h"
#include "WalkScaling.h"
#include "common/Scans.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

using pagula::bench::ChildRun;
using pagula::bench::runChild;
using pagula::bench::writeJobList;

namespace
{

void report(const char* what, const ChildRun& r, int pictures)
{
    if (r.exitCode != 0) {
        std::printf("%-34s failed (exit %d) after %.1f s\n", what, r.exitCode, r.seconds);
        return;
    }
    std::printf("%-34s %8.2f s  %7.1f ms/picture  peak %7.1f MiB\n", what, r.seconds,
                r.seconds * 1000.0 / pictures, r.peakMiB);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // text drawing needs a platform, not a display
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    const bool walkOnly = args.size() > 1 && args[1] == QStringLiteral("--walk");
    const bool sideBySide = args.size() > 1 && args[1] == QStringLiteral("--side-by-side");
    if (walkOnly || sideBySide)
        args.removeAt(1);
    const QString folder =
        args.size() > 1 ? args[1] : QDir::temp().filePath("pagula-bench-compose");
    const int count = args.size() > 2 ? args[2].toInt() : sideBySide ? 30 : 180;

    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (sideBySide) {
        pagula::bench::reportSideBySide(folder, count, args.size() > 3 ? args[3].toInt() : 5);
        return 0;
    }
    pagula::bench::reportWalkScaling(folder);
    if (walkOnly)
        return 0;
    std::printf("\n");
    std::printf("making %d scans in %s (kept for later runs)...\n", count, qPrintable(folder));
    std::fflush(stdout);
    const QStringList scans = pagula::bench::ensureScans(folder, count);
    qint64 bytes = 0;
    for (const QString& s : scans)
        bytes += QFileInfo(s).size();
    std::printf("%d scans, %.1f MB in all\n\n", count, bytes / 1e6);

    const QString out = QDir(folder).filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    const QString list = writeJobList(folder, scans, count);

    const ChildRun pagula = runChild({QStringLiteral(PAGULA_COMPOSE_BINARY), "-q", "--dpi", "300",
                                      list, QDir(out).filePath("pagula.pdf")});
    report("pagula-compose (3 x 3, 300 dpi)", pagula, count);

    const ChildRun img2pdf =
        runChild(QStringList{"img2pdf", "-o", QDir(out).filePath("img2pdf.pdf")} + scans);
    report("img2pdf (one scan per page)", img2pdf, count);

    // montage with the resource limits raised enough to hold every picture at once.
    const QString policyDir = QDir(folder).filePath(QStringLiteral("magick"));
    QDir().mkpath(policyDir);
    QFile policy(QDir(policyDir).filePath(QStringLiteral("policy.xml")));
    if (policy.open(QIODevice::WriteOnly))
        policy.write("<policymap>\n"
                     "  <policy domain=\"resource\" name=\"memory\" value=\"2GiB\"/>\n"
                     "  <policy domain=\"resource\" name=\"map\" value=\"4GiB\"/>\n"
                     "  <policy domain=\"resource\" name=\"disk\" value=\"32GiB\"/>\n"
                     "  <policy domain=\"resource\" name=\"area\" value=\"2GP\"/>\n"
                     "</policymap>\n");
    policy.close();
    QDir montageDir(QDir(out).filePath(QStringLiteral("montage")));
    montageDir.removeRecursively();
    QDir().mkpath(montageDir.path());
    // One montage per page of nine: given all 180 scans at once, montage holds every picture
    // at full size (about 12 GB of pixel cache) and had not finished after 90 minutes here.
    ChildRun montage;
    montage.exitCode = 0;
    for (int first = 0; first < count && montage.exitCode == 0; first += 9) {
        const QStringList page = scans.mid(first, 9);
        const ChildRun r =
            runChild(QStringList{"montage"} + page +
                         QStringList{"-tile", "3x3", "-geometry", "760x1063+6+6", "-quality", "85",
                                     montageDir.filePath(
                                         QStringLiteral("page-%1.jpg").arg(first / 9 + 1000))},
                     {QStringLiteral("MAGICK_CONFIGURE_PATH=") + policyDir});
        montage.exitCode = r.exitCode;
        montage.seconds += r.seconds;
        montage.peakMiB = std::max(montage.peakMiB, r.peakMiB);
    }
    ChildRun montagePdf;
    if (montage.exitCode == 0) {
        QStringList pages;
        for (const QString& p : montageDir.entryList({"page-*.jpg"}, QDir::Files, QDir::Name))
            pages << montageDir.filePath(p);
        montagePdf =
            runChild(QStringList{"img2pdf", "-o", QDir(out).filePath("montage.pdf")} + pages);
    }
    ChildRun montageTotal = montage;
    montageTotal.seconds += montagePdf.seconds;
    montageTotal.peakMiB = std::max(montage.peakMiB, montagePdf.peakMiB);
    report("montage -tile 3x3 per page, img2pdf", montageTotal, count);

    std::printf("\n");
    if (pagula.exitCode == 0 && img2pdf.exitCode == 0)
        std::printf("pagula-compose / img2pdf wall time: %.2f (target at most 1.3)\n",
                    pagula.seconds / img2pdf.seconds);
    if (pagula.exitCode == 0 && montage.exitCode == 0)
        std::printf("montage / pagula-compose wall time: %.2f (target at least 5)\n",
                    montageTotal.seconds / pagula.seconds);

    std::printf(
        "\npeak memory of pagula-compose by picture count (target: flat, at most 100 MiB)\n");
    for (int n : {9, 45, count}) {
        if (n > count)
            continue;
        const ChildRun r =
            runChild({QStringLiteral(PAGULA_COMPOSE_BINARY), "-q", writeJobList(folder, scans, n),
                      QDir(out).filePath(QStringLiteral("n%1.pdf").arg(n))});
        std::printf("  %4d pictures: %7.1f MiB, %.2f s\n", n, r.peakMiB, r.seconds);
    }
    return 0;
}
