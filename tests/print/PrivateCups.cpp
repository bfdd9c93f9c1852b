#include "PrivateCups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pagula::test
{

namespace
{

// A port the system has free now; the daemon takes it a moment later.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool writeFile(const QString& path, const QByteArray& text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

// The back end of the printing queues ("keep:FOLDER"): the document, then the options, each
// moved into place whole, so that a file that is there is complete. Run by the daemon as root
// (mode 0700) or as the daemon's own user.
const char* KeepBackend = R"SH(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct keep "Unknown" "Keep"'; exit 0; fi
dir=${DEVICE_URI#keep:}
if [ -n "$6" ]; then cat "$6" > "$dir/.$1.pdf"; else cat > "$dir/.$1.pdf"; fi
mv "$dir/.$1.pdf" "$dir/$1.pdf"
printf '%s
' "$5" > "$dir/.$1.options"
mv "$dir/.$1.options" "$dir/$1.options"
)SH";

} // namespace

PrivateCups::PrivateCups()
{
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder");
        return;
    }
    // PAGULA_KEEP_CUPS=1 keeps configuration, spool and logs for a look after a failure.
    dir_.setAutoRemove(qEnvironmentVariableIsEmpty("PAGULA_KEEP_CUPS"));
    const QDir root(dir_.path());
    for (const char* sub :
         {"etc", "etc/ppd", "spool", "spool/tmp", "cache", "state", "log", "bin/backend", "kept"})
        root.mkpath(QString::fromLatin1(sub));
    // The system's filters and helpers, and the keeping back end instead of the real ones.
    for (const char* sub : {"filter", "daemon", "notifier", "monitor"})
        QFile::link(QStringLiteral("/usr/lib/cups/") + QLatin1String(sub),
                    dir_.filePath(QStringLiteral("bin/") + QLatin1String(sub)));
    const QString backend = dir_.filePath(QStringLiteral("bin/backend/keep"));
    writeFile(backend, KeepBackend);
    QFile::setPermissions(backend,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(dir_.filePath(QStringLiteral("kept")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                              QFileDevice::ReadOther | QFileDevice::WriteOther |
                              QFileDevice::ExeOther);
    // The daemon hands spool and state to its own user; let it in.
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                           QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                           QFileDevice::ExeGroup);
    const int port = freePort();
    server_ = QStringLiteral("127.0.0.1:%1").arg(port);
    const QByteArray conf = "Listen " + server_.toLatin1() +
                            "\n"
                            "LogLevel warn\n"
                            "Browsing Off\n"
                            "WebInterface No\n"
                            "PreserveJobFiles Yes\n"
                            "PreserveJobHistory Yes\n"
                            "MaxJobs 0\n"
                            "DirtyCleanInterval 0\n"
                            "DefaultAuthType None\n"
                            "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                            "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                            "  </Limit>\n</Policy>\n";
    const QString p = dir_.path();
    const QByteArray files = ("ServerRoot " + p +
                              "/etc\n"
                              "RequestRoot " +
                              p +
                              "/spool\n"
                              "TempDir " +
                              p +
                              "/spool/tmp\n"
                              "CacheDir " +
                              p +
                              "/cache\n"
                              "StateDir " +
                              p +
                              "/state\n"
                              "ErrorLog " +
                              p +
                              "/log/error_log\n"
                              "AccessLog " +
                              p +
                              "/log/access_log\n"
                              "PageLog " +
                              p +
                              "/log/page_log\n"
                              "ServerBin " +
                              p +
                              "/bin\n"
                              "DataDir /usr/share/cups\n"
                              "FileDevice Yes\n")
                                 .toLocal8Bit();
    if (port == 0 || !writeFile(p + "/etc/cupsd.conf", conf) ||
        !writeFile(p + "/etc/cups-files.conf", files)) {
        error_ = QStringLiteral("cannot write the configuration");
        return;
    }
    daemon_.setProcessChannelMode(QProcess::MergedChannels);
    daemon_.start(QStringLiteral("/usr/sbin/cupsd"),
                  {QStringLiteral("-f"), QStringLiteral("-c"), p + "/etc/cupsd.conf",
                   QStringLiteral("-s"), p + "/etc/cups-files.conf"});
    if (!daemon_.waitForStarted(10000)) {
        error_ = QStringLiteral("cupsd does not start: ") + daemon_.errorString();
        return;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (daemon_.state() != QProcess::Running)
            break;
        // lpstat -r exits 0 also while the scheduler is not answering yet; read what it says.
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"),
                     {QStringLiteral("-h"), server_, QStringLiteral("-r")});
        if (lpstat.waitForFinished(10000) &&
            lpstat.readAllStandardOutput().trimmed() == "scheduler is running")
            return;
        QThread::msleep(100);
    }
    QFile log(p + "/log/error_log");
    log.open(QIODevice::ReadOnly);
    error_ = QStringLiteral("cupsd is not answering: ") +
             QString::fromLocal8Bit(daemon_.readAll() + log.readAll());
}

