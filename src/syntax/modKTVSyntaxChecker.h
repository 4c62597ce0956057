// The two syntax levels: N0 checks the interchange envelope, N1 walks every
// segment against the message structure tree. The result is the syntax error
// list: "[Base_N0]" and one record, or "[Branchement]" and N1's records.
#pragma once

#include <string_view>

#include "run/SegmentTexts.h"

namespace trelvane {

inline constexpr std::string_view kModSyntax = "modKTVSyntaxChecker";

StringList ManageCSyntaxKTV(const SegmentTexts& segments);
StringList Control_EDI_KTV_N0(const SegmentTexts& segments);
StringList Control_EDI_KTV_N1c(const SegmentTexts& segments);

}  // namespace trelvane
