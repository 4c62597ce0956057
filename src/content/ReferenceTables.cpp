#include "content/ReferenceTables.h"

#include <algorithm>
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

void Warn(std::string_view title, std::string_view text) {
    CurrentPlatform().ShowMessage(title, text, MsgIcon::Exclamation, MsgButtons::Ok);
}

// A table file and the texts that name it when it cannot be used.
struct TableFile {
    std::string_view name;
    std::string_view missing;      // first line when the file is missing
    std::string_view empty;        // first line when it holds no row
    std::string_view readFailure;  // follows the error number when a line or the file is bad
};

constexpr TableFile kFormatTable{
    kFormatFile, "Le fichier de format des données est introuvable."_cp,
    "Le fichier de format des données est vide."_cp, " - Lecture fichier formats impossible."};
constexpr TableFile kLabelTable{kLabelFile, "Le fichier des codes erreur est introuvable.",
                                "Le fichier des codes erreur est vide.",
                                " - Lecture fichier Erreurs impossible."};
constexpr TableFile kSegmentCodeTable{
    kSegmentCodeFile, "Le fichier des codes segment est introuvable.",
    "Le fichier des codes segment est vide.", " - Lecture fichier Codes impossible."};

// Without its tables the checks would pass faulty data and the FNS3 records
// would come out blank: a table that cannot be used stops the test, and the
// message says which file and what is wrong with it.
constexpr std::string_view kNoTest = "Le test ne peut pas être lancé."_cp;

// A line of a table that cannot be read: its number (from 1) and why.
class BadLine : public RuntimeError {
  public:
    BadLine(int number, std::size_t line, std::string_view reason)
        : RuntimeError(number), line_(line), reason_(reason) {}
    std::size_t Line() const { return line_; }
    const std::string& Reason() const { return reason_; }

  private:
    std::size_t line_;
    std::string reason_;
};

std::string Quoted(std::string_view text) {
    return "« "_cp + std::string(text.substr(0, 40)) + " »"_cp;
}

void WarnMissing(const TableFile& table, const std::string& path) {
    Warn("Erreur critique", table.missing + std::string(kCrLf) + "Fichier attendu : " + path +
                                std::string(kCrLf) + std::string(kNoTest));
}

void WarnEmpty(const TableFile& table, const std::string& path) {
    Warn("Erreur critique", table.empty + std::string(kCrLf) + "Fichier : " + path +
                                std::string(kCrLf) + std::string(kNoTest));
}

// where: the path, then the line and the reason when one line is at fault.
void WarnReadFailure(const TableFile& table, int number, const std::string& where) {
    Warn("Erreur.", std::to_string(number) + std::string(table.readFailure) + std::string(kCrLf) +
                        where + std::string(kCrLf) + std::string(kNoTest));
}

// Calls line(number, text) for every line, numbered from 1; CR LF, LF and
// CR all end a line, and a line end at the very end of the file opens no
// further line.
template <typename OnLine>
void ForEachLine(std::string_view content, OnLine&& line) {
    std::size_t start = 0, number = 0;
    const std::size_t n = content.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && content[end] != '\r' && content[end] != '\n')
            ++end;
        line(++number, content.substr(start, end - start));
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
// quote (commas inside belong to it), any other to the next comma. closed
// turns false when a quote is never closed (a line cut short).
std::vector<std::string_view> RecordFields(std::string_view line, bool& closed) {
    std::vector<std::string_view> fields;
    closed = true;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i < line.size() && line[i] == '"') {
            std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) {
                closed = false;
                close = line.size();
            }
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

// Reads a table file and hands its text to parse, which fills the table and
// returns how many rows it holds; false, after the message, when the file is
// missing, unreadable, holds a bad line or no row. The digest of what was
// read becomes the table's version.
template <typename Parse>
bool LoadTable(const TableFile& table, std::string& digest, Parse&& parse) {
    digest.clear();
    const std::string path = ProgramPath(table.name);
    const std::string shown = DisplayPath(path);
    if (!FileExists(path)) {
        WarnMissing(table, shown);
        return false;
    }
    std::string content;
    if (int err = ReadWholeFile(path, content); err != 0) {
        WarnReadFailure(table, ShownErrorNumber(err), shown + " : " + ErrorDescription(err));
        return false;
    }
    digest = Sha256Hex(content);
    try {
        if (parse(std::string_view(content)) == 0) {
            WarnEmpty(table, shown);
            return false;
        }
    } catch (const BadLine& e) {
        WarnReadFailure(table, e.Number(),
                        shown + ", ligne " + std::to_string(e.Line()) + " : " + e.Reason());
        return false;
    }
    return true;
}

