#pragma once

#include "joblist/JobEntry.h"

#include <QByteArray>

class QIODevice;

namespace pagula::joblist
{

// The job list file: UTF-8 text, one entry per line, each line ended by CR LF, nothing else.
//
// Reading is lenient with hand-edited files: a line ends at CR LF, a lone CR or a lone LF; a NUL
// byte ends the text; a byte order mark at the start is dropped; empty lines are skipped; a line
// whose last character is not a crop code is taken whole as the path, with no crop. Byte sequences
// that are not UTF-8 become U+FFFD: such a name could not be opened anyway (file names here are
// Unicode strings), and the entry stays visible in the list, where its picture fails to load with a
// clear message.

// A larger file is refused rather than read into memory.
inline constexpr qint64 MaxJobListFileBytes = qint64(64) * 1024 * 1024;
// Two-byte lines would otherwise make 32 million entries out of one allowed file.
inline constexpr int MaxJobListEntries = 1000000;
// A path plus its crop code: the system opens no path of PATH_MAX (4096) bytes or more, so a
// longer line cannot name a picture.
inline constexpr qint64 MaxJobListLineBytes = 4096;

// Splits file contents into entries with the rules above. Stops after maxEntries + 1 entries,
// so a caller can tell that the limit was passed.
JobEntries parseJobListText(const QByteArray& bytes, int maxEntries = MaxJobListEntries);

// The line (from 1) that a NUL byte cuts short, when entries follow it and would be lost; 0
// when there is none or only padding (NUL bytes, blanks, line breaks) follows it. Lines are
// counted by LF.
int lineCutByNul(const QByteArray& bytes);

// The file contents for the entries. Paths never hold a line break (adding refuses such file
// names, loading splits at them). A first entry that itself starts with U+FEFF is preceded by a
// byte order mark so that reading gives it back whole.
QByteArray serializeJobList(const JobEntries& entries);

// Writes the serialized entries; false when the device fails.
bool writeJobList(QIODevice& device, const JobEntries& entries);

// Replaces the file through a temporary file and a rename, so a write that fails half way leaves
// the previous file as it was. Throws common::Error("Cannot create file %s").
void saveJobListFile(const QString& path, const JobEntries& entries);

// Reads the whole file. Only a regular file is read: a folder, FIFO or device in its place is an
// error, never a wait. Throws common::Error("Cannot open file %s: reason"): the system's reason,
// what is in the file's place, the size or entry limit, a line longer than MaxJobListLineBytes
// (refused as soon as it is read, before the rest of the file), or a NUL byte with entries after
// it.
JobEntries loadJobListFile(const QString& path);

} // namespace pagula::joblist
