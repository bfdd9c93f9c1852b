#include "document/PrintJobOptions.h"

#include <QSet>

namespace pagula::document
{

namespace
{

// Options the program sets itself or that would break the sheets up; compared without case,
// as CUPS does.
bool isOwnOption(const QByteArray& name)
{
    static const QSet<QByteArray> own{"media",
                                      "pagesize",
                                      "pageregion",
                                      "pagemedia",
                                      "page-ranges",
                                      "page-set",
                                      "number-up",
                                      "number-up-layout",
                                      "fit-to-page",
                                      "fitplot",
                                      "fittopage",
                                      "print-scaling",
                                      "scaling",
                                      "natural-scaling",
                                      "ppi",
                                      "position",
                                      "mirror",
                                      "landscape",
                                      "orientation-requested",
                                      "sides",
                                      "duplex",
                                      "outputorder",
                                      "output-order",
                                      "copies",
                                      "collate",
                                      "multiple-document-handling"};
    return own.contains(name.toLower());
}

QByteArray sidesKeyword(Sides sides)
{
    switch (sides) {
    case Sides::TwoSidedLongEdge:
        return "two-sided-long-edge";
    case Sides::TwoSidedShortEdge:
        return "two-sided-short-edge";
    case Sides::OneSided:
        break;
    }
    return "one-sided";
}

} // namespace

JobOptions jobOptions(const QStringList& dialogOptions, const JobRequest& request)
{
    JobOptions options;
    const auto add = [&options](const QByteArray& name, const QByteArray& value) {
        options.append({name, value});
    };
    for (qsizetype i = 0; i + 1 < dialogOptions.size(); i += 2) {
        const QByteArray name = dialogOptions[i].toUtf8();
        if (!name.isEmpty() && !isOwnOption(name))
            add(name, dialogOptions[i + 1].toUtf8());
    }
    add("media", "A4");
    add("print-scaling", "none");
    add("fit-to-page", "false");
    add("sides", sidesKeyword(request.sides));
    if (request.copies > 1) {
        add("copies", QByteArray::number(request.copies));
        add("multiple-document-handling", request.collate ? "separate-documents-collated-copies"
                                                          : "separate-documents-uncollated-copies");
    }
    if (request.pagesInSentOrder)
        add("outputorder", "normal");
    return options;
}

} // namespace pagula::document
