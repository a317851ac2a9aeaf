#include "penalty.h"

#include <cstdlib>
#include <vector>

namespace qr {

namespace {

// Calls visit(line, k) -> colour for every column (top to bottom), then
// every row (left to right): `line(index)` reads module `index` of the line.
template <typename LineScore>
uint32_t ScoreColumnsThenRows(const SymbolMatrix &m, LineScore score) {
  const int S = m.side();
  const uint8_t *mod = m.modules();
  uint32_t total = 0;
  for (int c = 0; c < S; ++c) total += score(mod + c, static_cast<size_t>(S), S);
  for (int r = 0; r < S; ++r) total += score(mod + static_cast<size_t>(r) * S, size_t{1}, S);
  return total;
}

}  // namespace

uint32_t RunPenalty(const SymbolMatrix &m) {
  return ScoreColumnsThenRows(m, [](const uint8_t *line, size_t stride, int n) {
    uint32_t score = 0;
    int run = 1;
    for (int k = 1; k <= n; ++k) {
      if (k < n && line[k * stride] == line[(k - 1) * stride]) {
        ++run;
        continue;
      }
      if (run >= 5) score += static_cast<uint32_t>(run - 2);
      run = 1;
    }
    return score;
  });
}

uint32_t FinderLikePenalty(const SymbolMatrix &m) {
  static const uint8_t kPattern[7] = {1, 0, 1, 1, 1, 0, 1};
  return ScoreColumnsThenRows(m, [](const uint8_t *line, size_t stride, int n) {
    uint32_t score = 0;
    for (int p = 0; p + 7 <= n;) {
      int k = 0;
      while (k < 7 && line[(p + k) * stride] == kPattern[k]) ++k;
      if (k == 7) {
        score += 40;
        p += 4;
      } else {
        p += 1;
      }
    }
    return score;
  });
}

uint32_t BalancePenalty(const SymbolMatrix &m) {
  const long area = static_cast<long>(m.side()) * m.side();
  long dark = 0;
  const uint8_t *mod = m.modules();
  for (long i = 0; i < area; ++i) dark += mod[i];
  // k is the largest whole number with 5k <= |100 dark / area - 50|.
  long k = std::labs(100 * dark - 50 * area) / (5 * area);
  return static_cast<uint32_t>(10 * k);
}

namespace {

struct Rect {
  int16_t top, left, bottom, right;
  bool Contains(const Rect &o) const {
    return top <= o.top && left <= o.left && bottom >= o.bottom && right >= o.right;
  }
};

}  // namespace

uint32_t BlockPenalty(const SymbolMatrix &m) {
  const int S = m.side();
  // rightEnd[r * S + c]: last column of the run of like modules that
  // starts at (r, c) and goes right.
  std::vector<int16_t> rightEnd(static_cast<size_t>(S) * S);
  for (int r = 0; r < S; ++r) {
    int16_t end = static_cast<int16_t>(S - 1);
    for (int c = S - 1; c >= 0; --c) {
      if (c < S - 1 && m.module(r, c) != m.module(r, c + 1)) end = static_cast<int16_t>(c);
      rightEnd[static_cast<size_t>(r) * S + c] = end;
    }
  }

  std::vector<Rect> counted;
  std::vector<int16_t> widest(static_cast<size_t>(S));
  uint32_t score = 0;
  for (int c = 0; c + 1 < S; ++c) {
    for (int r = 0; r + 1 < S; ++r) {
      if (m.isData(r, c)) continue;
      const uint8_t colour = m.module(r, c);
      // widest[r2]: the widest right edge of an all-`colour` rectangle from
      // (r, c) down to row r2, for the rows where the column stays `colour`.
      int lastRow = r;
      int16_t edge = rightEnd[static_cast<size_t>(r) * S + c];
      while (lastRow + 1 < S && m.module(lastRow + 1, c) == colour) {
        ++lastRow;
        int16_t e = rightEnd[static_cast<size_t>(lastRow) * S + c];
        if (e < edge) edge = e;
        widest[lastRow] = edge;
      }
      for (int r2 = lastRow; r2 > r; --r2) {
        if (widest[r2] <= c) continue;  // a single column is no rectangle
        Rect rect{static_cast<int16_t>(r), static_cast<int16_t>(c), static_cast<int16_t>(r2), widest[r2]};
        bool inside = false;
        for (const Rect &other : counted)
          if (other.Contains(rect)) {
            inside = true;
            break;
          }
        if (inside) continue;
        counted.push_back(rect);
        score += 3u * static_cast<uint32_t>(r2 - r) * static_cast<uint32_t>(rect.right - c);
      }
    }
  }
  return score;
}

PenaltyTerms PenaltyTermsOf(const SymbolMatrix &m) {
  PenaltyTerms t;
  t.runs = RunPenalty(m);
  t.blocks = BlockPenalty(m);
  t.finderLike = FinderLikePenalty(m);
  t.balance = BalancePenalty(m);
  return t;
}

uint32_t PenaltyScore(const SymbolMatrix &m) { return PenaltyTermsOf(m).total(); }

}  // namespace qr
