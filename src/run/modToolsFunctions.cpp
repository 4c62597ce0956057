#include "run/modToolsFunctions.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "run/modMainFunctions.h"

namespace trelvane {

namespace {

std::int64_t g_warningCount = 0;
bool g_facChecksEnabled = false;

// How a cut treats doubled release characters and the piece after the last
// separator, told by comparing the separator with the run's delimiters.
struct Level {
    bool collapsePairs;  // component level: a doubled release character becomes one
    bool dropLast;       // segment level: what follows the last terminator is dropped
};

// Called for every piece cut: one-character delimiters are compared directly.
bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    return a.size() == 1 ? a[0] == b[0] : a == b;
}

Level LevelOf(std::string_view separator) {
    const auto& d = State().Delimiters;
    return {SameText(separator, d[2]), SameText(separator, d[0])};
}

// The one part of the level that every cut of several pieces asks for.
bool IsSegmentLevel(std::string_view separator) {
    return SameText(separator, State().Delimiters[0]);
}

// The cut, single-character separator and release character (the usual case),
// in one pass. A release character pairs with a following release character
// first (the pair is a literal release character), then releases a following
// separator; anything else is literal. Calls piece(begin, end) on the
// rewritten text for every piece; writes the rewritten text to out when out
// is not null.
template <typename OnPiece>
void ScanSingle(std::string_view text, char sep, char rel, bool collapsePairs, std::string* out,
                OnPiece&& piece) {
    const std::size_t n = text.size();
    std::size_t start = 0;  // start of the current piece in the rewritten text
    std::size_t w = 0;      // length of the rewritten text so far
    auto emit = [&](const char* p, std::size_t len) {
        if (out) out->append(p, len);
        w += len;
    };
    std::size_t i = 0;
    std::size_t runStart = 0;  // start of the literal run not yet emitted
    while (i < n) {
        char c = text[i];
        if (c == rel) {
            if (i + 1 < n && text[i + 1] == rel) {
                emit(text.data() + runStart, i - runStart);
                emit(text.data() + i, collapsePairs ? 1 : 2);
                i += 2;
                runStart = i;
                continue;
            }
            if (i + 1 < n && text[i + 1] == sep) {
                emit(text.data() + runStart, i - runStart);
                emit(text.data() + i + 1, 1);
                i += 2;
                runStart = i;
                continue;
            }
        }
        if (c == sep) {
            emit(text.data() + runStart, i - runStart);
            piece(start, w);
            emit(text.data() + i, 1);
            start = w;
            ++i;
            runStart = i;
            continue;
        }
        ++i;
    }
    emit(text.data() + runStart, n - runStart);
    piece(start, w);
}

// The general cut for separators or release characters of any length
// (including empty ones, when a key is missing from the parameter file).
// It follows the replacement passes of the original design, with the
// escaped sequences held as tokens rather than marker words: pairs of
// release characters first (only when the release string is one to three
// characters long, since only then did the substitution lengthen the text),
// then release-plus-separator, then the cut on the separator.
struct GeneralCut {
    std::vector<std::string> pieces;
    std::string rewritten;
};

GeneralCut CutGeneral(std::string_view text, std::string_view sep, std::string_view rel,
                      bool collapsePairs) {
    constexpr int kPair = -1;
    constexpr int kEscaped = -2;
    std::vector<int> tokens;
    tokens.reserve(text.size());
    const bool pairsPossible = !rel.empty() && rel.size() <= 3;
    const std::string pair = std::string(rel) + std::string(rel);
    for (std::size_t i = 0; i < text.size();) {
        if (pairsPossible && text.substr(i, pair.size()) == pair) {
            tokens.push_back(kPair);
            i += pair.size();
        } else {
            tokens.push_back(static_cast<unsigned char>(text[i]));
            ++i;
        }
    }
    auto matchAt = [&](const std::vector<int>& t, std::size_t at, std::string_view what) {
        if (at + what.size() > t.size()) return false;
        for (std::size_t k = 0; k < what.size(); ++k)
            if (t[at + k] != static_cast<unsigned char>(what[k])) return false;
        return true;
    };
    const std::string escape = std::string(rel) + std::string(sep);
    if (!escape.empty()) {
        std::vector<int> next;
        next.reserve(tokens.size());
        for (std::size_t i = 0; i < tokens.size();) {
            if (matchAt(tokens, i, escape)) {
                next.push_back(kEscaped);
                i += escape.size();
            } else {
                next.push_back(tokens[i]);
                ++i;
            }
        }
        tokens.swap(next);
    }
    GeneralCut cut;
    auto append = [&](std::string& s, int t) {
        if (t == kPair)
            s += collapsePairs ? std::string(rel) : pair;
        else if (t == kEscaped)
            s += sep;
        else
            s += static_cast<char>(t);
    };
    for (int t : tokens)
        append(cut.rewritten, t);
    if (text.empty()) return cut;
    if (sep.empty()) {
        cut.pieces.push_back(cut.rewritten);
        return cut;
    }
    std::string current;
    for (std::size_t i = 0; i < tokens.size();) {
        if (matchAt(tokens, i, sep)) {
            cut.pieces.push_back(std::move(current));
            current.clear();
            i += sep.size();
        } else {
            append(current, tokens[i]);
            ++i;
        }
    }
    cut.pieces.push_back(std::move(current));
    return cut;
}

// Eight bytes at a time: the high bit of every byte of word that equals the
// byte repeated in pattern, and no other bit (exact, unlike the shorter
// test that may also flag the byte after a match).
constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;
constexpr std::uint64_t BytesEqual(std::uint64_t word, std::uint64_t pattern) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t x = word ^ pattern;
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

bool IsSingle(std::string_view sep, std::string_view rel) {
    return sep.size() == 1 && rel.size() == 1;
}

}  // namespace

