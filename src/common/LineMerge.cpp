#include "common/LineMerge.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace
{

using Match = std::pair<qsizetype, qsizetype>;

// Equal lines get equal numbers, so that long lines are compared once.
void number(const Lines &a, const Lines &b, std::vector<int> &na, std::vector<int> &nb)
{
    QHash<QByteArray, int> ids;
    const auto id = [&ids](const QByteArray &line) {
        auto it = ids.constFind(line);
        if (it == ids.cend())
            it = ids.insert(line, int(ids.size()));
        return *it;
    };
    na.reserve(size_t(a.size()));
    nb.reserve(size_t(b.size()));
    for (const QByteArray &line : a)
        na.push_back(id(line));
    for (const QByteArray &line : b)
        nb.push_back(id(line));
}

// Myers' greedy shortest edit script over a[0, n) and b[0, m); the matches go to `out`
// in ascending order. False when it takes more than maxEdits edits.
bool shortestEdit(const int *a, int n, const int *b, int m, int maxEdits, QList<Match> &out)
{
    if (n == 0 || m == 0)
        return true;
    const int most = std::min(n + m, maxEdits);
    const int offset = most + 1;
    std::vector<int> v(size_t(2 * offset + 1), 0);
    // Before each round d, the furthest x of diagonals -d-1 .. d+1, to walk back through.
    std::vector<std::vector<int>> trace;
    for (int d = 0; d <= most; ++d) {
        trace.emplace_back(v.begin() + (offset - d - 1), v.begin() + (offset + d + 2));
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1])) ? v[offset + k + 1]
                                                                                   : v[offset + k - 1] + 1;
            int y = x - k;
            while (x < n && y < m && a[x] == b[y]) {
                ++x;
                ++y;
            }
            v[offset + k] = x;
            if (x < n || y < m)
                continue;
            QList<Match> reversed;
            for (int round = d; round >= 0; --round) {
                const std::vector<int> &before = trace[size_t(round)];
                const auto at = [&](int diagonal) { return before[size_t(diagonal + round + 1)]; };
                const int diagonal = x - y;
                const int previous =
                    (diagonal == -round || (diagonal != round && at(diagonal - 1) < at(diagonal + 1)))
                        ? diagonal + 1
                        : diagonal - 1;
                const int previousX = at(previous);
                const int previousY = previousX - previous;
                while (x > previousX && y > previousY) {
                    --x;
                    --y;
                    reversed.append({x, y});
                }
                x = previousX;
                y = previousY;
            }
            out.reserve(out.size() + reversed.size());
            for (qsizetype i = reversed.size() - 1; i >= 0; --i)
                out.append(reversed.at(i));
            return true;
        }
    }
    return false;
}

} // namespace

QList<Match> matchLines(const Lines &a, const Lines &b, int maxEdits)
{
    std::vector<int> na;
    std::vector<int> nb;
    number(a, b, na, nb);
    const qsizetype n = a.size();
    const qsizetype m = b.size();
    qsizetype head = 0;
    while (head < n && head < m && na[size_t(head)] == nb[size_t(head)])
        ++head;
    qsizetype tail = 0;
    while (tail < n - head && tail < m - head && na[size_t(n - 1 - tail)] == nb[size_t(m - 1 - tail)])
        ++tail;

    QList<Match> matches;
    for (qsizetype i = 0; i < head; ++i)
        matches.append({i, i});
    QList<Match> middle;
    if (shortestEdit(na.data() + head, int(n - head - tail), nb.data() + head, int(m - head - tail), maxEdits,
                     middle)) {
        for (const Match &match : std::as_const(middle))
            matches.append({match.first + head, match.second + head});
    }
    for (qsizetype i = tail; i > 0; --i)
        matches.append({n - i, m - i});
    return matches;
}

LineMergeResult mergeLines(const Lines &base, const Lines &ours, const Lines &theirs)
{
    // Where each base line stands on either side, -1 where it does not.
    std::vector<qsizetype> inOurs(size_t(base.size()), -1);
    std::vector<qsizetype> inTheirs(size_t(base.size()), -1);
    for (const Match &match : matchLines(base, ours))
        inOurs[size_t(match.first)] = match.second;
    for (const Match &match : matchLines(base, theirs))
        inTheirs[size_t(match.first)] = match.second;

    LineMergeResult result;
    qsizetype b = 0;
    qsizetype o = 0;
    qsizetype t = 0;
    const qsizetype nb = base.size();
    for (;;) {
        // Lines kept alike on both sides.
        qsizetype same = 0;
        while (b + same < nb && inOurs[size_t(b + same)] == o + same &&
               inTheirs[size_t(b + same)] == t + same)
            ++same;
        if (same > 0) {
            result.lines += base.mid(b, same);
            b += same;
            o += same;
            t += same;
            continue;
        }
        // A changed stretch: up to the next base line both sides kept.
        qsizetype next = b;
        while (next < nb && (inOurs[size_t(next)] < 0 || inTheirs[size_t(next)] < 0))
            ++next;
        const qsizetype oursEnd = next < nb ? inOurs[size_t(next)] : ours.size();
        const qsizetype theirsEnd = next < nb ? inTheirs[size_t(next)] : theirs.size();
        const Lines baseStretch = base.mid(b, next - b);
        const Lines oursStretch = ours.mid(o, oursEnd - o);
        const Lines theirsStretch = theirs.mid(t, theirsEnd - t);
        if (oursStretch == theirsStretch || theirsStretch == baseStretch) {
            result.lines += oursStretch;
        } else if (oursStretch == baseStretch) {
            result.lines += theirsStretch;
        } else {
            result.conflicts.append({result.lines.size(), b, o, t, baseStretch, oursStretch, theirsStretch});
            result.lines += oursStretch;
        }
        if (next == nb)
            break;
        b = next;
        o = oursEnd;
        t = theirsEnd;
    }
    return result;
}
