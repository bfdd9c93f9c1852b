#include "joblist/DocumentPages.h"

#include "common/Error.h"
#include "common/PictureAddress.h"

namespace pagula::joblist
{

bool isDocumentFile(const QString& path)
{
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

PagedEntries expandDocuments(const JobEntries& entries, const PageLister& listPages,
                             UnreadableDocument unreadable)
{
    PagedEntries out;
    out.entries.reserve(entries.size());
    for (const JobEntry& entry : entries) {
        if (entry.isBlank() || !listPages || !isDocumentFile(entry.path) ||
            common::PictureAddress::fromText(entry.path).isPage()) {
            out.entries.append(entry);
            continue;
        }
        common::DocumentPageList pages;
        QString problem;
        try {
            pages = listPages(entry.path, MaxPagesPerDocument);
        } catch (const common::Error& e) {
            problem = e.message(); // it names the file
        }
        if (!problem.isEmpty() || pages.total <= 0) {
            if (unreadable == UnreadableDocument::Keep)
                out.entries.append(entry);
            else if (problem.isEmpty())
                out.problems.append(QStringLiteral("PDF file %1 has no pages").arg(entry.path));
            else
                out.problems.append(problem);
            continue;
        }
        out.problems.append(pages.problems);
        if (pages.total > MaxPagesPerDocument)
            out.problems.append(QStringLiteral("Only the first %1 of the %2 pages of %3 were added")
                                    .arg(MaxPagesPerDocument)
                                    .arg(pages.total)
                                    .arg(entry.path));
        for (const int page : pages.readable)
            out.entries.append({common::pageAddress(entry.path, page), entry.cropProfile});
    }
    return out;
}

} // namespace pagula::joblist
