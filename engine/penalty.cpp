#include "penalty.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace qr {

namespace {

inline uint32_t PopCount(uint64_t x) {
  x = x - ((x >> 1) & 0x5555555555555555ull);
  x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return static_cast<uint32_t>((x * 0x0101010101010101ull) >> 56);
}

inline int LowestBit(uint64_t x) { return __builtin_ctzll(x); }
inline int HighestBit(uint64_t x) { return 63 - __builtin_clzll(x); }

inline int WordsOf(int side) { return (side + 63) / 64; }

// Bits 0 .. limit - 1 of a line, as seen by word i.
inline uint64_t BelowMask(int limit, int i) {
  const int low = 64 * i;
  if (limit <= low) return 0;
  if (limit >= low + 64) return ~0ull;
  return (1ull << (limit - low)) - 1;
}

inline uint8_t BitAt(const uint64_t *line, int k) {
  return static_cast<uint8_t>((line[k >> 6] >> (k & 63)) & 1);
}

// ---- Runs and finder-like windows, one line at a time ---------------------

struct LineScore {
  uint32_t runs = 0;
  uint32_t finderLike = 0;
};

// Scores the windows that start in one word of a line. at[k] is the word
// moved down by k places (bit p holds module p + k); previousEqual has bit
// 63 set when the module before the word equals its first; `limit` is the
// number of modules of the line from this word's first on.
#if defined(__GNUC__)
#define QR_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define QR_ALWAYS_INLINE inline
#endif

// PopCount(a) + 2 * PopCount(b) with one multiplication: the byte sums
// (at most 8 + 16) and their total (at most 192) fit in a byte.
QR_ALWAYS_INLINE uint32_t PopCountPlusTwice(uint64_t a, uint64_t b) {
  auto byteCounts = [](uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    return (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  };
  return static_cast<uint32_t>(((byteCounts(a) + 2 * byteCounts(b)) * 0x0101010101010101ull) >> 56);
}

QR_ALWAYS_INLINE void ScoreWord(const uint64_t at[7], uint64_t previousEqual, int limit,
                                LineScore &score) {
  const uint64_t equal0 = ~(at[0] ^ at[1]);  // bit p: module p == module p + 1
  const uint64_t equal1 = ~(at[1] ^ at[2]);
  const uint64_t equal2 = ~(at[2] ^ at[3]);
  const uint64_t equal3 = ~(at[3] ^ at[4]);
  const uint64_t fives = equal0 & equal1 & equal2 & equal3 & BelowMask(limit - 4, 0);
  if (fives != 0) {  // rare in data
    const uint64_t equalBefore =
        (equal0 << 1) | (previousEqual >> 63);  // bit p: module p - 1 == module p
    const uint64_t starts = fives & ~equalBefore;
    score.runs += PopCountPlusTwice(fives, starts);
  }
  const uint64_t finder =
      at[0] & ~at[1] & at[2] & at[3] & at[4] & ~at[5] & at[6] & BelowMask(limit - 6, 0);
  if (finder != 0) score.finderLike += 40 * PopCount(finder);
}

// A run of L >= 5 like modules scores L - 2: one for each of its L - 4
// windows of five like modules, and two more at the window that starts it.
// A finder-like window cannot follow another within three places, so moving
// on by four after a match counts the same windows as counting them all.
void ScoreLine(const uint64_t *s, int n, LineScore &score) {
  uint64_t at[7];
  if (n <= 64) {  // versions 1 to 11: one word
    for (int k = 0; k < 7; ++k) at[k] = s[0] >> k;
    ScoreWord(at, 0, n, score);
    return;
  }
  const int words = WordsOf(n);
  uint64_t w[kLineWords + 1] = {};  // the line and a zero word after it
  for (int i = 0; i < words; ++i) w[i] = s[i];
  uint64_t previousEqual = 0;
  for (int i = 0; i < words; ++i) {
    at[0] = w[i];
    for (int k = 1; k < 7; ++k) at[k] = (w[i] >> k) | (w[i + 1] << (64 - k));
    ScoreWord(at, previousEqual, n - 64 * i, score);
    previousEqual = ~(at[0] ^ at[1]);
  }
}

// ---- Blocks -----------------------------------------------------------------

// Every corner's score depends only on the modules its search reads. Given
// a plane of the modules that may differ between symbols (`variable`), the
// scorer also tells the corners whose search read none of them: those read
// the same modules with the same colours, and score the same, in every
// symbol that agrees on the other modules.
class BlockScorer {
 public:
  BlockScorer(const PackedPlane &dark, const PackedPlane &function,
              const PackedPlane *variable = nullptr)
      : dark_(dark),
        function_(function),
        variable_(variable),
        n_(dark.side),
        words_(WordsOf(dark.side)) {}

  // Sum over the corners listed in `corners` (by column: bit r of
  // columns[c] for the corner at row r, column c). With a `variable`
  // plane, the corners that read a variable module are listed in
  // `readVariable` and left out of the sum.
  uint32_t Score(const PackedPlane &corners, PackedPlane *readVariable = nullptr) {
    uint32_t score = 0;
    for (int c = 0; c + 1 < n_; ++c) {
      for (int i = 0; i < words_; ++i) {
        uint64_t pending = corners.columns[c][i];
        // Without a tracked plane, a corner that is not the top left of a
        // one-colour 2 x 2 square is skipped: every rectangle from it
        // holds such a square, so it scores nothing.
        if (variable_ == nullptr && pending != 0) pending &= SquareCorners(c, i);
        while (pending != 0) {
          const int r = 64 * i + LowestBit(pending);
          pending &= pending - 1;
          if (r + 1 >= n_) continue;
          readVariable_ = false;
          const uint32_t corner = ScoreCorner(r, c);
          if (readVariable != nullptr && readVariable_)
            readVariable->columns[c][i] |= 1ull << (r & 63);
          else
            score += corner;
        }
      }
    }
    return score;
  }

 private:
  // Notes a read of modules lo .. hi of a row (or a column) of the dark plane.
  void NoteRow(int row, int lo, int hi) {
    if (variable_ != nullptr && AnyIn(variable_->rows[row], lo, std::min(hi, n_ - 1)))
      readVariable_ = true;
  }
  void NoteColumn(int column, int lo, int hi) {
    if (variable_ != nullptr && AnyIn(variable_->columns[column], lo, std::min(hi, n_ - 1)))
      readVariable_ = true;
  }

  int NextOtherInRow(int row, int from, uint8_t colour) {
    const int at = NextOther(dark_.rows[row], from, colour);
    NoteRow(row, from, at);
    return at;
  }

  int PreviousOtherInRow(int row, int from, uint8_t colour) {
    const int at = PreviousOther(dark_.rows[row], from, colour);
    NoteRow(row, std::max(at, 0), from);
    return at;
  }

  uint8_t ColourAt(int row, int column) {
    NoteRow(row, column, column);
    return BitAt(dark_.rows[row], column);
  }

  // Bit p of word i: module (64 i + p, c) and its neighbours to the right,
  // below, and below right have one colour.
  uint64_t SquareCorners(int c, int i) const {
    const uint64_t *left = dark_.columns[c];
    const uint64_t *right = dark_.columns[c + 1];
    auto below = [&](const uint64_t *line) {  // bit p: the module one row further
      return (line[i] >> 1) | (i + 1 < words_ ? line[i + 1] << 63 : 0);
    };
    const uint64_t sameRight = ~(left[i] ^ right[i]);
    const uint64_t sameRightBelow = ~(below(left) ^ below(right));
    const uint64_t sameBelow = ~(left[i] ^ below(left));
    return sameRight & sameRightBelow & sameBelow;
  }

  // First index >= from whose module is not `colour`; n when none.
  int NextOther(const uint64_t *line, int from, uint8_t colour) const {
    if (from >= n_) return n_;
    const uint64_t flip = colour ? ~0ull : 0;
    int i = from >> 6;
    uint64_t x = (line[i] ^ flip) & (~0ull << (from & 63));
    for (;;) {
      if (x != 0) return std::min(n_, 64 * i + LowestBit(x));
      if (++i >= words_) return n_;
      x = line[i] ^ flip;
    }
  }

  // Last index <= from whose module is not `colour`; -1 when none.
  int PreviousOther(const uint64_t *line, int from, uint8_t colour) const {
    if (from < 0) return -1;
    const uint64_t flip = colour ? ~0ull : 0;
    int i = from >> 6;
    uint64_t x = (line[i] ^ flip) & (~0ull >> (63 - (from & 63)));
    for (;;) {
      if (x != 0) return 64 * i + HighestBit(x);
      if (--i < 0) return -1;
      x = line[i] ^ flip;
    }
  }

  // Any bit in lo .. hi (inclusive) of a line.
  bool AnyIn(const uint64_t *line, int lo, int hi) const {
    if (lo > hi) return false;
    for (int i = lo >> 6; i <= hi >> 6; ++i) {
      uint64_t x = line[i] & BelowMask(hi + 1, i) & ~BelowMask(lo, i);
      if (x != 0) return true;
    }
    return false;
  }

  // The rectangles of one corner, in the rule's order (bottom row from the
  // largest down), each scored unless it lies inside an earlier rectangle.
  uint32_t ScoreCorner(int r, int c) {
    const uint8_t colour = ColourAt(r, c);
    const int bottomOther = NextOther(dark_.columns[c], r + 1, colour);
    NoteColumn(c, r + 1, bottomOther);
    const int bottom = bottomOther - 1;
    if (bottom == r) return 0;  // the module below differs: no rectangle
    // widest[r2]: right edge of the widest one-colour rectangle from (r, c)
    // down to row r2; it only narrows as r2 grows.
    int16_t widest[kMaxSide];
    int edge = NextOtherInRow(r, c + 1, colour) - 1;
    if (edge == c) return 0;  // the module to the right differs
    int last = r;
    for (int r2 = r + 1; r2 <= bottom; ++r2) {
      edge = std::min(edge, NextOtherInRow(r2, c + 1, colour) - 1);
      if (edge == c) break;  // a single column is no rectangle
      widest[r2] = static_cast<int16_t>(edge);
      last = r2;
    }
    uint32_t score = 0;
    for (int r2 = last; r2 > r; --r2) {
      const int c2 = widest[r2];
      // The same corner's rectangle one row deeper is as wide: this one
      // lies inside it.
      if (r2 < last && widest[r2 + 1] == c2) continue;
      if (InsideEarlierCorner(r, c, r2, c2, colour)) continue;
      score += 3u * static_cast<uint32_t>(r2 - r) * static_cast<uint32_t>(c2 - c);
    }
    return score;
  }

  // A rectangle lies inside one listed before exactly when an earlier
  // corner (r', c') with r' <= r and c' <= c spans a one-colour rectangle
  // down to (r2, c2): that corner's widest rectangle for bottom row r2
  // contains it, and every rectangle left out lies inside a listed one.
  // The corners that qualify form a staircase up and left of (r, c).
  bool InsideEarlierCorner(int r, int c, int r2, int c2, uint8_t colour) {
    int left = 0;  // leftmost column of one colour through c2, rows row..r2
    for (int row = r; row <= r2; ++row)
      left = std::max(left, PreviousOtherInRow(row, c2 - 1, colour) + 1);
    if (AnyIn(function_.rows[r], left, c - 1)) return true;
    for (int row = r - 1; row >= 0; --row) {
      if (ColourAt(row, c2) != colour) return false;
      left = std::max(left, PreviousOtherInRow(row, c2 - 1, colour) + 1);
      if (left > c) return false;
      if (AnyIn(function_.rows[row], left, c)) return true;
    }
    return false;
  }

  const PackedPlane &dark_;
  const PackedPlane &function_;
  const PackedPlane *variable_;
  const int n_;
  const int words_;
  bool readVariable_ = false;
};

// Transposes a 64 x 64 bit block in place: bit j of a[k] <-> bit k of a[j].
void Transpose64(uint64_t a[64]) {
  uint64_t m = 0x00000000FFFFFFFFull;
  for (int j = 32; j != 0; j >>= 1, m ^= m << j) {
    for (int k = 0; k < 64; k = ((k | j) + 1) & ~j) {
      const uint64_t t = ((a[k] >> j) ^ a[k | j]) & m;
      a[k | j] ^= t;
      a[k] ^= t << j;
    }
  }
}

// Eight bytes of 0 or 1 (first byte lowest) to eight bits, first byte to
// bit 0; the product places byte k's bit at 56 + k without carries.
inline uint64_t PackEight(uint64_t bytes) { return (bytes * 0x0102040810204080ull) >> 56; }

}  // namespace

void PackPlane(const uint8_t *plane, int side, bool invert, PackedPlane &out) {
  const int words = WordsOf(side);
  const uint64_t flip = invert ? 0x0101010101010101ull : 0;
  out.side = side;
  for (int r = 0; r < side; ++r) {
    const uint8_t *row = plane + static_cast<size_t>(r) * side;
    uint64_t *line = out.rows[r];
    for (int i = 0; i < kLineWords; ++i) line[i] = 0;
    // Little-endian targets: the first byte of a load is its lowest.
    int c = 0;
    for (; c + 8 <= side; c += 8) {
      uint64_t bytes;
      std::memcpy(&bytes, row + c, 8);
      line[c >> 6] |= PackEight((bytes ^ flip) & 0x0101010101010101ull) << (c & 63);
    }
    if (c < side) {
      uint64_t bytes = 0;
      const int count = side - c;
      std::memcpy(&bytes, row + c, static_cast<size_t>(count));
      bytes = (bytes ^ flip) & ((1ull << (8 * count)) - 1);
      line[c >> 6] |= PackEight(bytes & 0x0101010101010101ull) << (c & 63);
    }
  }
  uint64_t block[64];
  for (int rowBlock = 0; rowBlock < words; ++rowBlock)
    for (int word = 0; word < words; ++word) {
      for (int k = 0; k < 64; ++k) {
        const int r = 64 * rowBlock + k;
        block[k] = r < side ? out.rows[r][word] : 0;
      }
      Transpose64(block);
      for (int k = 0; k < 64 && 64 * word + k < side; ++k)
        out.columns[64 * word + k][rowBlock] = block[k];
    }
  for (int c = 0; c < side; ++c)
    for (int i = words; i < kLineWords; ++i) out.columns[c][i] = 0;
}

PenaltyCorners SplitCorners(const PackedPlane &dark, const PackedPlane &function,
                            const PackedPlane &variable) {
  PenaltyCorners split;
  split.variable.side = dark.side;
  std::memset(split.variable.rows, 0, sizeof split.variable.rows);
  std::memset(split.variable.columns, 0, sizeof split.variable.columns);
  split.fixedScore = BlockScorer(dark, function, &variable).Score(function, &split.variable);
  return split;
}

namespace {

PenaltyTerms TermsWithBlocks(const PackedPlane &dark, uint32_t blocks) {
  const int n = dark.side;
  PenaltyTerms t;
  LineScore lines;
  for (int c = 0; c < n; ++c) ScoreLine(dark.columns[c], n, lines);
  for (int r = 0; r < n; ++r) ScoreLine(dark.rows[r], n, lines);
  t.runs = lines.runs;
  t.finderLike = lines.finderLike;
  t.blocks = blocks;

  long darkCount = 0;
  for (int r = 0; r < n; ++r)
    for (int i = 0; i < WordsOf(n); ++i) darkCount += PopCount(dark.rows[r][i]);
  const long area = static_cast<long>(n) * n;
  // k is the largest whole number with 5k <= |100 dark / area - 50|.
  const long k = area == 0 ? 0 : std::labs(100 * darkCount - 50 * area) / (5 * area);
  t.balance = static_cast<uint32_t>(10 * k);
  return t;
}

}  // namespace

PenaltyTerms PenaltyTermsOf(const PackedPlane &dark, const PackedPlane &function) {
  return TermsWithBlocks(dark, BlockScorer(dark, function).Score(function));
}

PenaltyTerms PenaltyTermsOf(const PackedPlane &dark, const PackedPlane &function,
                            const PenaltyCorners &corners) {
  return TermsWithBlocks(dark,
                         corners.fixedScore + BlockScorer(dark, function).Score(corners.variable));
}

}  // namespace qr
