// pagula-compose: the composition run from a terminal, for batches and scripts.

#include "cli/ArgumentChecks.h"
#include "cli/BatchSettings.h"
#include "cli/ComposeOptions.h"
#include "cli/DocumentOutput.h"
#include "cli/HeapReuse.h"
#include "cli/RawArguments.h"
#include "cli/SignalDeadline.h"
#include "cli/StagedOutputs.h"
#include "cli/TerminalProgress.h"
#include "cli/TerminalText.h"
#include "common/Error.h"
#include "common/Language.h"
#include "common/Paths.h"
#include "common/TemporaryFolders.h"
#include "compose/CompositionRun.h"
#include "document/BuiltinDocumentBuilder.h"
#include "imaging/PdfDocument.h"
#include "joblist/DocumentPages.h"
#include "joblist/JobEntry.h"
#include "joblist/JobListFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

using namespace pagula;

namespace
{

enum Exit { Done = 0, Failed = 1, Usage = 2, Interrupted = 3 };

// A request to end is carried out within this time, whatever the run is doing.
constexpr std::chrono::milliseconds endGrace{1000};

bool g_listening = true;

void say(const QString& message)
{
    // A message is one line; the names from outside that it carries are made safe as part of it,
    // so that a line break in a name cannot start a line of its own.
    if (!g_listening)
        return;
    if (std::fprintf(stderr, "pagula-compose: %s\n", qPrintable(cli::terminalSafe(message))) < 0 &&
        errno == EPIPE)
        g_listening = false; // nobody reads any more
}

QString endMessage(const cli::TerminalProgress& progress)
{
    return progress.terminated()
               ? QCoreApplication::translate(
                     "main", "остановлено сигналом; ни один файл результата не изменён")
               : QCoreApplication::translate("main",
                                             "прервано; ни один файл результата не изменён");
}

int fail(const QString& message)
{
    say(message);
    return Failed;
}

int usage(const QString& message)
{
    say(message);
    std::fputs(qPrintable(QCoreApplication::translate("ComposeOptions",
                                                      "Справка: pagula-compose --help.\n")),
               stderr);
    return Usage;
}

// Image plug-ins (libpng, libtiff) warn about details they work around; what matters reaches
// the user as an error naming the picture, so the rest is kept off the terminal.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "pagula-compose: %s\n", qPrintable(cli::terminalSafe(text)));
}

bool namesJpeg(const QString& message, const joblist::JobEntries& entries)
{
    for (const joblist::JobEntry& entry : entries) {
        const QString& path = entry.path;
        if (path.isEmpty() || !message.contains(path))
            continue;
        QFile file(path);
        if (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) &&
            file.read(3) == QByteArray("\xFF\xD8\xFF", 3))
            return true;
    }
    return false;
}

bool linksPictures(const cli::ComposeOptions& o)
{
    return !o.embedPictures && cli::outputFormat(o.outputPath) != cli::OutputFormat::Pdf;
}

} // namespace

