#include "syntax/modKTVSyntaxChecker.h"

namespace trelvane {

// Placeholder until the syntax checks land.
StringList ManageCSyntaxKTV(const SegmentList& segments) { return Control_EDI_KTV_N0(segments); }
StringList Control_EDI_KTV_N0(const SegmentList&) { return {"[Base_N0]"}; }
StringList Control_EDI_KTV_N1c(const SegmentList&) { return {"[Branchement]"}; }

}  // namespace trelvane
