#include "SideBySide.h"

#include "common/Scans.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace pagula::bench
{

namespace
{

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// djpeg once per scan, as a user would run it over a folder: the times add up.
ChildRun djpegAll(const QStringList& scans)
{
    ChildRun all;
    all.exitCode = 0;
    for (const QString& scan : scans) {
        const ChildRun r = runChild(
            QStringList{"djpeg", "-grayscale", "-scale", "1/2", "-outfile", "/dev/null", scan});
        if (r.exitCode != 0)
            all.exitCode = r.exitCode;
        all.seconds += r.seconds;
        all.cpuSeconds += r.cpuSeconds;
        all.peakMiB = std::max(all.peakMiB, r.peakMiB);
    }
    return all;
}

// The system's load averages over 1, 5 and 15 minutes: other work on the machine stretches
// processor times and wall times unevenly, so the figures are read beside it.
QByteArray loadAverages()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly))
        return "unknown";
    const QList<QByteArray> fields = f.readAll().simplified().split(' ');
    return fields.size() >= 3 ? fields[0] + ' ' + fields[1] + ' ' + fields[2] : "unknown";
}

} // namespace

void reportSideBySide(const QString& folder, int count, int rounds)
{
    std::printf("making %d scans in %s (kept for later runs)...\n", count, qPrintable(folder));
    std::fflush(stdout);
    const QStringList scans = ensureScans(folder, count);
    const QString list = writeJobList(folder, scans, count);
    const QString out = QDir(folder).filePath(QStringLiteral("out"));
    QDir().mkpath(out);

    const std::function<ChildRun()> commands[] = {
        // The resolution is given: without it, cells this small are stored at 600 dpi.
        [&] {
            return runChild({QStringLiteral(PAGULA_COMPOSE_BINARY), "-q", "--dpi", "300", list,
                             QDir(out).filePath("side-pagula.pdf")});
        },
        [&] {
            return runChild(QStringList{"img2pdf", "-o", QDir(out).filePath("side-img2pdf.pdf")} +
                            scans);
        },
        [&] { return djpegAll(scans); },
    };

    std::printf("\n%d scans, 3 x 3 cells at 300 dpi, greyscale; each round runs the three in a "
                "different order\n",
                count);
    const QByteArray loadBefore = loadAverages();
    std::printf("%5s | %-26s | %-16s | %-16s | %-17s\n", "round", "pagula-compose cpu/wall/peak",
                "img2pdf cpu/wall", "djpeg cpu/wall", "cpu/djpeg wall/img");
    std::vector<double> cpuRatios, wallRatios, peaks;
    for (int round = 0; round < rounds; ++round) {
        ChildRun runs[3];
        for (int k = 0; k < 3; ++k) {
            const int which = (round + k) % 3;
            runs[which] = commands[which]();
        }
        const ChildRun& pagula = runs[0];
        const ChildRun& img2pdf = runs[1];
        const ChildRun& djpeg = runs[2];
        if (pagula.exitCode != 0 || img2pdf.exitCode != 0 || djpeg.exitCode != 0) {
            std::printf("%5d | a command failed: pagula-compose %d, img2pdf %d, djpeg %d\n",
                        round + 1, pagula.exitCode, img2pdf.exitCode, djpeg.exitCode);
            continue;
        }
        const double cpuRatio = pagula.cpuSeconds / djpeg.cpuSeconds;
        const double wallRatio = pagula.seconds / img2pdf.seconds;
        cpuRatios.push_back(cpuRatio);
        wallRatios.push_back(wallRatio);
        peaks.push_back(pagula.peakMiB);
        std::printf(
            "%5d | %5.2f s %5.2f s %6.1f MiB | %5.2f s %6.2f s | %5.2f s %6.2f s | %6.2f %9.2f\n",
            round + 1, pagula.cpuSeconds, pagula.seconds, pagula.peakMiB, img2pdf.cpuSeconds,
            img2pdf.seconds, djpeg.cpuSeconds, djpeg.seconds, cpuRatio, wallRatio);
    }
    if (cpuRatios.empty())
        return;
    const double cpu = median(cpuRatios);
    const double wall = median(wallRatios);
    const double peak = *std::max_element(peaks.begin(), peaks.end());
    const auto verdict = [](bool held) { return held ? "holds" : "missed"; };
    std::printf("\nload average before %s, after %s\n", loadBefore.constData(),
                loadAverages().constData());
    std::printf("median over %zu rounds:\n", cpuRatios.size());
    std::printf(
        "  processor time, pagula-compose / djpeg -scale 1/2: %.2f (target at most 1.0: %s)\n", cpu,
        verdict(cpu <= 1.0));
    std::printf(
        "  wall time, pagula-compose / img2pdf:              %.2f (target at most 1.3: %s)\n", wall,
        verdict(wall <= 1.3));
    std::printf("  peak memory of pagula-compose:                    %.1f MiB (target at most "
                "100: %s)\n",
                peak, verdict(peak <= 100.0));
}

} // namespace pagula::bench
