#pragma once

#include <QByteArrayView>

class QIODevice;

namespace pagula::common
{

// Writes all of bytes. A write the system cuts short (a full disk, a file size limit) is tried
// again for the rest, which then fails with the system's reason in device.errorString(); Qt
// gives a cut-short write no reason of its own. False when the device took less than all.
//
// Files are best opened Unbuffered for this: a buffered QFileDevice cuts the reason off the
// same way when it empties its buffer, and QSaveFile::commit() ignores a failure of that last
// emptying, keeping a file cut short.
bool writeFully(QIODevice& device, QByteArrayView bytes);

} // namespace pagula::common
