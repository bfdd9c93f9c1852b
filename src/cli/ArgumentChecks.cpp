#include "cli/ArgumentChecks.h"

#include "cli/BatchSettings.h"
#include "cli/DocumentOutput.h"
#include "cli/FileIdentity.h"
#include "cli/OutputTarget.h"
#include "cli/TerminalText.h"
#include "common/Error.h"
#include "common/PictureAddress.h"
#include "compose/SettingsCheck.h"
#include "joblist/JobEntry.h"
#include <QCoreApplication>

namespace pagula::cli
{

std::optional<QString> checkArguments(const ComposeOptions& o, QStringList* warnings)
{
    try {
        checkOutputFormat(o.outputPath);
        if (o.duplex && outputFormat(o.outputPath) != OutputFormat::Pdf)
            throw common::Error(QCoreApplication::translate(
                                    "ArgumentChecks", "--duplex записывает PDF; %1 — не файл .pdf")
                                    .arg(shownName(o.outputPath)));
        if (o.twoSided && !o.duplex)
            checkOutputFormat(o.backOutputPath);
        checkOutput(o.outputPath, warnings);
        if (o.twoSided && !o.duplex)
            checkOutput(o.backOutputPath, warnings);
    } catch (const common::Error& e) {
        return e.message();
    }

    if (const auto problem = layout::checkLayout(compose::layoutInput(batchSettings(o, {}))))
        return problem->optionMessage;

    const bool pdf = outputFormat(o.outputPath) == OutputFormat::Pdf;
    if (o.backOutputGiven && !o.twoSided)
        warnings->append(QCoreApplication::translate("ArgumentChecks",
                                                     "--back без --two-sided ничего не меняет"));
    if (o.backOffsetGiven && !o.twoSided)
        warnings->append(QCoreApplication::translate(
            "ArgumentChecks", "--back-offset без --two-sided ничего не меняет"));
    if (o.embedPictures && pdf)
        warnings->append(QCoreApplication::translate(
            "ArgumentChecks", "--embed ничего не меняет для PDF: он всегда хранит свои рисунки"));
    if (o.dpiGiven && !pdf)
        warnings->append(QCoreApplication::translate(
            "ArgumentChecks",
            "--dpi ничего не меняет для .odt и .docx: рисунки в них остаются в своём разрешении"));
    return std::nullopt;
}

std::optional<QString> checkOutputsAgainstInputs(const ComposeOptions& o,
                                                 const joblist::JobEntries& entries)
{
    QList<NamedFile> outputs{
        {QCoreApplication::translate("ArgumentChecks", "РЕЗУЛЬТАТ"), o.outputPath}};
    if (o.twoSided && !o.duplex)
        outputs.append({QCoreApplication::translate("ArgumentChecks", "обратная сторона (--back)"),
                        o.backOutputPath});
    QList<NamedFile> inputs{
        {QCoreApplication::translate("ArgumentChecks", "список заданий"), o.jobListPath}};
    for (const joblist::JobEntry& entry : entries) {
        if (!entry.isBlank())
            inputs.append({QCoreApplication::translate("ArgumentChecks", "рисунок"),
                           common::addressedFile(entry.path)});
    }
    return findSharedFile(outputs, inputs);
}

} // namespace pagula::cli
