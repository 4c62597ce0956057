#include "content/ReferenceTables.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "config/Cp1252.h"
#include "config/Platform.h"
#include "config/RuntimeErrors.h"
#include "config/Sha256.h"
#include "config/modIOfunctions.h"
#include "run/TextValues.h"

namespace trelvane {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kFormatFile = "tbl_data_format.txt";
constexpr std::string_view kLabelFile = "tbl_code_erreur_libelle.txt";
constexpr std::string_view kSegmentCodeFile = "tbl_code_segment.txt";
constexpr int kMaxSegmentCodeIndex = 255;

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
using TextIndex = std::unordered_map<std::string, std::size_t, TextHash, std::equal_to<>>;

// Every element of every segment is looked up by its key: an open-addressed
// table of row numbers, a few times larger than the format table, keeps a
// lookup to one short hash and usually one comparison.
constexpr std::size_t kFormatSlots = 512;
// Keys are short: their first and last eight bytes and their length tell
// them apart well enough (a collision only costs a probe), and for a key of
// at most sixteen bytes they are the whole key, so that comparing them is
// comparing the keys.
struct KeyWords {
    std::uint64_t a = 0, b = 0, size = 0;
    bool operator==(const KeyWords&) const = default;
};
constexpr std::uint64_t kWholeKeyBytes = 16;

KeyWords WordsOf(std::string_view s) {
    KeyWords w;
    w.size = s.size();
    if (s.size() >= 8) {
        std::memcpy(&w.a, s.data(), 8);
        std::memcpy(&w.b, s.data() + s.size() - 8, 8);
    } else if (!s.empty()) {
        std::memcpy(&w.a, s.data(), s.size());
    }
    return w;
}

std::size_t KeySlot(const KeyWords& w) {
    std::uint64_t h = w.a * 0x9E3779B97F4A7C15ull ^ (w.b + w.size) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    return static_cast<std::size_t>(h >> 55);  // 9 bits: kFormatSlots
}

struct Tables {
    std::array<DataFormat, kFormatRows> formats{};
    std::array<std::int16_t, kFormatSlots> formatSlots{};  // row + 1, 0 for an empty slot
    std::array<KeyWords, kFormatSlots> slotWords{};        // the key held in each slot
    std::array<std::string, kLabelEntries> labels{};
    TextIndex labelIndex;  // first three characters -> first entry
    std::array<std::string, kSegmentCodeEntries> segmentCodes{};
    std::array<ReferenceTableVersion, 3> versions{
        {{kFormatFile, {}}, {kLabelFile, {}}, {kSegmentCodeFile, {}}}};
};
Tables g_tables;

// The whole table, or the error number of the failure; the digest of what
// was read becomes the table's version.
int ReadTable(const std::string& path, std::string& content, std::string& digest) {
    const int err = ReadWholeFile(path, content);
    if (err == 0) digest = Sha256Hex(content);
    return err;
}

void Warn(std::string_view title, std::string_view text) {
    CurrentPlatform().ShowMessage(title, text, MsgIcon::Exclamation, MsgButtons::Ok);
}

void WarnMissing(std::string_view first, std::string_view second) {
    Warn("Erreur critique", std::string(first) + std::string(kCrLf) + std::string(second));
}

void WarnReadFailure(int number, std::string_view what) {
    Warn("Erreur.", std::to_string(number) + std::string(what));
}

// Calls line(text) for every line; CR LF, LF and CR all end a line, and a
// line end at the very end of the file opens no further line.
template <typename OnLine>
void ForEachLine(std::string_view content, OnLine&& line) {
    std::size_t start = 0;
    const std::size_t n = content.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && content[end] != '\r' && content[end] != '\n')
            ++end;
        line(content.substr(start, end - start));
        if (end < n && content[end] == '\r' && end + 1 < n && content[end + 1] == '\n') ++end;
        start = end + 1;
    }
}

std::string_view TrimSpaces(std::string_view v) {
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t'))
        v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t'))
        v.remove_suffix(1);
    return v;
}

// The fields of one record: a field in double quotes runs to the closing
// quote (commas inside belong to it), any other to the next comma.
std::vector<std::string_view> RecordFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i < line.size() && line[i] == '"') {
            std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) close = line.size();
            fields.push_back(line.substr(i + 1, close - i - 1));
            i = close + 1;
            std::size_t comma = i < line.size() ? line.find(',', i) : std::string_view::npos;
            if (comma == std::string_view::npos) break;
            i = comma + 1;
        } else {
            std::size_t comma = line.find(',', i);
            if (comma == std::string_view::npos) {
                fields.push_back(TrimSpaces(line.substr(std::min(i, line.size()))));
                break;
            }
            fields.push_back(TrimSpaces(line.substr(i, comma - i)));
            i = comma + 1;
        }
    }
    return fields;
}

