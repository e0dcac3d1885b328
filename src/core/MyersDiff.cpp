#include "core/MyersDiff.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

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
                        std::span<const qsizetype> aIndex, std::span<const qsizetype> bIndex)
        : a_(a),
          b_(b),
          script_(script),
          aIndex_(aIndex),
          bIndex_(bIndex),
          offset_(qsizetype(a.size() + b.size()) / 2 + 2),
          forward_(size_t(2 * offset_ + 1)),
          backward_(size_t(2 * offset_ + 1)) {}

    qint64 workBytes() const {
        return qint64((forward_.size() + backward_.size()) * sizeof(qsizetype));
    }

    void run(qsizetype a0, qsizetype a1, qsizetype b0, qsizetype b1) {
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
        run(a0, sx, b0, sy);
        run(sx, a1, sy, b1);
    }

private:
    struct Point {
        qsizetype x;
        qsizetype y;
    };

    // Returns a point on a shortest path, strictly inside the box (both halves cost at least one).
    Point split(qsizetype a0, qsizetype a1, qsizetype b0, qsizetype b1) {
        const qsizetype n = a1 - a0;
        const qsizetype m = b1 - b0;
        const qsizetype delta = n - m;
        const bool odd = (delta & 1) != 0;
        qsizetype* vf = forward_.data() + offset_;
        qsizetype* vb = backward_.data() + offset_;
        vf[1] = 0;
        vb[1] = 0;
        auto furthest = [&](qsizetype* v, qsizetype d, qsizetype k) {
            // Neighbouring diagonals outside the graph hold no point and cannot be stepped from.
            const bool fromBelow = k == -d || k == -m;
            const bool fromLeft = k == d || k == n;
            qsizetype x =
                (fromBelow || (!fromLeft && v[k - 1] < v[k + 1])) ? v[k + 1] : v[k - 1] + 1;
            return std::min(x, std::min(n, m + k));
        };
        const qsizetype maxPasses = (n + m + 1) / 2;
        for (qsizetype d = 0; d <= maxPasses; ++d) {
            const qsizetype lo = -std::min(d, m);
            const qsizetype hi = std::min(d, n);
            const qsizetype first = lo + ((lo + d) & 1);
            for (qsizetype k = first; k <= hi; k += 2) {
                qsizetype x = furthest(vf, d, k);
                qsizetype y = x - k;
                while (x < n && y < m && a_[a0 + x] == b_[b0 + y]) {
                    ++x;
                    ++y;
                }
                vf[k] = x;
                const qsizetype kr = delta - k;
                if (odd && kr >= -(d - 1) && kr <= d - 1 && kr >= -m && kr <= n &&
                    x + vb[kr] >= n) {
                    return {a0 + x, b0 + y};
                }
            }
            for (qsizetype kr = first; kr <= hi; kr += 2) {
                qsizetype x = furthest(vb, d, kr);
                qsizetype y = x - kr;
                while (x < n && y < m && a_[a1 - 1 - x] == b_[b1 - 1 - y]) {
                    ++x;
                    ++y;
                }
                vb[kr] = x;
                const qsizetype k = delta - kr;
                if (!odd && k >= -d && k <= d && k >= -m && k <= n && vf[k] + x >= n) {
                    return {a1 - x, b1 - y};
                }
            }
        }
        // Unreachable: the two searches always meet by then. The corner still splits validly.
        return {a1, b0};
    }

    std::span<const int> a_;
    std::span<const int> b_;
    EditScript& script_;
    std::span<const qsizetype> aIndex_;
    std::span<const qsizetype> bIndex_;
    qsizetype offset_;
    std::vector<qsizetype> forward_;
    std::vector<qsizetype> backward_;
};

}  // namespace

void linearSpaceEditScript(std::span<const int> a, std::span<const int> b, EditScript& script,
                           qint64& peakBytes) {
    script.removed.assign(a.size(), 0);
    script.inserted.assign(b.size(), 0);

    // A token that never occurs on the other side cannot be kept by any script; dropping those
    // first leaves the longest common subsequence alone and often shrinks the problem a lot.
    const std::unordered_set<int> inA(a.begin(), a.end());
    const std::unordered_set<int> inB(b.begin(), b.end());
    std::vector<int> fa;
    std::vector<int> fb;
    std::vector<qsizetype> aIndex;
    std::vector<qsizetype> bIndex;
    for (size_t i = 0; i < a.size(); ++i) {
        if (inB.contains(a[i])) {
            fa.push_back(a[i]);
            aIndex.push_back(qsizetype(i));
        } else {
            script.removed[i] = 1;
        }
    }
    for (size_t j = 0; j < b.size(); ++j) {
        if (inA.contains(b[j])) {
            fb.push_back(b[j]);
            bIndex.push_back(qsizetype(j));
        } else {
            script.inserted[j] = 1;
        }
    }
    MiddleSnakeSplitter splitter(fa, fb, script, aIndex, bIndex);
    splitter.run(0, qsizetype(fa.size()), 0, qsizetype(fb.size()));
    peakBytes =
        splitter.workBytes() + qint64((fa.size() + fb.size()) * (sizeof(int) + sizeof(qsizetype)));
}

}  // namespace ts
