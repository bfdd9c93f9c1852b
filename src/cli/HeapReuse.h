#pragma once

namespace pagula::cli
{

// Has the C library keep the memory of freed pictures for the next ones instead of handing it
// back to the system: each picture then reuses pages already mapped rather than faulting in
// fresh zeroed ones. Meant for a batch run, which frees and allocates the same sizes over and
// over; the budget that bounds the decoders holds as before.
void keepFreedPicturesForReuse();

} // namespace pagula::cli
