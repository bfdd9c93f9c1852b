#include "common/Scans.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace pagula::bench
{

QImage makeScan(int seed)
{
    QImage scan(2480, 3508, QImage::Format_RGB32);
    scan.fill(QColor(236, 234, 228));
    QPainter painter(&scan);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.rotate(0.3 + (seed % 9) * 0.05);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(42);
    painter.setFont(font);
    painter.setPen(QColor(40, 40, 45));
    QRandomGenerator random(static_cast<quint32>(seed));
    static const char* words[] = {"integral", "the",       "of",         "function", "limit",
                                  "series",   "converges", "where",      "theorem",  "proof",
                                  "if",       "and",       "derivative", "x",        "=",
                                  "sin",      "dx",        "for",        "all",      "n"};
    for (int line = 0; line < 62; ++line) {
        QString text;
        while (text.size() < 70)
            text += QLatin1String(words[random.bounded(20)]) + QLatin1Char(' ');
        painter.drawText(200, 260 + line * 50, text);
    }
    painter.end();
    for (int y = 0; y < scan.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(scan.scanLine(y));
        for (int x = 0; x < scan.width(); ++x) {
            const int n = static_cast<int>(random.bounded(9)) - 4;
            const QRgb p = row[x];
            row[x] = qRgb(std::clamp(qRed(p) + n, 0, 255), std::clamp(qGreen(p) + n, 0, 255),
                          std::clamp(qBlue(p) + n, 0, 255));
        }
    }
    return scan;
}

QStringList ensureScans(const QString& folder, int count)
{
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path = QDir(folder).filePath(QStringLiteral("scan-%1.jpg").arg(i + 1));
        if (!QFileInfo::exists(path)) {
            QImage scan = makeScan(i);
            scan.setDotsPerMeterX(11811);
            scan.setDotsPerMeterY(11811);
            scan.save(path, "JPEG", 85);
        }
        paths.append(path);
    }
    return paths;
}

QString writeJobList(const QString& folder, const QStringList& scans, int count)
{
    const QString path = QDir(folder).filePath(QStringLiteral("list-%1.txt").arg(count));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        for (int i = 0; i < count && i < scans.size(); ++i)
            f.write((scans[i] + QStringLiteral("0\r\n")).toUtf8());
    return path;
}

ChildRun runChild(const QStringList& command, const QStringList& extraEnvironment)
{
    std::vector<QByteArray> args;
    for (const QString& a : command)
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<QByteArray> envStore;
    for (char** e = environ; *e; ++e)
        envStore.emplace_back(*e);
    for (const QString& e : extraEnvironment)
        envStore.push_back(e.toLocal8Bit());
    std::vector<char*> envp;
    for (QByteArray& e : envStore)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    ChildRun run;
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        return run;
    int status = 0;
    struct rusage usage = {};
    wait4(pid, &status, 0, &usage);
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakMiB = usage.ru_maxrss / 1024.0;
    run.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
                     usage.ru_stime.tv_usec / 1e6;
    return run;
}

} // namespace pagula::bench
