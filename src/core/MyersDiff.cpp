#include "core/MyersDiff.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace ts {

bool greedyEditScript(std::span<const int> a, std::span<const int> b, qint64 traceByteBound,
                      EditScript& script, qint64& peakBytes) {
    const qsizetype n = qsizetype(a.size());
    const qsizetype m = qsizetype(b.size());
    script.removed.assign(size_t(n), 0);
    script.inserted.assign(size_t(m), 0);
    peakBytes = 0;

    // At least |n - m| passes are needed, and the copies of passes 0..D-1 hold D(D+1)/2 values.
    const qint64 minPasses = std::abs(qint64(n) - qint64(m));
    if (qint64(sizeof(int)) * minPasses * (minPasses + 1) / 2 > traceByteBound) {
        return false;
    }

    const qsizetype max = n + m;
    const qsizetype offset = max + 1;
    std::vector<int> v(size_t(2 * max + 3), 0);
    const qint64 workBytes = qint64(v.size() * sizeof(int));
    // trace[d][(k + d) / 2] is V[k] at the end of pass d; only diagonals of pass d's parity are
    // ever read back.
    std::vector<std::vector<int>> trace;
    qint64 traceBytes = 0;

    qsizetype passes = -1;
    for (qsizetype d = 0; d <= max && passes < 0; ++d) {
        for (qsizetype k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1]))
                        ? v[offset + k + 1]
                        : v[offset + k - 1] + 1;
            int y = int(x - k);
            while (x < n && y < m && a[x] == b[y]) {
                ++x;
                ++y;
            }
            v[offset + k] = x;
            if (x >= n && y >= m) {
                passes = d;
                break;
            }
        }
        if (passes >= 0) {
            break;
        }
        const qint64 copyBytes = qint64(d + 1) * qint64(sizeof(int));
        if (traceBytes + copyBytes > traceByteBound) {
            peakBytes = workBytes + traceBytes;
            return false;
        }
        std::vector<int>& copy = trace.emplace_back(size_t(d + 1));
        for (qsizetype k = -d, i = 0; k <= d; k += 2, ++i) {
            copy[size_t(i)] = v[offset + k];
        }
        traceBytes += copyBytes;
    }
    peakBytes = workBytes + traceBytes;

    qsizetype x = n;
    qsizetype y = m;
    for (qsizetype d = passes; d >= 1; --d) {
        const std::vector<int>& prev = trace[size_t(d - 1)];
        auto at = [&](qsizetype k) { return qsizetype(prev[size_t((k + d - 1) / 2)]); };
        const qsizetype k = x - y;
        const qsizetype prevK = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? k + 1 : k - 1;
        const qsizetype px = at(prevK);
        const qsizetype py = px - prevK;
        while (x > px && y > py) {
            --x;
            --y;
        }
        if (y != py) {
            script.inserted[size_t(py)] = 1;
        } else {
            script.removed[size_t(px)] = 1;
        }
        x = px;
        y = py;
    }
    return true;
}

namespace {

// Diagonals are clamped to the edit graph, so every V value is a real point: the furthest one
// on its diagonal reachable within the pass's number of changes.
class MiddleSnakeSplitter final {
public:
    MiddleSnakeSplitter(std::span<const int> a, std::span<const int> b, EditScript& script,
                        std::span<const qsizetype> aIndex, std::span<const qsizetype> bIndex,
                        int costLimit)
        : costLimit_(costLimit),
          a_(a),
          b_(b),
          script_(script),
          aIndex_(aIndex),
          bIndex_(bIndex),
          offset_(qsizetype(a.size() + b.size()) / 2 + 2),
          forward_(size_t(2 * offset_ + 1)),
          backward_(size_t(2 * offset_ + 1)) {}

    qint64 workBytes() const { return qint64((forward_.size() + backward_.size()) * sizeof(int)); }
    bool reachedLimit() const { return reachedLimit_; }

