// The run state as one JSON object, for scripts: the state's own names as
// keys, strings decoded from Windows-1252.
#pragma once

#include <cstdio>

namespace trelvane {

void WriteRunStateJson(std::FILE* out, bool convertible);

}  // namespace trelvane
