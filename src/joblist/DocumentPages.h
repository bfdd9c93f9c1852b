#pragma once

#include "common/PictureAddress.h"
#include "joblist/JobEntry.h"

#include <QStringList>

#include <functional>

namespace pagula::joblist
{

// A document file (a PDF) goes into the job list page by page, each page an entry of its own.

// The pages of the document file at `path` (at most maxPages of them looked at). Throws
// common::Error when the file cannot be read as a document (missing, damaged, encrypted).
using PageLister = std::function<common::DocumentPageList(const QString& path, int maxPages)>;

// Whether a file is taken page by page: a PDF, known by its name, so that adding pictures never
// has to open them.
bool isDocumentFile(const QString& path);

// A document with more pages gives only its first ones, with a note.
inline constexpr int MaxPagesPerDocument = 2000;

// What a document cannot give is dropped with its message (adding a file), or kept as the one
// entry it was, to fail later where its pages are read (loading a job list).
enum class UnreadableDocument { Drop, Keep };

struct PagedEntries {
    JobEntries entries;
    QStringList problems; // one line per document dropped or cut short, or page left out
};

// Every entry that names a whole document file becomes one entry per readable page, in page
// order, with the entry's crop profile; a page that cannot be read is left out with its message.
// Other entries, page entries included, stay as they are.
PagedEntries expandDocuments(const JobEntries& entries, const PageLister& listPages,
                             UnreadableDocument unreadable);

} // namespace pagula::joblist