std::string_view SplitInto(std::string_view text, std::string_view separator,
                           std::string_view release, SplitScratch& scratch) {
    scratch.pieces.clear();
    // The level is looked up only where it matters: most texts have a single
    // piece and no release character.
    std::string_view rewritten = text;
    if (text.empty()) {
        return rewritten;
    }
    if (IsSingle(separator, release)) {
        const char sep = separator[0];
        const char rel = release[0];
        // Segments and elements are short: they are read eight bytes at a
        // time, cheaper than a memchr per piece, and the last few bytes one
        // by one. Nothing released: the pieces are views of the text itself.
        // A release character sends the text to the full scan.
        const char* base = text.data();
        const std::size_t n = text.size();
        std::size_t start = 0;
        bool released = false;
        std::size_t i = 0;
        if constexpr (std::endian::native == std::endian::little) {
            const std::uint64_t sepBytes = kEveryByte * static_cast<unsigned char>(sep);
            const std::uint64_t relBytes = kEveryByte * static_cast<unsigned char>(rel);
            for (; i + 8 <= n; i += 8) {
                std::uint64_t word = 0;
                std::memcpy(&word, base + i, 8);
                if (BytesEqual(word, relBytes) != 0) {
                    released = true;
                    break;
                }
                for (std::uint64_t hits = BytesEqual(word, sepBytes); hits != 0; hits &= hits - 1) {
                    const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
                    scratch.pieces.emplace_back(base + start, at - start);
                    start = at + 1;
                }
            }
        }
        for (; !released && i < n; ++i) {
            const char c = base[i];
            if (c == rel) {
                released = true;
                break;
            }
            if (c == sep) {
                scratch.pieces.emplace_back(base + start, i - start);
                start = i + 1;
            }
        }
        if (!released) {
            scratch.pieces.emplace_back(base + start, n - start);
        } else {
            scratch.pieces.clear();
            scratch.buffer.clear();
            scratch.buffer.reserve(text.size());
            // Record offsets first: the buffer may move while it grows.
            std::vector<std::pair<std::size_t, std::size_t>> spans;
            ScanSingle(text, sep, rel, LevelOf(separator).collapsePairs, &scratch.buffer,
                       [&](std::size_t b, std::size_t e) { spans.emplace_back(b, e); });
            for (auto [b, e] : spans)
                scratch.pieces.emplace_back(scratch.buffer.data() + b, e - b);
            rewritten = scratch.buffer;
        }
    } else {
        GeneralCut cut = CutGeneral(text, separator, release, LevelOf(separator).collapsePairs);
        // Lay the pieces out in the buffer after the rewritten text.
        scratch.buffer = cut.rewritten;
        std::vector<std::pair<std::size_t, std::size_t>> spans;
        for (const auto& p : cut.pieces) {
            spans.emplace_back(scratch.buffer.size(), p.size());
            scratch.buffer += p;
        }
        for (auto [b, len] : spans)
            scratch.pieces.emplace_back(scratch.buffer.data() + b, len);
        rewritten = std::string_view(scratch.buffer.data(), cut.rewritten.size());
    }
    if (scratch.pieces.size() > 1 && IsSegmentLevel(separator)) scratch.pieces.pop_back();
    return rewritten;
}

