#include "cli/HeapReuse.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace pagula::cli
{

void keepFreedPicturesForReuse()
{
#if defined(M_MMAP_THRESHOLD) && defined(M_TRIM_THRESHOLD)
    // Both are needed: below the mapping threshold a picture comes from the heap, and below the
    // trim threshold a freed one stays there. 32 MiB is the largest mapping threshold glibc
    // accepts; larger pictures are mapped and unmapped as before. At most that much freed
    // memory is kept at the top of a heap.
    constexpr int kept = 32 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kept);
    mallopt(M_TRIM_THRESHOLD, kept);
#endif
}

} // namespace pagula::cli
