// The content check driver: walks the segments and calls each one's rule set.
#pragma once

#include <cstdint>
#include <functional>

#include "content/ContentValidators.h"

namespace trelvane {

// Called at each UNT once its rule set has run, with the dossier's number in
// its interchange and the interchange's number: the conductor converts the
// dossier there, while its stores hold it.
using DossierEnded = std::function<void(std::int64_t dossier, std::int64_t interchange)>;

// Walks every segment, checks its element count, calls its rule set, and
// hands each dossier on at its UNT. Returns the content error list.
StringList ManageCContentKTV(SegmentTexts& segments, const DossierEnded& dossierEnded = {});

}  // namespace trelvane
