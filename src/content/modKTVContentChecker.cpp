#include "content/modKTVContentChecker.h"

namespace trelvane {

// Placeholder until the content checks land.
StringList ManageCContentKTV(SegmentList&) { return {"[Contenu]"}; }
const Pieces& CutSegment(SegmentContext& ctx) { return ctx.elements.pieces; }
bool CheckSegmentElementCount(std::string_view, std::string_view, std::string_view, int, int) {
    return true;
}
bool CheckComponentCount(std::string_view, std::string_view, std::string_view, int, int,
                         SplitScratch&) {
    return true;
}
void AddCountError(StringList&, std::int64_t, int, int, int, std::string_view, std::int64_t) {}
void AddContentError(StringList&, std::int64_t, std::string_view, std::string_view,
                     std::string_view, std::int64_t) {}
bool CheckDataFormat(StringList&, std::string_view, std::int64_t, std::string_view,
                     std::string_view, std::int64_t) {
    return false;
}
bool CheckSimpleElement(const Pieces&, std::size_t, std::string_view, std::string_view,
                        StringList&, std::int64_t, std::string_view, std::int64_t) {
    return false;
}
bool CheckMandatorySimpleElement(const Pieces&, std::size_t, std::string_view, std::string_view,
                                 StringList&, std::int64_t, std::string_view, std::int64_t) {
    return false;
}
std::string DetailText(std::string_view text) { return std::string(text); }
void ReportRuleSetFailure(SegmentContext&, const RuntimeError&, std::string_view,
                          std::string_view, std::string_view, int) {}

}  // namespace trelvane
