#pragma once

#include <QChar>
#include <QList>
#include <QString>

namespace pagula::joblist
{

// The path of a blank entry: it stands for an empty cell.
inline const QString BlankMarker = QStringLiteral("(пустая страница)");

inline constexpr QChar NoCrop = QLatin1Char('0');
inline constexpr QChar CropProfile1 = QLatin1Char('1');
inline constexpr QChar CropProfile2 = QLatin1Char('2');

bool isCropCode(QChar c);

// One entry of the job list: the full path of a picture, or a page of a document as
// common/PictureAddress.h writes it, and the crop profile it gets (0 none, 1 or 2), or a blank.
// Only the job list file and the list's display write an entry as text: the path followed
// directly by the crop code digit, "/scans/a.jpg0", "<page 3>/lectures/notes.pdf1".
struct JobEntry {
    QString path; // a picture address
    int cropProfile = 0;

    // The blank entry as the Insert key makes it: the marker with no crop.
    static JobEntry blank() { return {BlankMarker, 0}; }
    // A blank is an entry whose path is exactly the marker; its crop profile only changes its
    // icon. A picture whose path merely contains the marker text is a picture.
    bool isBlank() const { return path == BlankMarker; }

    // '0', '1' or '2'.
    QChar cropCode() const;
    // The same entry with the crop profile of a crop code ('0' for anything else).
    JobEntry withCropCode(QChar code) const;

    // What the list shows: the path, or the document's path and the page number.
    QString shownText() const;

    // The text form. A text whose last character is not a crop code is a path with no crop.
    QString text() const;
    static JobEntry fromText(const QString& text);

    friend bool operator==(const JobEntry& a, const JobEntry& b)
    {
        return a.cropProfile == b.cropProfile && a.path == b.path;
    }
    friend bool operator!=(const JobEntry& a, const JobEntry& b) { return !(a == b); }
};

using JobEntries = QList<JobEntry>;

// The full path of a file in a folder: folder + "/" (unless it already ends with one) + name.
QString filePathIn(const QString& folder, const QString& name);

// A file name with a line break (or NUL) cannot be stored in the line-per-entry job list file.
bool hasLineBreak(const QString& text);

// The label under the tick buttons: "Выбрано файлов: " and the count.
QString tickedCountText(int count);

} // namespace pagula::joblist
