// The run driver: one complete test of a file, from reading it to the
// reports, conducting the syntax checks, the content checks (which build the
// FNS3 records) and the reports.
#pragma once

#include <optional>
#include <string>

#include "run/TestedFile.h"

namespace trelvane {

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
