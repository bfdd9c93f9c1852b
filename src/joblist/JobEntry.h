#pragma once

#include <QChar>
#include <QString>

namespace pagula::joblist
{

// A job entry is the full path of a picture followed directly by one crop code character:
// "/scans/a.jpg0". Every reader takes it apart by its last character.

// The path part of a blank entry: it stands for an empty cell.
inline const QString BlankMarker = QStringLiteral("(пустая страница)");

inline constexpr QChar NoCrop = QLatin1Char('0');
inline constexpr QChar CropProfile1 = QLatin1Char('1');
inline constexpr QChar CropProfile2 = QLatin1Char('2');

bool isCropCode(QChar c);

// The text without its last character.
QString entryPath(const QString& entry);

// The last character; a null QChar for an empty text.
QChar entryCropCode(const QString& entry);

// The crop code as a number 0..2; anything else counts as 0 ("no crop").
int entryCropNumber(const QString& entry);

// The same path with another crop code.
QString withCropCode(const QString& entry, QChar code);

QString makeEntry(const QString& path, QChar code = NoCrop);

// BlankMarker followed by "0".
QString blankEntry();

// The composition takes every entry holding the marker anywhere for an empty cell.
bool containsBlankMarker(const QString& entry);

// The full path of a file in a folder: folder + "/" (unless it already ends with one) + name.
QString filePathIn(const QString& folder, const QString& name);

// A file name with a line break (or NUL) cannot be stored in the line-per-entry job list file.
bool hasLineBreak(const QString& text);

// The label under the tick buttons: "Выбрано файлов: " and the count.
QString tickedCountText(int count);

} // namespace pagula::joblist
