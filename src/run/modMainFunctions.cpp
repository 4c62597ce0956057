#include "run/modMainFunctions.h"

#include <algorithm>
#include <limits>

#include "config/Platform.h"
#include "run/RunContext.h"

namespace trelvane {

std::string SegmentErrorTable::Element(std::size_t i) const {
    std::string out = HasSyntaxError(i) ? "ERR" : "SOK";
    out += PositionsText(i);
    return out;
}

std::string_view SegmentErrorTable::PositionsText(std::size_t i) const {
    const auto it = std::lower_bound(segments_.begin(), segments_.end(), i);
    if (it == segments_.end() || *it != i) return {};
    const auto k = static_cast<std::size_t>(it - segments_.begin());
    const std::size_t end = k + 1 < starts_.size() ? starts_[k + 1] : text_.size();
    return std::string_view(text_).substr(starts_[k], end - starts_[k]);
}

void SegmentErrorTable::Reset(std::size_t n) {
    syntaxError_.assign(n, false);
    ClearPositions();
}

bool SegmentErrorTable::AddPosition(std::size_t segment, std::string_view position) {
    constexpr std::size_t kLimit = std::numeric_limits<std::uint32_t>::max();
    if (segment > kLimit || text_.size() + 1 + position.size() > kLimit) return false;
    if (segments_.empty() || segments_.back() < segment) {
        segments_.push_back(static_cast<std::uint32_t>(segment));
        starts_.push_back(static_cast<std::uint32_t>(text_.size()));
    } else if (segments_.back() != segment) {
        return false;
    }
    text_ += ',';
    text_ += position;
    return true;
}

void SegmentErrorTable::ClearPositions() {
    segments_.clear();
    starts_.clear();
    text_.clear();
}

RunState& State() {
    return CurrentRun().state;
}

SegmentTexts GetSegments() {
    return CurrentRun().state.Segments;
}
StringList GetSyntaxErrors() {
    return CurrentRun().state.SyntaxErrors;
}
StringList GetContentErrors() {
    return CurrentRun().state.ContentErrors;
}

bool RunStopRequested() {
    if (CurrentRun().state.Withheld == WithheldReason::Stopped) return true;
    if (!CurrentPlatform().StopRequested()) return false;
    CurrentRun().state.Withheld = WithheldReason::Stopped;
    return true;
}

}  // namespace trelvane