// A whole number 0 to 255; raises 13 for a text that is no whole number and
// 6 for one outside the range.
int ByteValue(std::string_view text) {
    text = TrimSpaces(text);
    if (IsDigits(text)) {
        std::size_t z = 0;
        while (z + 1 < text.size() && text[z] == '0')
            ++z;
        text.remove_prefix(z);
        if (text.size() > 3) throw RuntimeError(kErrOverflow);
        int v = 0;
        for (char c : text)
            v = v * 10 + (c - '0');
        if (v > 255) throw RuntimeError(kErrOverflow);
        return v;
    }
    if (IsNumeric(text) && SignificantDecimals(text) == 0) {
        // A signed or "12,00" form: a whole number, but outside 0..255 when signed.
        const std::int64_t v = ToInteger(text, std::numeric_limits<std::int64_t>::min() / 2,
                                         std::numeric_limits<std::int64_t>::max() / 2);
        if (v < 0 || v > 255) throw RuntimeError(kErrOverflow);
        return static_cast<int>(v);
    }
    throw RuntimeError(kErrTypeMismatch);
}

void IndexFormats() {
    g_tables.formatSlots.fill(0);
    for (std::size_t r = 0; r < g_tables.formats.size(); ++r) {
        DataFormat& format = g_tables.formats[r];
        format.numericClass = format.formatClass == "fn" || format.formatClass == "vn";
        format.fixedLength = !format.formatClass.empty() && format.formatClass.front() == 'f';
        format.anyValue = format.expected == "any";
        const std::string& key = format.key;
        const KeyWords words = WordsOf(key);
        std::size_t slot = KeySlot(words);
        for (;;) {
            const std::int16_t held = g_tables.formatSlots[slot];
            if (held == 0) {
                g_tables.formatSlots[slot] = static_cast<std::int16_t>(r + 1);
                g_tables.slotWords[slot] = words;
                break;
            }
            // The first row of a key wins.
            if (g_tables.formats[static_cast<std::size_t>(held - 1)].key == key) break;
            slot = (slot + 1) & (kFormatSlots - 1);
        }
    }
}

void IndexLabels() {
    g_tables.labelIndex.clear();
    g_tables.labelIndex.reserve(kLabelEntries);
    for (std::size_t e = 0; e < g_tables.labels.size(); ++e) {
        // A line shorter than a code never matches.
        std::string_view entry = g_tables.labels[e];
        if (entry.size() >= 3) g_tables.labelIndex.try_emplace(std::string(entry.substr(0, 3)), e);
    }
}

}  // namespace

void Initialise_Table_Formats() {
    Trace("Chargement du fichier de formats.", kModIO, "Initialise_Table_Formats");
    g_tables.formats.fill(DataFormat{});
    g_tables.versions[0].sha256.clear();
    struct Reindex {
        ~Reindex() { IndexFormats(); }
    } reindex;

    const std::string path = ProgramPath(kFormatFile);
    if (!FileExists(path)) {
        WarnMissing("Le fichier de format des données est introuvable."_cp,
                    "Toutes les données seront en erreur."_cp);
        return;
    }
    try {
        std::string content;
        if (int err = ReadTable(path, content, g_tables.versions[0].sha256); err != 0)
            throw RuntimeError(err);
        std::size_t row = 0;
        ForEachLine(content, [&](std::string_view line) {
            if (TrimSpaces(line).empty()) return;
            if (row >= g_tables.formats.size()) throw RuntimeError(kErrSubscript);
            const std::vector<std::string_view> fields = RecordFields(line);
            auto field = [&](std::size_t k) {
                return k < fields.size() ? fields[k] : std::string_view();
            };
            DataFormat format;
            format.key = std::string(field(0));
            format.formatClass = std::string(field(1));
            format.length = ByteValue(field(2));
            format.expected = std::string(field(3));
            g_tables.formats[row++] = std::move(format);
        });
    } catch (const RuntimeError& e) {
        WarnReadFailure(e.Number(), " - Lecture fichier formats impossible.");
    }
}

