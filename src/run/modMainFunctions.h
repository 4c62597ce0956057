// The state of a test run and the driver that fills it. There is one set of
// results at a time, process-wide: a new run overwrites the previous one, and
// the results window reads the lists after the run.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/SegmentList.h"
#include "run/TestedFile.h"

namespace trelvane {

inline constexpr std::string_view kModMain = "modMainFunctions";

// Per segment: "SOK" or "ERR", then ",position" for each content error on it,
// in the order of the content error list. Held compactly (a big file has
// millions of segments, few of them with errors): a mark per segment, and the
// positions of only the segments that have some. Element() gives the text
// form.
class SegmentErrorTable {
  public:
    std::size_t size() const { return syntaxError_.size(); }
    std::string Element(std::size_t i) const;
    bool HasSyntaxError(std::size_t i) const { return syntaxError_[i]; }
    // The ",pos,pos" tail of element i (empty when no content error).
    std::string_view PositionsText(std::size_t i) const;

    // Building: all "SOK", then syntax marks, then the positions of every
    // content error, segment after segment (a segment before the last one
    // given is refused: false), and in list order within a segment. Segment
    // numbers and the positions' text stop at four thousand million.
    void Reset(std::size_t n);
    void MarkSyntaxError(std::size_t i) { syntaxError_[i] = true; }
    bool AddPosition(std::size_t segment, std::string_view position);
    void ClearPositions();

  private:
    std::vector<bool> syntaxError_;        // a bit per segment
    std::vector<std::uint32_t> segments_;  // segments with positions, increasing
    std::vector<std::uint32_t> starts_;    // where each one's tail starts in text_
    std::string text_;
};

// One row per dossier: number, UNH index, UNT index, NIR (all as text).
using DossierRow = std::array<std::string, 4>;
using DossierTable = std::vector<DossierRow>;

// Why the results of the last run must not be shown, printed or converted:
// every front end refuses them unless the mark is None.
enum class WithheldReason {
    None,                // a complete run: the lists and the panes are the file's
    NotChecked,          // a profile that runs no check: there are no results
    Declined,            // the user declined a long report: not every pane was built
    Stopped,             // the user stopped the run
    ConfigurationFault,  // parametres.ini or a reference table unusable: nothing was checked
    InputRefused,        // the file cannot be held whole (a segment of 4 GiB or more)
    OutOfMemory,         // memory ran out: what was built has been dropped
};

struct RunState {
    SegmentList Segments;
    std::array<std::string, 4> Delimiters;  // terminator, element, component, release
    StringList SyntaxErrors;
    StringList ContentErrors;
    SegmentErrorTable ErrorsBySegment;
    DossierTable DossierInfo;
    TestedFile File;
    WithheldReason Withheld = WithheldReason::None;
};

// The module data. Stages of a run write it directly; everything else reads
// it through the accessors below.
RunState& State();

// Copies, independent of the state.
SegmentList GetSegments();
StringList GetSyntaxErrors();
StringList GetContentErrors();

// True once the user has asked the current run to stop (the platform is
// asked, and the answer kept in the run state): long loops call it between
// two pieces of work and end early.
bool RunStopRequested();

// A file read before the test because it can be read only once (a pipe):
// its text, lines joined, and what was seen of its bytes (ReadTestedFile).
struct TestInput {
    std::string text;
    TestedFile file;
};

// One complete test of the file named in the home window, or of the input
// already read. Nothing of an earlier run is left in the lists or the panes:
// what a run did not build is empty or says why. A configuration fault stops
// it before the checks, running out of memory ends it; both say so in a
// message box, empty the state and mark it withheld.
void MainTest(std::optional<TestInput> input = std::nullopt);

}  // namespace trelvane
