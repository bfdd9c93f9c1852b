#include "preview/PreviewEntry.h"

namespace pagula::preview {

EntryParts splitEntry(const QString& entry)
{
    EntryParts parts;
    if (entry.isEmpty())
        return parts;
    parts.path = entry.left(entry.size() - 1);
    parts.cropCode = entry.back().unicode() - u'0';
    return parts;
}

} // namespace pagula::preview
