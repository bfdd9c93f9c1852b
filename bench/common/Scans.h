#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace pagula::bench
{

// A page of typewritten text as a 300 dpi scanner delivers it (2480 x 3508): greyish paper,
// dark lines of text, a faint skew, sensor noise on every pixel. Saved as JPEG quality 85 it
// takes 1 to 2 MB.
QImage makeScan(int seed);

// The scans scan-1.jpg ... scan-<count>.jpg in folder, made once and kept for later runs.
QStringList ensureScans(const QString& folder, int count);

// A job list file in folder with the first `count` scans, each without crop; returns its path.
QString writeJobList(const QString& folder, const QStringList& scans, int count);

// Peak resident memory (MiB), wall time (s) and processor time (s, user and system, all its
// threads) of a child process.
struct ChildRun {
    int exitCode = -1;
    double seconds = 0.0;
    double peakMiB = 0.0;
    double cpuSeconds = 0.0;
};
ChildRun runChild(const QStringList& command, const QStringList& extraEnvironment = {});

} // namespace pagula::bench
