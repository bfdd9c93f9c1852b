#include "common/DeviceWrite.h"

#include <QIODevice>

namespace pagula::common
{

bool writeFully(QIODevice& device, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qint64 left = bytes.size();
    while (left > 0) {
        const qint64 n = device.write(data, left);
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

} // namespace pagula::common
