// pagula-compose: the composition run from a terminal, for batches and scripts.

#include "cli/BatchSettings.h"
#include "cli/ComposeOptions.h"
#include "cli/DocumentOutput.h"
#include "cli/TerminalProgress.h"
#include "common/Error.h"
#include "common/Paths.h"
#include "compose/CompositionRun.h"
#include "document/BuiltinEngine.h"
#include "joblist/JobListFile.h"

#include <QCoreApplication>
#include <cstdio>

using namespace pagula;

namespace {

enum Exit { Done = 0, Failed = 1, Usage = 2, Interrupted = 3 };

int fail(const QString& message)
{
    std::fprintf(stderr, "pagula-compose: %s\n", qPrintable(message));
    return Failed;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Pagula"));

    const cli::ParseResult parsed = cli::parseComposeArguments(QCoreApplication::arguments());
    if (!parsed.options) {
        std::fputs(qPrintable(parsed.text), parsed.exitCode == 0 ? stdout : stderr);
        return parsed.exitCode == 0 ? Done : Usage;
    }
    const cli::ComposeOptions& options = *parsed.options;

    QStringList entries;
    try {
        cli::checkOutputFormat(options.outputPath);
        if (options.duplex && cli::outputFormat(options.outputPath) != cli::OutputFormat::Pdf)
            throw Error(QStringLiteral("--duplex writes a PDF; %1 is no .pdf file")
                            .arg(options.outputPath));
        if (options.twoSided && !options.duplex)
            cli::checkOutputFormat(options.backOutputPath);
        entries = joblist::loadJobListFile(options.jobListPath);
    } catch (const Error& e) {
        return fail(e.message());
    }

    cli::BatchSettings settings(options, entries);
    cli::TerminalProgress progress(stderr, options.quiet);
    document::BuiltinEngine engine;
    compose::CompositionRun run(engine, settings, progress, progress, fillerPicturePath());
    run.generate();
    progress.endLine();
    if (progress.failed())
        return fail(progress.failure());

    // A Ctrl+C during the walk stopped it; the cells placed are written. One during the writing
    // cancels it, and the previous output file stays.
    const int walkInterrupts = progress.interrupts();
    const auto& documents = engine.documents();
    const QStringList targets{options.outputPath, options.backOutputPath};
    try {
        if (options.duplex && !documents.empty()) {
            // A cancel in the front side leaves no back side: its sheets get blank backs.
            const document::Document noBack;
            const auto result = cli::saveBothSides(
                *documents.front(), documents.size() > 1 ? *documents[1] : noBack,
                options.outputPath, options.pictureDpi, [&](int step, int stepCount) {
                    progress.exportProgress(options.outputPath, step, stepCount,
                                            cli::progressUnit(options.outputPath));
                    return progress.interrupts() == walkInterrupts;
                });
            progress.endLine();
            if (result.cancelled) {
                std::fprintf(stderr, "pagula-compose: interrupted; %s was not written\n",
                             qPrintable(options.outputPath));
                return Interrupted;
            }
            if (!options.quiet)
                std::fprintf(stderr, "%s: %d page(s)\n", qPrintable(options.outputPath),
                             result.pagesWritten);
        }
        for (size_t d = 0; d < documents.size() && d < 2 && !options.duplex; ++d) {
            const QString& path = targets[int(d)];
            const QString unit = cli::progressUnit(path);
            const auto result = cli::saveDocument(
                *documents[d], path, options.pictureDpi, options.embedPictures,
                [&](int step, int stepCount) {
                    progress.exportProgress(path, step, stepCount, unit);
                    return progress.interrupts() == walkInterrupts;
                });
            progress.endLine();
            if (result.cancelled) {
                std::fprintf(stderr, "pagula-compose: interrupted; %s was not written\n",
                             qPrintable(path));
                return Interrupted;
            }
            if (!options.quiet)
                std::fprintf(stderr, "%s: %d page(s)\n", qPrintable(path), result.pagesWritten);
        }
    } catch (const Error& e) {
        progress.endLine();
        return fail(e.message());
    }
    if (walkInterrupts > 0) {
        std::fprintf(stderr, "pagula-compose: interrupted; the output holds the cells placed "
                             "before\n");
        return Interrupted;
    }
    return Done;
}
