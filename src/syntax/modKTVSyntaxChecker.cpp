#include "syntax/modKTVSyntaxChecker.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "config/Cp1252.h"
#include "config/modIOfunctions.h"
#include "syntax/MessageStructureTree.h"

namespace trelvane {

namespace {

using ktv::TagCode;

constexpr std::string_view kHeaderN0 = "[Base_N0]";
constexpr std::string_view kHeaderN1 = "[Branchement]";

std::string_view TagOf(std::string_view segment) {
    return segment.substr(0, 3);
}

bool IsKnownTag(std::uint32_t code) {
    switch (code) {
        case TagCode("UNA"):
        case TagCode("UNB"):
        case TagCode("UNH"):
        case TagCode("BGM"):
        case TagCode("DTM"):
        case TagCode("NAD"):
        case TagCode("RFF"):
        case TagCode("SEQ"):
        case TagCode("IND"):
        case TagCode("MOA"):
        case TagCode("FTX"):
        case TagCode("PCD"):
        case TagCode("CCI"):
        case TagCode("CAV"):
        case TagCode("UNT"):
        case TagCode("UNZ"):
            return true;
        default:
            return false;
    }
}

bool IsAnnounceable(std::uint32_t code) {
    switch (code) {
        case TagCode("NAD"):
        case TagCode("MOA"):
        case TagCode("RFF"):
        case TagCode("FTX"):
        case TagCode("CCI"):
        case TagCode("PCD"):
        case TagCode("DTM"):
        case TagCode("ZZZ"):
            return true;
        default:
            return false;
    }
}

// Text of a packed tag, for records.
std::string TagText(std::uint32_t code) {
    std::string out;
    const std::uint32_t n = code >> 24;
    for (std::uint32_t k = 0; k < n && k < 3; ++k)
        out += static_cast<char>((code >> (16 - 8 * k)) & 0xFFu);
    return out;
}

// A record's fields are joined by commas and read back by splitting on them,
// so a comma inside a word taken from the data would shift the code field.
std::string RecordWord(std::string word) {
    for (char& c : word) {
        if (c == ',') c = ' ';
    }
    return word;
}

void AddRecord(StringList& list, std::int64_t index, std::string word, std::string_view code) {
    std::string record = std::to_string(index);
    record += ',';
    record += RecordWord(std::move(word));
    record += ',';
    record += code;
    list.push_back(std::move(record));
}

// A count field of UNT or UNZ: up to `width` characters from the fifth on,
// one trailing plus sign ignored, then decimal digits only. Anything else
// (letters, nothing left) reads as -1, which no count equals.
std::int64_t ReadCount(std::string_view segment, std::size_t width) {
    if (segment.size() <= 4) return -1;
    std::string_view field = segment.substr(4, width);
    if (!field.empty() && field.back() == '+') field.remove_suffix(1);
    if (field.empty()) return -1;
    std::int64_t value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool UnzCountWrong(std::string_view segment, std::int64_t m) {
    return (m < 10 && ReadCount(segment, 1) != m) || (m < 100 && ReadCount(segment, 2) != m);
}

bool UntCountWrong(std::string_view segment, std::int64_t c) {
    if (c < 10) return true;
    if (c < 100) return ReadCount(segment, 2) != c;
    if (c < 1000) return ReadCount(segment, 3) != c;
    // Three characters cannot hold a count of a thousand or more: such a
    // count is read over as many characters as it has digits.
    return ReadCount(segment, std::to_string(c).size()) != c;
}

int FirstMatch(const ktv::SuccessorList& list, std::uint32_t code) {
    for (int k = 0; k < list.count; ++k) {
        if (list.codes[static_cast<std::size_t>(k)] == code) return k;
    }
    return -1;
}

}  // namespace

StringList ManageCSyntaxKTV(const SegmentTexts& segments) {
    Trace("Lancement des contrôles de syntaxe..."_cp, kModSyntax, "ManageCSyntaxKTV");
    StringList n0 = Control_EDI_KTV_N0(segments);
    if (n0.size() <= 1) return Control_EDI_KTV_N1c(segments);
    return n0;
}

StringList Control_EDI_KTV_N0(const SegmentTexts& segments) {
    Trace("Début du test de syntaxe N0."_cp, kModSyntax, "Control_EDI_KTV_N0");
    StringList result{std::string(kHeaderN0)};
    const std::int64_t n = segments.UpperBound();
    if (n <= 1) {
        result.emplace_back("007,0");
    } else if (TagOf(segments[0]) != "UNA") {
        result.emplace_back("003,0");
    } else if (TagOf(segments[1]) != "UNB") {
        result.emplace_back("004,1");
    } else if (TagOf(segments[static_cast<std::size_t>(n)]) != "UNZ") {
        result.push_back("005," + std::to_string(n));
    } else if (TagOf(segments[2]) == "UNZ") {
        result.emplace_back("006,2");
    }
    return result;
}

StringList Control_EDI_KTV_N1c(const SegmentTexts& segments) {
    Trace("Début du test de syntaxe N1."_cp, kModSyntax, "Control_EDI_KTV_N1c");
    StringList result{std::string(kHeaderN1)};
    constexpr std::uint32_t kZZZ = TagCode("ZZZ");
    constexpr std::uint32_t kIND = TagCode("IND");
    constexpr std::uint32_t kUNH = TagCode("UNH");
    constexpr std::uint32_t kUNT = TagCode("UNT");
    constexpr std::uint32_t kUNZ = TagCode("UNZ");

    InitializeTreeKTV();
    QualifyCounters counters;
    std::int64_t progressThreshold = 500;
    std::int64_t messageStart = 0;
    const std::int64_t n = segments.UpperBound();
    auto seg = [&segments](std::int64_t k) { return segments[static_cast<std::size_t>(k)]; };
    auto report900 = [&result](std::int64_t k, std::uint32_t code) {
        AddRecord(result, k, TagText(code), IsKnownTag(code) ? "900" : "901");
    };

    std::int64_t i = 0;
    while (i <= n - 1) {
        if (i > progressThreshold) {
            progressThreshold += 500;
            const double p =
                std::nearbyint(static_cast<double>(i) / static_cast<double>(n) * 100.0);
            SetStatus("Test de syntaxe en cours...(" + std::to_string(static_cast<long long>(p)) +
                      "%)");
        }
        bool found = false;
        std::uint32_t announced = 0;  // 0: nothing announced
        const std::string_view current = seg(i);
        const std::uint32_t tag = TagCode(current);

        if (tag == kIND) {
            announced = TagCode(current.substr(current.size() - 3));
            if (!IsAnnounceable(announced)) {
                AddRecord(result, i, TagText(announced), "001");
                announced = 0;
            }
            if (announced == kZZZ) announced = kUNT;
        } else if (tag == kUNH) {
            messageStart = i;
        } else if (tag == kUNT) {
            const std::int64_t c = i - messageStart + 1;
            messageStart = c;
            if (UntCountWrong(current, c)) AddRecord(result, i, std::to_string(c), "400");
        } else if (tag == kUNZ) {
            const std::int64_t m = counters.message;
            if (UnzCountWrong(current, m)) AddRecord(result, i, std::to_string(m), "401");
        }

        const ktv::Node node = ktv::QualifyTag(tag, counters);
        const ktv::SuccessorList& successors = ktv::Successors(node);
        const std::uint32_t next = TagCode(seg(i + 1));

        if (FirstMatch(successors, next) >= 0) {
            found = true;
            if (announced != 0 && announced != next)
                AddRecord(result, i + 1, TagText(announced), "002");
        }

        if (i < n - 1) {
            if (found) {
                ++i;
                continue;
            }
            for (int k = 0; k < successors.count && !found; ++k) {
                const ktv::Node s = successors.nodes[static_cast<std::size_t>(k)];
                if (FirstMatch(ktv::Successors(s), next) < 0) continue;
                found = true;
                const std::uint32_t missing =
                    announced != 0 ? announced : successors.codes[static_cast<std::size_t>(k)];
                AddRecord(result, i + 1, TagText(missing), "100");
                ktv::QualifyTag(missing, counters);
                if (missing == kUNH) messageStart = i;
            }
            if (found) {
                ++i;
                continue;
            }
        } else if (found) {
            ++i;
            continue;
        }

        // Fits nowhere: report it and every following segment until one
        // may follow the current segment again.
        report900(i + 1, next);
        std::int64_t resumeAt = -1;
        for (std::int64_t j = i + 2; j <= n; ++j) {
            const std::uint32_t t = TagCode(seg(j));
            if (FirstMatch(successors, t) >= 0) {
                if (announced != 0 && announced != t)
                    AddRecord(result, j, TagText(announced), "002");
                resumeAt = j;
                break;
            }
            report900(j, t);
        }
        if (resumeAt < 0) break;
        i = resumeAt;
    }

    if (n >= 0) {
        const std::int64_t m = counters.message;
        if (UnzCountWrong(seg(n), m)) AddRecord(result, n, std::to_string(m), "401");
    }
    return result;
}

}  // namespace trelvane
