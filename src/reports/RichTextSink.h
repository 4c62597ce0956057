// Where the reports write: a series of runs, each inserted at the caret with
// the attributes set before it (an attribute keeps its value until set
// again). The reports never know whether the runs land in a window, a text
// or a web page. Texts are Windows-1252; line breaks are "\r\n".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trelvane {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

class RichTextSink {
  public:
    virtual ~RichTextSink() = default;
    virtual void Clear() = 0;
    virtual void SetColor(Rgb color) = 0;
    virtual void SetBold(bool bold) = 0;
    virtual void SetFontName(std::string_view name) = 0;
    virtual void SetFontSize(int points) = 0;
    virtual void SetIndent(int twips) = 0;  // left indent, 1440 twips to the inch
    virtual void InsertText(std::string_view text) = 0;
    virtual void SetCaret(std::size_t position) = 0;
    // What is written from here up to the next mark tells of segment
    // segment (an index into Segments): a window links what it shows to
    // the segment. Sinks that only keep text ignore it.
    virtual void MarkSegment(std::int64_t segment) { (void)segment; }
    // The whole text, "\r\n" line breaks.
    virtual std::string PlainText() const = 0;
};

}  // namespace trelvane
