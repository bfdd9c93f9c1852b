// pagula-compose: the composition run from a terminal, for batches and scripts.

#include "cli/ArgumentChecks.h"
#include "cli/BatchSettings.h"
#include "cli/ComposeOptions.h"
#include "cli/DocumentOutput.h"
#include "cli/RawArguments.h"
#include "cli/StagedOutputs.h"
#include "cli/TerminalProgress.h"
#include "cli/TerminalText.h"
#include "common/Error.h"
#include "common/Language.h"
#include "common/Paths.h"
#include "compose/CompositionRun.h"
#include "document/BuiltinDocumentBuilder.h"
#include "imaging/PdfDocument.h"
#include "joblist/DocumentPages.h"
#include "joblist/JobEntry.h"
#include "joblist/JobListFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace pagula;

namespace
{

enum Exit { Done = 0, Failed = 1, Usage = 2, Interrupted = 3 };

void say(const QString& message)
{
    // Messages carry names from outside: each line is printed made safe.
    for (const QString& line : message.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        std::fprintf(stderr, "pagula-compose: %s\n", qPrintable(cli::terminalSafe(line)));
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
    // lives in a temporary folder for the run.
    std::unique_ptr<QTemporaryDir> fillerFolder;
    QString fillerPath;
    if (linksPictures(options)) {
        fillerPath = common::fillerPicturePath();
    } else {
        fillerFolder = std::make_unique<QTemporaryDir>();
        if (!fillerFolder->isValid())
            return fail(
                QCoreApplication::translate("main", "Невозможно создать временную папку: %1")
                    .arg(fillerFolder->errorString()));
        fillerPath = fillerFolder->filePath(QStringLiteral("Pagula-tmp.bmp"));
    }

    compose::CompositionRequest request;
    request.settings = cli::batchSettings(options, entries);
    request.fillerPath = fillerPath;
    cli::TerminalProgress progress(stderr, options.quiet);
    document::BuiltinDocumentBuilder builder;
    const compose::CompositionResult composed =
        compose::runComposition(request, builder, progress, progress.stopFlag());
    progress.endLine();
    if (composed.failure)
        return fail(*composed.failure);

    // A Ctrl+C during the walk stopped it; the cells placed are written. One during the writing
    // cancels it, and every previous output file stays. SIGTERM stops without writing.
    if (progress.terminated()) {
        say(QCoreApplication::translate(
            "main", "остановлено сигналом; ни один файл результата не изменён"));
        return Interrupted;
    }
    const int walkInterrupts = progress.interrupts();
    std::vector<std::shared_ptr<document::Document>> documents;
    for (const compose::ComposedDocument& composedDocument : composed.documents)
        documents.push_back(composedDocument.document);
    const QStringList targets{options.outputPath, options.backOutputPath};
    cli::StagedOutputs staged;
    QStringList stagedPaths;
    QStringList done;
    // Stages one output and writes it through save(stagedPath, keepGoing); false when the user
    // interrupted the writing.
    auto writeStaged = [&](const QString& path, const auto& save) {
        const QString shown = cli::shownName(path);
        const QString unit = cli::progressUnit(path);
        stagedPaths.append(staged.stage(path));
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
    try {
        bool finished = true;
        if (options.duplex && !documents.empty()) {
            // One interleaved file; a cancel in the front side leaves no back side, and its
            // sheets get blank backs.
            const document::Document noBack;
            const document::Document& back = documents.size() > 1 ? *documents[1] : noBack;
            finished =
                writeStaged(options.outputPath, [&](const QString& to, const auto& keepGoing) {
                    return cli::saveBothSides(*documents.front(), back, to, options.pictureDpi,
                                              keepGoing);
                });
        }
        // Every side is written before any replaces its file.
        for (size_t d = 0; finished && !options.duplex && d < documents.size() && d < 2; ++d) {
            finished = writeStaged(targets[int(d)], [&](const QString& to, const auto& keepGoing) {
                return cli::saveDocument(*documents[d], to, options.pictureDpi,
                                         options.embedPictures, keepGoing);
            });
        }
        if (!finished) {
            say(QCoreApplication::translate("main",
                                            "прервано; ни один файл результата не изменён"));
            return Interrupted;
        }
        staged.commit();
    } catch (const common::Error& e) {
        progress.endLine();
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