PrivateCups::~PrivateCups()
{
    if (daemon_.state() == QProcess::NotRunning)
        return;
    daemon_.terminate();
    if (!daemon_.waitForFinished(10000)) {
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }
}

QString PrivateCups::run(const QString& program, const QStringList& arguments) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return program + QStringLiteral(" does not finish");
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return program + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll());
    return {};
}

QString PrivateCups::addQueue(const QString& name, const QString& ppdPath)
{
    QStringList args{QStringLiteral("-h"), server_,
                     QStringLiteral("-p"), name,
                     QStringLiteral("-v"), QStringLiteral("file:///dev/null"),
                     QStringLiteral("-E")};
    if (!ppdPath.isEmpty())
        args << QStringLiteral("-P") << ppdPath;
    QString failure = run(QStringLiteral("lpadmin"), args);
    if (failure.isEmpty())
        failure = run(QStringLiteral("cupsdisable"), {QStringLiteral("-h"), server_, name});
    return failure;
}

QString PrivateCups::addPrintingQueue(const QString& name, const QString& ppdPath)
{
    return run(QStringLiteral("lpadmin"),
               {QStringLiteral("-h"), server_, QStringLiteral("-p"), name, QStringLiteral("-v"),
                QStringLiteral("keep:") + dir_.filePath(QStringLiteral("kept")),
                QStringLiteral("-P"), ppdPath, QStringLiteral("-E")});
}

QString PrivateCups::rejectJobs(const QString& name)
{
    return run(QStringLiteral("cupsreject"), {QStringLiteral("-h"), server_, name});
}

QString PrivateCups::cancelJob(int job)
{
    return run(QStringLiteral("cancel"), {QStringLiteral("-h"), server_, QString::number(job)});
}

PrivateCups::Kept PrivateCups::kept(int job) const
{
    const QString base = dir_.filePath(QStringLiteral("kept/%1").arg(job));
    for (int attempt = 0; attempt < 600 && !QFileInfo::exists(base + ".options"); ++attempt)
        QThread::msleep(100);
    QFile options(base + ".options");
    if (!options.open(QIODevice::ReadOnly))
        return {};
    return {QFileInfo::exists(base + ".pdf") ? base + ".pdf" : QString(),
            QString::fromUtf8(options.readAll()).trimmed()};
}

QString PrivateCups::jobDocument(int job) const
{
    return QStringLiteral("%1/spool/d%2-001").arg(dir_.path()).arg(job, 5, 10, QLatin1Char('0'));
}

QString PrivateCups::jobAttribute(int job, const QByteArray& name) const
{
    // An IPP attribute: value tag, name length (2 bytes), name, value length, value.
    QByteArray key;
    key.append(char(name.size() >> 8)).append(char(name.size() & 0xff)).append(name);
    // The daemon writes the control file a moment after it takes the job.
    QByteArray data;
    qsizetype at = -1;
    for (int attempt = 0; attempt < 50 && at < 1; ++attempt) {
        if (attempt > 0)
            QThread::msleep(100);
        QFile control(
            QStringLiteral("%1/spool/c%2").arg(dir_.path()).arg(job, 5, 10, QLatin1Char('0')));
        if (control.open(QIODevice::ReadOnly))
            data = control.readAll();
        at = data.indexOf(key);
    }
    if (at < 1 || at + key.size() + 2 > data.size())
        return {};
    const qsizetype v = at + key.size();
    const int length = (uchar(data[v]) << 8) | uchar(data[v + 1]);
    return QString::fromUtf8(data.mid(v + 2, length));
}

} // namespace pagula::test
