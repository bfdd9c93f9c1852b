#pragma once

namespace pagula::layout
{

// The largest cell that fits: what the page length leaves between two margins, shared by
// `count` cells. The numerator is a whole number; it is formed in 64 bits so that typed
// margins near the integer limits cannot overflow. `count` is at least 1 (its spin buttons
// start at 1).
double maxCellSize(int pageLength, int marginBefore, int marginAfter, int count);

// The chosen size never exceeds the maximum; there is no lower bound. Returns true when the
// size had to come down.
bool clampToMaximum(double& size, double maximum);

} // namespace pagula::layout