bool LoadFormats() {
    g_tables.formats.fill(DataFormat{});
    struct Reindex {
        ~Reindex() { IndexFormats(); }
    } reindex;
    return LoadTable(kFormatTable, g_tables.versions[0].sha256, [](std::string_view content) {
        std::size_t row = 0;
        ForEachLine(content, [&](std::size_t number, std::string_view line) {
            if (TrimSpaces(line).empty()) return;
            if (row >= g_tables.formats.size())
                throw BadLine(kErrSubscript, number,
                              "plus de " + std::to_string(kFormatRows) + " enregistrements");
            bool closed = true;
            const std::vector<std::string_view> fields = RecordFields(line, closed);
            if (!closed) throw BadLine(kErrInputPastEnd, number, "guillemet fermant manquant");
            if (fields.size() != 4)
                throw BadLine(
                    kErrInputPastEnd, number,
                    "4 champs attendus, " + std::to_string(fields.size()) + " trouvé(s)"_cp);
            if (fields[0].empty()) throw BadLine(kErrTypeMismatch, number, "clé vide"_cp);
            if (fields[1].empty()) throw BadLine(kErrTypeMismatch, number, "classe de format vide");
            // A record cut after its last comma would demand an empty value.
            if (fields[3].empty())
                throw BadLine(kErrInputPastEnd, number,
                              "valeur attendue vide (« any » pour toute valeur)"_cp);
            DataFormat format;
            try {
                format.length = ByteValue(fields[2]);
            } catch (const RuntimeError& e) {
                throw BadLine(
                    e.Number(), number,
                    "longueur " + Quoted(fields[2]) + " : nombre entier de 0 à 255 attendu"_cp);
            }
            format.key = std::string(fields[0]);
            format.formatClass = std::string(fields[1]);
            format.expected = std::string(fields[3]);
            g_tables.formats[row++] = std::move(format);
        });
        return row;
    });
}

// Every line is kept in its entry, as the lookups expect. A line that is not
// blank must give a label with its class (three lower-case letters after the
// code and a separator): without it a warning would count as a reject. The
// first line that does not is reported once the file is read.
bool LoadLabels() {
    g_tables.labels.fill(std::string());
    struct Reindex {
        ~Reindex() { IndexLabels(); }
    } reindex;
    return LoadTable(kLabelTable, g_tables.versions[1].sha256, [](std::string_view content) {
        std::size_t entry = 0, rows = 0;
        std::optional<BadLine> bad;
        ForEachLine(content, [&](std::size_t number, std::string_view line) {
            if (entry >= g_tables.labels.size())
                throw BadLine(kErrSubscript, number,
                              "plus de " + std::to_string(kLabelEntries) + " lignes");
            g_tables.labels[entry++] = std::string(line);
            if (TrimSpaces(line).empty()) return;
            const std::string_view cls = line.size() >= 7 ? line.substr(4, 3) : std::string_view();
            if (cls.size() == 3 &&
                std::all_of(cls.begin(), cls.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
                ++rows;
            else if (!bad)
                bad.emplace(kErrTypeMismatch, number,
                            "un code, un séparateur, la classe (rej, sig ou sir) puis le "
                            "libellé sont attendus"_cp);
        });
        if (bad) throw BadLine(*bad);
        return rows;
    });
}

bool LoadSegmentCodes() {
    g_tables.segmentCodes.fill(std::string());
    return LoadTable(kSegmentCodeTable, g_tables.versions[2].sha256, [](std::string_view content) {
        std::size_t rows = 0;
        ForEachLine(content, [&](std::size_t number, std::string_view line) {
            if (TrimSpaces(line).empty()) return;
            int index = 0;
            try {
                index = ByteValue(line.substr(0, 4));
            } catch (const RuntimeError& e) {
                throw BadLine(e.Number(), number,
                              "numéro d'information "_cp + Quoted(line.substr(0, 4)) +
                                  " : nombre entier de 0 à 255 attendu"_cp);
            }
            const std::string_view code =
                line.substr(line.size() - std::min<std::size_t>(3, line.size()));
            const bool letters =
                std::all_of(code.begin(), code.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
            if (line.size() < 7 || !letters)
                throw BadLine(kErrTypeMismatch, number,
                              "code segment " + Quoted(code) +
                                  " : trois lettres majuscules attendues en fin de ligne");
            g_tables.segmentCodes[static_cast<std::size_t>(index)] = std::string(code);
            ++rows;
        });
        return rows;
    });
}

}  // namespace

bool Initialise_Table_Formats() {
    Trace("Chargement du fichier de formats.", kModIO, "Initialise_Table_Formats");
    return LoadFormats();
}

bool Initialise_Table_Erreurs_Lib() {
    Trace("Chargement du fichier des erreur/libellé."_cp, kModIO, "Initialise_Table_Erreurs_Lib");
    return LoadLabels();
}

bool Initialise_Table_Codes_Segments_Lib() {
    Trace("Chargement du fichier des code/segment.", kModIO, "Initialise_Table_Codes_Segments_Lib");
    return LoadSegmentCodes();
}

bool LoadReferenceTables() {
    return LoadFormats() && LoadSegmentCodes() && LoadLabels();
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