StringList SplitWithRelease(std::string& text, const std::string& separator,
                            const std::string& release) {
    SplitScratch scratch;
    std::string_view rewritten = SplitInto(text, separator, release, scratch);
    StringList pieces(scratch.pieces.begin(), scratch.pieces.end());
    if (rewritten.data() != text.data() || rewritten.size() != text.size())
        text = std::string(rewritten);
    return pieces;
}

std::size_t CountPieces(std::string_view text, std::string_view separator,
                        std::string_view release) {
    if (text.empty()) return 0;
    // The level is looked up only where it matters (see SplitInto).
    std::size_t count = 0;
    if (IsSingle(separator, release)) {
        // One pass counts and looks for a release character at once, eight
        // bytes at a time and then byte by byte, without branches on the
        // bytes themselves.
        const char sep = separator[0];
        const char rel = release[0];
        std::size_t separators = 0, releases = 0;
        std::size_t i = 0;
        if constexpr (std::endian::native == std::endian::little) {
            const std::uint64_t sepBytes = kEveryByte * static_cast<unsigned char>(sep);
            const std::uint64_t relBytes = kEveryByte * static_cast<unsigned char>(rel);
            std::uint64_t relHits = 0;
            for (; i + 8 <= text.size(); i += 8) {
                std::uint64_t word = 0;
                std::memcpy(&word, text.data() + i, 8);
                // One bit per matching byte, summed into the top byte.
                separators += static_cast<std::size_t>(
                    ((BytesEqual(word, sepBytes) >> 7) * kEveryByte) >> 56);
                relHits |= BytesEqual(word, relBytes);
            }
            releases = relHits != 0;
        }
        for (; i < text.size(); ++i) {
            separators += static_cast<std::size_t>(text[i] == sep);
            releases += static_cast<std::size_t>(text[i] == rel);
        }
        count = separators + 1;
        if (releases != 0) {
            count = 0;
            ScanSingle(text, sep, rel, LevelOf(separator).collapsePairs, nullptr,
                       [&](std::size_t, std::size_t) { ++count; });
        }
    } else {
        count =
            CutGeneral(text, separator, release, LevelOf(separator).collapsePairs).pieces.size();
    }
    if (count > 1 && IsSegmentLevel(separator)) --count;
    return count;
}

