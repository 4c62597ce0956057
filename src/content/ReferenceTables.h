// The three reference tables read from the program's directory: the data
// formats, the error labels and the segment code of each information number.
// They carry the rules that change from one campaign to the next.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace trelvane {

inline constexpr int kFormatRows = 101;
inline constexpr int kLabelEntries = 201;
inline constexpr int kSegmentCodeEntries = 301;

// Each loader starts from an empty table and returns false, after a message
// naming the file and what is wrong with it, when the table cannot be used:
// missing, unreadable, without any row, or with a line that cannot be read
// (the rows before that line stay loaded).
bool Initialise_Table_Formats();
bool Initialise_Table_Erreurs_Lib();
bool Initialise_Table_Codes_Segments_Lib();
// The three tables loaded at once, without trace lines, before a test runs:
// false at the first one that cannot be used.
bool LoadReferenceTables();

struct DataFormat {
    std::string key;
    std::string formatClass;  // "fa", "va", "fn", "vn", "fan", "van"
    int length = 0;           // exact (class "f...") or maximum length
    std::string expected;     // "any" or the one value allowed
    // Worked out from the fields above when the table is indexed: every
    // element checked reads them.
    bool numericClass = false;  // "fn" or "vn"
    bool fixedLength = false;   // class "f..."
    bool anyValue = false;      // expected is "any"
};

// First row whose key matches exactly, or nullptr. Indexed at load time.
const DataFormat* FindDataFormat(std::string_view key);
// Label of an error code (class, separator, message), trimmed; "" if unknown.
std::string GetErrorLabel(std::string_view code);
// Segment code of an information number written as text; "" if none. The
// reference stays valid until the tables are loaded again.
const std::string& GetSegmentCode(std::string_view informationNumber);

// Which tables a run used, for the report header: each table's file name and
// the SHA-256 of the bytes last loaded from it ("" when it was missing or
// unreadable). The digest says more than a version line would, and the
// tables keep their format.
struct ReferenceTableVersion {
    std::string_view file;
    std::string sha256;
};
std::array<ReferenceTableVersion, 3> ReferenceTableVersions();

}  // namespace trelvane
