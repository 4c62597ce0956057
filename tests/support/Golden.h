// Golden files: what a run writes, compared byte for byte with the files kept
// under tests/data/golden. When a change of output is intended, rewrite them
// with TRELVANE_UPDATE_GOLDEN=1 in the environment (see the README there).
#pragma once

#include <string>

namespace trelvane::test {

// Fails, showing where the texts part, unless actual is the golden file name;
// rewrites the file instead when updating.
void ExpectGolden(const std::string& name, const std::string& actual);

}  // namespace trelvane::test