void Initialise_Table_Erreurs_Lib() {
    Trace("Chargement du fichier des erreur/libellé."_cp, kModIO, "Initialise_Table_Erreurs_Lib");
    g_tables.labels.fill(std::string());
    g_tables.versions[1].sha256.clear();
    struct Reindex {
        ~Reindex() { IndexLabels(); }
    } reindex;

    const std::string path = ProgramPath(kLabelFile);
    if (!FileExists(path)) {
        WarnMissing("Le fichier des codes erreur est introuvable.",
                    "Le libellé des erreurs ne sera pas indiqué."_cp);
        return;
    }
    try {
        std::string content;
        if (int err = ReadTable(path, content, g_tables.versions[1].sha256); err != 0)
            throw RuntimeError(err);
        std::size_t entry = 0;
        ForEachLine(content, [&](std::string_view line) {
            if (entry >= g_tables.labels.size()) throw RuntimeError(kErrSubscript);
            g_tables.labels[entry++] = std::string(line);
        });
    } catch (const RuntimeError& e) {
        WarnReadFailure(e.Number(), " - Lecture fichier Erreurs impossible.");
    }
}

void Initialise_Table_Codes_Segments_Lib() {
    Trace("Chargement du fichier des code/segment.", kModIO, "Initialise_Table_Codes_Segments_Lib");
    g_tables.segmentCodes.fill(std::string());
    g_tables.versions[2].sha256.clear();

    const std::string path = ProgramPath(kSegmentCodeFile);
    if (!FileExists(path)) {
        WarnMissing("Le fichier des codes segment est introuvable.",
                    "Les segments IND seront tous annoncés en erreur."_cp);
        return;
    }
    try {
        std::string content;
        if (int err = ReadTable(path, content, g_tables.versions[2].sha256); err != 0)
            throw RuntimeError(err);
        ForEachLine(content, [&](std::string_view line) {
            const int index = ByteValue(line.substr(0, 4));
            if (index > kMaxSegmentCodeIndex) throw RuntimeError(kErrOverflow);
            g_tables.segmentCodes[static_cast<std::size_t>(index)] =
                std::string(line.substr(line.size() - std::min<std::size_t>(3, line.size())));
        });
    } catch (const RuntimeError& e) {
        WarnReadFailure(e.Number(), " - Lecture fichier Codes impossible.");
    }
}

std::array<ReferenceTableVersion, 3> ReferenceTableVersions() {
    return g_tables.versions;
}

const DataFormat* FindDataFormat(std::string_view key) {
    const KeyWords words = WordsOf(key);
    std::size_t slot = KeySlot(words);
    for (;;) {
        const std::int16_t held = g_tables.formatSlots[slot];
        if (held == 0) return nullptr;
        if (g_tables.slotWords[slot] == words) {
            const DataFormat& format = g_tables.formats[static_cast<std::size_t>(held - 1)];
            if (words.size <= kWholeKeyBytes || format.key == key) return &format;
        }
        slot = (slot + 1) & (kFormatSlots - 1);
    }
}

bool GetDataFormat(std::string_view key, std::string& formatClass, int& length,
                   std::string& expected) {
    const DataFormat* format = FindDataFormat(key);
    if (!format) return false;
    formatClass = format->formatClass;
    length = format->length;
    expected = format->expected;
    return true;
}

std::string GetErrorLabel(std::string_view code) {
    auto it = g_tables.labelIndex.find(code);
    if (it == g_tables.labelIndex.end()) return {};
    std::string_view entry = g_tables.labels[it->second];
    if (entry.size() <= 4) return {};
    entry.remove_prefix(4);
    while (!entry.empty() && entry.front() == ' ')
        entry.remove_prefix(1);
    while (!entry.empty() && entry.back() == ' ')
        entry.remove_suffix(1);
    return std::string(entry);
}

const std::string& GetSegmentCode(std::string_view informationNumber) {
    static const std::string none;
    // Information numbers are a few digits (every IND, every FNS3 cell): read
    // directly, with the same value as the general conversion below.
    if (!informationNumber.empty() && informationNumber.size() <= 9 &&
        IsDigits(informationNumber)) {
        std::size_t n = 0;
        for (char c : informationNumber)
            n = n * 10 + static_cast<std::size_t>(c - '0');
        return n < static_cast<std::size_t>(kSegmentCodeEntries) ? g_tables.segmentCodes[n] : none;
    }
    if (!IsNumeric(informationNumber)) return none;
    std::int64_t n = -1;
    try {
        n = ToInteger(informationNumber, std::numeric_limits<std::int64_t>::min() / 2,
                      std::numeric_limits<std::int64_t>::max() / 2);
    } catch (const RuntimeError&) {
        return none;
    }
    if (n < 0 || n >= kSegmentCodeEntries) return none;
    return g_tables.segmentCodes[static_cast<std::size_t>(n)];
}

}  // namespace trelvane