SegmentList SplitFileIntoSegments(std::string text, std::string_view terminator,
                                  std::string_view release, TerminatorCount* count) {
    const Level level = LevelOf(terminator);
    if (text.empty()) return SegmentList();
    if (IsSingle(terminator, release)) {
        // Rewrite in place: the rewritten text is never longer than the text,
        // so the write position never passes the read position. Runs without
        // a release character are cut with memchr and moved only once a
        // release character has shortened the text.
        const char sep = terminator[0];
        const char rel = release[0];
        const std::size_t n = text.size();
        char* data = text.data();
        // Room for the pieces, guessed from the first megabyte with a margin:
        // counting every terminator first would read the whole text once
        // more, and what is reserved but never filled costs no memory. A
        // guess too small only lets the lists grow as usual.
        const std::size_t sample = std::min<std::size_t>(n, std::size_t{1} << 20);
        std::size_t sampled = 0;
        for (const char* p = data; (p = static_cast<const char*>(std::memchr(
                                        p, sep, static_cast<std::size_t>(data + sample - p))));
             ++p)
            ++sampled;
        // At most one piece per two bytes is reserved (a one-character
        // segment and its terminator), whatever the first megabyte holds.
        const std::size_t expected =
            sample == n ? sampled + 1
                        : std::min((sampled + 1) * (n / sample + 1) * 5 / 4, n / 2 + 2);
        std::vector<std::uint64_t> starts;
        std::vector<std::uint32_t> lengths;
        starts.reserve(expected);
        lengths.reserve(expected);
        auto piece = [&](std::size_t b, std::size_t e) {
            if (e - b > kMaxPieceLength) throw PieceTooLong(starts.size());
            starts.push_back(b);
            lengths.push_back(static_cast<std::uint32_t>(e - b));
        };
        auto nextRelease = [&](std::size_t from) {
            const void* hit = std::memchr(data + from, rel, n - from);
            return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data) : n;
        };
        auto copyDown = [&](std::size_t& w, std::size_t from, std::size_t len) {
            if (w != from) std::memmove(data + w, data + from, len);
            w += len;
        };
        std::size_t w = 0, start = 0, i = 0;
        std::size_t rel_at = nextRelease(0);
        // The byte after a terminator is still the file's own when it is
        // cut: the write position never passes the read position.
        std::uint64_t cuts = 0, cutsBeforeLf = 0;
        auto cut = [&](std::size_t at) {
            ++cuts;
            cutsBeforeLf += static_cast<std::uint64_t>(at + 1 < n && data[at + 1] == '\n');
        };
        while (i < n) {
            if (i < rel_at) {
                // No release character before rel_at: plain cut on the terminator.
                const void* hit = std::memchr(data + i, sep, rel_at - i);
                if (!hit) {
                    copyDown(w, i, rel_at - i);
                    i = rel_at;
                    continue;
                }
                const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
                cut(at);
                copyDown(w, i, at - i);
                piece(start, w);
                data[w++] = sep;
                start = w;
                i = at + 1;
                continue;
            }
            // A release character: a pair first, then a released terminator.
            if (i + 1 < n && data[i + 1] == rel) {
                data[w++] = rel;
                if (!level.collapsePairs) data[w++] = rel;
                i += 2;
            } else if (i + 1 < n && data[i + 1] == sep) {
                data[w++] = sep;
                i += 2;
            } else if (rel == sep) {
                cut(i);
                piece(start, w);
                data[w++] = sep;
                start = w;
                ++i;
            } else {
                data[w++] = rel;
                ++i;
            }
            rel_at = i < n ? nextRelease(i) : n;
        }
        piece(start, w);
        if (level.dropLast && starts.size() > 1) {
            starts.pop_back();
            lengths.pop_back();
        }
        text.resize(w);
        if (count) *count = {cuts, cutsBeforeLf};
        return SegmentList(std::move(text), std::move(starts), std::move(lengths));
    }
    SplitScratch scratch;
    SplitInto(text, terminator, release, scratch);
    SegmentList segments;
    segments.reserve(scratch.pieces.size());
    TerminatorCount seen;
    for (auto p : scratch.pieces) {
        // Each kept piece ends at a terminator; the one after the last is
        // out of sight here.
        ++seen.total;
        if (segments.size() > 0 && p.starts_with('\n')) ++seen.beforeLineFeed;
        segments.push_back(p);
    }
    if (count) *count = seen;
    return segments;
}

std::int64_t GetWarningCount() {
    return g_warningCount;
}
void SetWarningCount(std::int64_t count) {
    g_warningCount = count;
}
bool GetFacChecksEnabled() {
    return g_facChecksEnabled;
}
void SetFacChecksEnabled(bool enabled) {
    g_facChecksEnabled = enabled;
}

}  // namespace trelvane
