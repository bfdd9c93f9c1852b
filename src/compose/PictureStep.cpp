#include "compose/PictureStep.h"

#include "common/Error.h"
#include "document/BuiltinDocumentBuilder.h"

#include <new>

namespace pagula::compose
{

PreparedPicture probePicture(const PictureTask& task)
{
    PreparedPicture prepared{task, {}, {}};
    try {
        prepared.ownSize = document::cellPictureSize(task.path);
    } catch (const common::Error& e) {
        prepared.failure = e.message();
    } catch (const std::bad_alloc&) {
        prepared.failure =
            QStringLiteral("Cannot insert picture %1: not enough memory").arg(task.path);
    }
    return prepared;
}

} // namespace pagula::compose
