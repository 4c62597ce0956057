#include "conversion/modKTVConversionFunctions.h"

#include <cstdint>
#include <cstring>
#include <memory>

#include "run/RunContext.h"

namespace trelvane {

std::string Fns3LineList::operator[](std::size_t i) const {
    std::string line;
    AppendTo(line, i);
    return line;
}

void Fns3LineList::AppendTo(std::string& out, std::size_t i) const {
    const std::string_view text = texts_[i];
    out += text;
    out.append(widths_[i] - text.size(), ' ');
}

void Fns3LineList::push_back(std::string_view line) {
    std::size_t kept = line.size();
    // Records end in long runs of padding: stepped over eight bytes at a time.
    constexpr std::uint64_t kEightSpaces = 0x2020202020202020ull;
    while (kept >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, line.data() + kept - 8, 8);
        if (word != kEightSpaces) break;
        kept -= 8;
    }
    while (kept > 0 && line[kept - 1] == ' ')
        --kept;
    const std::string_view text = line.substr(0, kept);
    std::uint32_t kind = 0;
    for (std::size_t i = 0; i < 6 && i < text.size(); ++i)
        kind = kind * 31 + static_cast<unsigned char>(text[i]);
    std::uint32_t& last = lastOfKind_[kind % lastOfKind_.size()];
    if (last != 0 && texts_[last - 1] == text && widths_[last - 1] == line.size()) {
        texts_.PushRepeat(last - 1);
    } else {
        texts_.push_back(text);
        last = texts_.size() < UINT32_MAX ? static_cast<std::uint32_t>(texts_.size()) : 0;
    }
    widths_.push_back(static_cast<std::uint32_t>(line.size()));
}

ConversionRun& Conversion() {
    std::shared_ptr<ConversionRun>& conversion = CurrentRun().conversion;
    if (!conversion) conversion = std::make_shared<ConversionRun>();
    return *conversion;
}

void InitFNS3Lines() {
    Conversion().lines = Fns3LineList();
    Conversion().lines.push_back("[FNS3]");
}

StringList GetFNS3Lines() {
    const Fns3LineList& lines = FNS3Lines();
    StringList out;
    out.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        out.push_back(lines[i]);
    return out;
}
const Fns3LineList& FNS3Lines() {
    return Conversion().lines;
}
void AppendFNS3Line(std::string_view line) {
    Conversion().lines.push_back(line);
}

}  // namespace trelvane