int main(int argc, char** argv)
{
    // Past a file size limit (ulimit -f) a write then fails with "File too large", which is
    // reported, instead of the signal ending the command with its staged file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    // A reader of our messages that goes away (a pipe into head) ends the run as SIGTERM does
    // once the run has begun (see TerminalProgress); before that, and for the last words, a
    // write fails with EPIPE instead of killing the command.
    std::signal(SIGPIPE, SIG_IGN);
    QString badArgument;
    const auto arguments = cli::decodeArguments(argc, argv, &badArgument);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Pagula"));
    // One language for the whole run: --lang, then the locale.
    common::installTranslations(
        app, common::chooseLanguage(arguments ? cli::requestedLanguage(*arguments) : QString(),
                                    QString()));
    qInstallMessageHandler(quietMessages);
    if (!arguments) {
        // Read again to word the message in the run's language.
        cli::decodeArguments(argc, argv, &badArgument);
        return usage(badArgument);
    }

    const cli::ParseResult parsed = cli::parseComposeArguments(*arguments);
    if (!parsed.options) {
        if (parsed.exitCode == 0) {
            std::fputs(qPrintable(parsed.text), stdout);
            return Done;
        }
        // The parser's messages quote what was typed.
        for (const QString& line : parsed.text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            std::fprintf(stderr, "%s\n", qPrintable(cli::terminalSafe(line)));
        return Usage;
    }
    const cli::ComposeOptions& options = *parsed.options;
    cli::keepFreedPicturesForReuse();

    QStringList warnings;
    if (const auto error = cli::checkArguments(options, &warnings))
        return usage(*error);
    if (!options.quiet) {
        for (const QString& w : warnings)
            say(QCoreApplication::translate("main", "предупреждение: %1").arg(w));
    }

    joblist::JobEntries entries;
    try {
        // A PDF named whole in the list is laid out page by page.
        const joblist::PagedEntries paged =
            joblist::expandDocuments(joblist::loadJobListFile(options.jobListPath),
                                     &imaging::pdfPageList, joblist::UnreadableDocument::Keep);
        entries = paged.entries;
        if (!options.quiet) {
            for (const QString& problem : paged.problems)
                say(QCoreApplication::translate("main", "предупреждение: %1").arg(problem));
        }
    } catch (const common::Error& e) {
        return fail(e.message());
    }
    if (entries.isEmpty())
        return fail(QCoreApplication::translate(
                        "main", "%1: в списке заданий нет рисунков; ничего не записано")
                        .arg(cli::shownName(options.jobListPath)));
    if (const auto error = cli::checkOutputsAgainstInputs(options, entries))
        return usage(*error);

    // The white filler only needs a lasting file when a document links to it; otherwise it
    // lives in a temporary folder for the run, among the program's own, where a later run
    // removes it should this one be killed.
    common::removeStaleTemporaryFolders();
    std::unique_ptr<common::TemporaryFolder> fillerFolder;
    QString fillerPath;
    if (linksPictures(options)) {
        fillerPath = common::fillerPicturePath();
    } else {
        fillerFolder = common::makeTemporaryFolder();
        if (!fillerFolder->isValid())
            return fail(
                QCoreApplication::translate("main", "Невозможно создать временную папку: %1")
                    .arg(fillerFolder->errorString()));
        fillerPath = fillerFolder->filePath(QStringLiteral("Pagula-tmp.bmp"));
    }

    compose::CompositionRequest request;
    request.settings = cli::batchSettings(options, entries);
    request.fillerPath = fillerPath;
    cli::TerminalProgress progress(stderr, options.quiet || !g_listening);
    cli::StagedOutputs staged;
    // SIGTERM, SIGHUP, or Ctrl+C while writing: whatever step holds the run up, it ends within
    // a second, its temporary and staged files removed and no output changed.
    cli::SignalDeadline deadline(&cli::TerminalProgress::endWanted, endGrace, Interrupted);
    deadline.setCleanup([&] {
        staged.discard();
        common::removeOwnTemporaryFolders();
        say(endMessage(progress));
    });
    document::BuiltinDocumentBuilder builder;
    const compose::CompositionResult composed =
        compose::runComposition(request, builder, progress, progress.stopFlag());
    progress.endLine();
    if (composed.failure && !progress.terminated())
        return fail(*composed.failure);

    // A Ctrl+C during the walk stopped it; the cells placed are written. One during the writing
    // cancels it, and every previous output file stays. SIGTERM stops without writing.
    if (progress.terminated()) {
        say(endMessage(progress));
        return Interrupted;
    }
    const int walkInterrupts = progress.interrupts();
    std::vector<std::shared_ptr<document::Document>> documents;
    for (const compose::ComposedDocument& composedDocument : composed.documents)
        documents.push_back(composedDocument.document);
    const QStringList targets{options.outputPath, options.backOutputPath};
    QStringList stagedPaths;
    QStringList done;
    // Stages one output and writes it through save(stagedPath, keepGoing); false when the user
    // interrupted the writing.
    auto writeStaged = [&](const QString& path, const auto& save) {
        const QString shown = cli::shownName(path);
        const QString unit = cli::progressUnit(path);
        deadline.guarded([&] { stagedPaths.append(staged.stage(path)); });
        const auto result = save(stagedPaths.back(), [&](int step, int stepCount) {
            progress.exportProgress(shown, step, stepCount, unit);
            return progress.interrupts() == walkInterrupts && !progress.terminated();
        });
        progress.endLine();
        if (!result.cancelled)
            done.append(QCoreApplication::translate("main", "%1: страниц: %2")
                            .arg(shown)
                            .arg(result.pagesWritten));
        return !result.cancelled;
    };
    // Without --dpi, pages of small cells get the printer's resolution.
    const double pictureDpi = options.dpiGiven ? options.pictureDpi : 0.0;
    progress.startWriting();
    try {
        bool finished = true;
        if (options.duplex && !documents.empty()) {
            // One interleaved file; a cancel in the front side leaves no back side, and its
            // sheets get blank backs.
            const document::Document noBack;
            const document::Document& back = documents.size() > 1 ? *documents[1] : noBack;
            finished =
                writeStaged(options.outputPath, [&](const QString& to, const auto& keepGoing) {
                    return cli::saveBothSides(*documents.front(), back, to, pictureDpi, keepGoing);
                });
        }
        // Every side is written before any replaces its file.
        for (size_t d = 0; finished && !options.duplex && d < documents.size() && d < 2; ++d) {
            finished = writeStaged(targets[int(d)], [&](const QString& to, const auto& keepGoing) {
                return cli::saveDocument(*documents[d], to, pictureDpi, options.embedPictures,
                                         keepGoing);
            });
        }
        deadline.beginCommit();
        if (!finished || cli::TerminalProgress::endWanted()) {
            say(endMessage(progress));
            return Interrupted;
        }
        staged.commit();
    } catch (const common::Error& e) {
        progress.endLine();
        // A decode stopped by the request to end fails its picture.
        if (cli::TerminalProgress::endWanted()) {
            say(endMessage(progress));
            return Interrupted;
        }
        // The writers name the file they made; the user knows the output's name.
        QString message = e.message();
        for (int k = 0; k < stagedPaths.size(); ++k)
            message.replace(stagedPaths[k], targets[k]);
        // A JPEG decodes in smaller steps at a lower resolution; other formats do not.
        if (message.contains(QLatin1String(" is too large (")) &&
            cli::outputFormat(options.outputPath) == cli::OutputFormat::Pdf &&
            options.pictureDpi > 150 && namesJpeg(message, entries))
            message += QCoreApplication::translate(
                           "main", " (слишком велик для %1 dpi; попробуйте --dpi %2)")
                           .arg(options.pictureDpi)
                           .arg(std::max(150, int(options.pictureDpi / 2)));
        const QString unchanged =
            QCoreApplication::translate("main", "ни один файл результата не изменён");
        if (!message.contains(unchanged))
            message += QStringLiteral("; ") + unchanged;
        return fail(message);
    }
    if (!options.quiet) {
        for (const QString& line : done)
            std::fprintf(stderr, "%s\n", qPrintable(line));
    }
    if (walkInterrupts > 0) {
        say(QCoreApplication::translate(
            "main", "прервано; в результате — ячейки, размещённые до прерывания"));
        return Interrupted;
    }
    return Done;
}
