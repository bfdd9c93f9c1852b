#pragma once

#include <QString>

namespace pagula::preview {

// The text that stands in for a picture in a blank job list entry.
inline const QString& blankMarker()
{
    static const QString marker = QStringLiteral("(пустая страница)");
    return marker;
}

// A job list entry as the preview takes it apart: the path is the text without its last
// character, the crop code that character minus '0'.
struct EntryParts {
    QString path;
    int cropCode = 0;
};

// An empty entry (a hand-edited list file may hold one) has no crop character: code 0 and an
// empty path, which then fails as a file without extension.
EntryParts splitEntry(const QString& entry);

} // namespace pagula::preview
