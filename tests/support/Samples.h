// Sample interchanges and their variations, shared by every test: the valid
// sample segment by segment, dossiers with other detail groups, several
// dossiers and interchanges, one segment replaced; and the runs that check
// them. Declarations are of the 2025 campaign, like the delivered samples.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "run/SegmentList.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {

using Segs = std::vector<std::string>;

inline constexpr const char* kCampaign = "2025";
inline constexpr const char* kNir = "1750175123456";

// Where each segment lies in the one-dossier sample.
inline constexpr std::size_t kUNA = 0, kUNB = 1, kUNH = 2, kBGM = 3, kDTM = 4, kNAD1 = 5, kNAD2 = 6,
                             kNAD3 = 7, kNAD4 = 8, kSEQ1 = 9, kIND1 = 10, kMOA1 = 11, kSEQ2 = 12,
                             kIND2 = 13, kMOA2 = 14, kUNT = 15, kUNZ = 16;

// The information identifier: form, year, annex number, code, segment code.
std::string Ind(std::string_view form, int annex, std::string_view code, std::string_view target,
                std::string_view year = "25");
// An amount as senders write it: zero with status 62, a negative one with 65.
std::string Moa(std::int64_t amount);

// Detail groups, numbered as they are added. Groups("E0010=1000 C2.0035=300
// C2.0139 I1.0235=80") reads a list of groups: E for the main form, C for a
// calculation annex, I for a complementary income annex, then the annex
// number and ".", the information code and its amount. Codes 0139 (closing),
// 0120 and 0022 (free text), 0000 (empty declaration) get their own segments.
struct Groups {
    Groups() = default;
    explicit Groups(std::string_view list) { Add(list); }
    Groups& Add(std::string_view list);
    Groups& Add(std::string_view form, int annex, std::string_view code, std::string_view target,
                const Segs& details = {});
    Segs segs;
    int seq = 0;
    std::string year = "25";  // of the INDs
};

// UNH, BGM, DTM, the four NAD, the groups (the sample's when none), and a UNT
// counting them.
Segs Dossier(int reference = 1, const Groups& groups = Groups("E0010=15000 E0055=15000"),
             const std::string& nir = kNir);
// UNA, UNB, the dossiers, and a UNZ counting them.
Segs Envelope(const std::vector<Segs>& dossiers = {Dossier()});
// segs with segment i replaced by text.
Segs With(Segs segs, std::size_t i, std::string_view text);
// A change of one segment of the sample: from replaced by to in the segment
// at (the whole segment when from is ""; removed when to is "" as well); a
// "'" in to makes more segments.
struct Change {
    std::size_t at;
    const char* from;
    const char* to;
    const char* records;  // what a check gives on the changed sample
};
Segs Changed(const Change& change, Segs sample = Envelope());
// The sample's BGM and detail groups replaced (the groups' first SEQ at 9).
Segs WithGroups(std::string_view groups, std::string_view bgm = "BGM+KTV::ZZ+DOC0001");
// Every UNT and UNZ counting what precedes it (segments of its message,
// messages of its interchange), references kept.
Segs Recount(Segs segs);
// segs with more segments put before segment i.
Segs Insert(Segs segs, std::size_t i, const Segs& more);
// The segments of a fragment written "A'B'C'" (nothing released).
Segs Cut(std::string_view fragment);
// A file's bytes: every segment ended by "'" and CR LF.
std::string FileText(const Segs& segs);

// The records of a list, header left out, joined by " | " in UTF-8.
std::string Records(const StringList& list);
// Segs -> the core's list, texts converted from UTF-8.
SegmentList ToSegmentList(const Segs& segs);
// The content driver on segs with the usual delimiters: its records.
std::string ContentRecords(const Segs& segs);
// The syntax checks on segs: the header and the records, " | " joined.
std::string SyntaxRecords(const Segs& segs);

}  // namespace trelvane::test
