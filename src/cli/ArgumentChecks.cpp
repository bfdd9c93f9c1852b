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

namespace pagula::cli
{

std::optional<QString> checkArguments(const ComposeOptions& o, QStringList* warnings)
{
    try {
        checkOutputFormat(o.outputPath);
        if (o.duplex && outputFormat(o.outputPath) != OutputFormat::Pdf)
            throw common::Error(QStringLiteral("--duplex writes a PDF; %1 is no .pdf file")
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
        warnings->append(QStringLiteral("--back has no effect without --two-sided"));
    if (o.backOffsetGiven && !o.twoSided)
        warnings->append(QStringLiteral("--back-offset has no effect without --two-sided"));
    if (o.embedPictures && pdf)
        warnings->append(QStringLiteral("--embed has no effect on a PDF, which always holds its "
                                        "pictures"));
    if (o.dpiGiven && !pdf)
        warnings->append(QStringLiteral("--dpi has no effect on an .odt or .docx, which keeps "
                                        "the pictures at their own resolution"));
    return std::nullopt;
}

std::optional<QString> checkOutputsAgainstInputs(const ComposeOptions& o,
                                                 const joblist::JobEntries& entries)
{
    QList<NamedFile> outputs{{QStringLiteral("OUTPUT"), o.outputPath}};
    if (o.twoSided && !o.duplex)
        outputs.append({QStringLiteral("the back side (--back)"), o.backOutputPath});
    QList<NamedFile> inputs{{QStringLiteral("the job list"), o.jobListPath}};
    for (const joblist::JobEntry& entry : entries) {
        if (!entry.isBlank())
            inputs.append({QStringLiteral("the picture"), common::addressedFile(entry.path)});
    }
    return findSharedFile(outputs, inputs);
}

} // namespace pagula::cli