    // The smaller half recurses and the larger one loops: a cut search splits near a corner,
    // and recursing into both halves would nest as deep as the text is long.
    void run(qsizetype a0, qsizetype a1, qsizetype b0, qsizetype b1) {
        for (;;) {
            while (a0 < a1 && b0 < b1 && a_[a0] == b_[b0]) {
                ++a0;
                ++b0;
            }
            while (a0 < a1 && b0 < b1 && a_[a1 - 1] == b_[b1 - 1]) {
                --a1;
                --b1;
            }
            if (a0 == a1 || b0 == b1) {
                for (qsizetype i = a0; i < a1; ++i) {
                    script_.removed[size_t(aIndex_[i])] = 1;
                }
                for (qsizetype j = b0; j < b1; ++j) {
                    script_.inserted[size_t(bIndex_[j])] = 1;
                }
                return;
            }
            const auto [sx, sy] = split(a0, a1, b0, b1);
            if ((sx - a0) + (sy - b0) <= (a1 - sx) + (b1 - sy)) {
                run(a0, sx, b0, sy);
                a0 = sx;
                b0 = sy;
            } else {
                run(sx, a1, sy, b1);
                a1 = sx;
                b1 = sy;
            }
        }
    }

private:
    struct Point {
        qsizetype x;
        qsizetype y;
    };

    static int sameParity(int k, int d) { return k + ((k + d) & 1); }

    // One pass of either search over diagonals lo..hi (stepping by two). The end diagonals take
    // the one neighbour inside the graph; elsewhere max() picks the further of the two moves.
    // `equal(x, y)` compares the tokens after a point, in the search's own direction.
    template <typename Equal>
    static void pass(int* v, int d, int lo, int hi, int n, int m, Equal equal) {
        for (int k = lo; k <= hi; k += 2) {
            int x;
            if (k == -d || k == -m) {
                x = v[k + 1];
            } else if (k == d || k == n) {
                x = v[k - 1] + 1;
            } else {
                x = std::max(v[k - 1] + 1, v[k + 1]);
            }
            x = std::min(x, std::min(n, m + k));
            int y = x - k;
            while (x < n && y < m && equal(x, y)) {
                ++x;
                ++y;
            }
            v[k] = x;
        }
    }

    // Returns a point on a shortest path, strictly inside the box (both halves cost at least one).
    Point split(qsizetype a0, qsizetype a1, qsizetype b0, qsizetype b1) {
        const int n = int(a1 - a0);
        const int m = int(b1 - b0);
        const int delta = n - m;
        const bool odd = (delta & 1) != 0;
        int* vf = forward_.data() + offset_;
        int* vb = backward_.data() + offset_;
        vf[1] = 0;
        vb[1] = 0;
        const int* fa = a_.data() + a0;
        const int* fb = b_.data() + b0;
        const int* ra = a_.data() + a1 - 1;
        const int* rb = b_.data() + b1 - 1;
        const int maxPasses = (n + m + 1) / 2;
        for (int d = 0; d <= maxPasses; ++d) {
            const int lo = -std::min(d, m);
            const int hi = std::min(d, n);
            const int first = lo + ((lo + d) & 1);
            pass(vf, d, first, hi, n, m, [&](int x, int y) { return fa[x] == fb[y]; });
            if (odd && d > 0) {
                // Reverse diagonals of the previous pass, seen as forward ones.
                const int rlo = -std::min(d - 1, m);
                const int rhi = std::min(d - 1, n);
                const int kEnd = std::min(hi, delta - rlo);
                for (int k = sameParity(std::max(first, delta - rhi), d); k <= kEnd; k += 2) {
                    if (vf[k] + vb[delta - k] >= n) {
                        return {a0 + vf[k], b0 + vf[k] - k};
                    }
                }
            }
            pass(vb, d, first, hi, n, m, [&](int x, int y) { return ra[-x] == rb[-y]; });
            if (!odd) {
                const int krEnd = std::min(hi, delta - lo);
                for (int kr = sameParity(std::max(first, delta - hi), d); kr <= krEnd; kr += 2) {
                    if (vf[delta - kr] + vb[kr] >= n) {
                        return {a1 - vb[kr], b1 - (vb[kr] - kr)};
                    }
                }
            }
            if (costLimit_ > 0 && d >= costLimit_) {
                if (const std::optional<Point> cut = furthest(vf, vb, first, hi, a0, a1, b0, b1)) {
                    reachedLimit_ = true;
                    return *cut;
                }
            }
        }
        // Unreachable: the two searches always meet by then. The corner still splits validly.
        return {a1, b0};
    }

