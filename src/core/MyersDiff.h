#pragma once

#include <QtGlobal>
#include <span>
#include <vector>

namespace ts {

// Which tokens an edit script removes from the first sequence and inserts from the second.
struct EditScript {
    std::vector<char> removed;
    std::vector<char> inserted;
};

// Myers' greedy O(ND) algorithm with a copy of V kept per pass and the path recovered
// backwards. Only the live diagonals of each pass are copied (d + 1 values for pass d); when the
// copies would exceed traceByteBound it gives up and returns false. peakBytes receives the
// working memory it held at most.
bool greedyEditScript(std::span<const int> a, std::span<const int> b, qint64 traceByteBound,
                      EditScript& script, qint64& peakBytes);

// The divide-and-conquer (middle snake) form: linear memory and the same number of changed
// tokens, though among equally short scripts it may pick another one. With a cost limit, a
// split whose search passes it is cut at the furthest point either search reached: the script
// is then near-minimal, and time grows with the tokens times the limit rather than quadratically.
// Returns whether the limit was ever reached.
bool linearSpaceEditScript(std::span<const int> a, std::span<const int> b, EditScript& script,
                           qint64& peakBytes, int costLimit = 0);

}  // namespace ts