    // The point either search has carried furthest from its corner, as long as it splits the
    // box into two smaller ones.
    static std::optional<Point> furthest(const int* vf, const int* vb, int first, int hi,
                                         qsizetype a0, qsizetype a1, qsizetype b0, qsizetype b1) {
        const int n = int(a1 - a0);
        const int m = int(b1 - b0);
        int forwardBest = -1;
        Point forward{};
        int backwardBest = -1;
        Point backward{};
        for (int k = first; k <= hi; k += 2) {
            const int fx = std::min(vf[k], n);
            const int fy = fx - k;
            if (fy >= 0 && fy <= m && fx + fy > forwardBest) {
                forwardBest = fx + fy;
                forward = {a0 + fx, b0 + fy};
            }
            const int bx = std::min(vb[k], n);
            const int by = bx - k;
            if (by >= 0 && by <= m && bx + by > backwardBest) {
                backwardBest = bx + by;
                backward = {a1 - bx, b1 - by};
            }
        }
        const auto inside = [&](const Point& p) {
            return (p.x != a0 || p.y != b0) && (p.x != a1 || p.y != b1);
        };
        if (forwardBest >= backwardBest && forwardBest > 0 && inside(forward)) {
            return forward;
        }
        if (backwardBest > 0 && inside(backward)) {
            return backward;
        }
        return std::nullopt;
    }

    int costLimit_ = 0;
    bool reachedLimit_ = false;
    std::span<const int> a_;
    std::span<const int> b_;
    EditScript& script_;
    std::span<const qsizetype> aIndex_;
    std::span<const qsizetype> bIndex_;
    qsizetype offset_;
    std::vector<int> forward_;
    std::vector<int> backward_;
};

}  // namespace

bool linearSpaceEditScript(std::span<const int> a, std::span<const int> b, EditScript& script,
                           qint64& peakBytes, int costLimit) {
    script.removed.assign(a.size(), 0);
    script.inserted.assign(b.size(), 0);

    // A token that never occurs on the other side cannot be kept by any script; dropping those
    // first leaves the longest common subsequence alone and often shrinks the problem a lot.
    // Ids are dense, so a flag per id is the cheapest set.
    int maxId = -1;
    for (std::span<const int> side : {a, b}) {
        if (!side.empty()) {
            maxId = std::max(maxId, *std::max_element(side.begin(), side.end()));
        }
    }
    std::vector<char> inA(size_t(maxId + 1), 0);
    std::vector<char> inB(size_t(maxId + 1), 0);
    for (int id : a) {
        inA[size_t(id)] = 1;
    }
    for (int id : b) {
        inB[size_t(id)] = 1;
    }
    std::vector<int> fa;
    std::vector<int> fb;
    std::vector<qsizetype> aIndex;
    std::vector<qsizetype> bIndex;
    for (size_t i = 0; i < a.size(); ++i) {
        if (inB[size_t(a[i])]) {
            fa.push_back(a[i]);
            aIndex.push_back(qsizetype(i));
        } else {
            script.removed[i] = 1;
        }
    }
    for (size_t j = 0; j < b.size(); ++j) {
        if (inA[size_t(b[j])]) {
            fb.push_back(b[j]);
            bIndex.push_back(qsizetype(j));
        } else {
            script.inserted[j] = 1;
        }
    }
    MiddleSnakeSplitter splitter(fa, fb, script, aIndex, bIndex, costLimit);
    splitter.run(0, qsizetype(fa.size()), 0, qsizetype(fb.size()));
    peakBytes =
        splitter.workBytes() + qint64((fa.size() + fb.size()) * (sizeof(int) + sizeof(qsizetype)));
    return splitter.reachedLimit();
}

}  // namespace ts
