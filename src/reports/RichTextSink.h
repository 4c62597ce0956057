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
    virtual void InsertText(std::string_view text) = 0;
    // What is written from here up to the next mark tells of segment
    // segment (an index into Segments): a window links what it shows to
    // the segment. Sinks that only keep text ignore it.
    virtual void MarkSegment(std::int64_t segment) { (void)segment; }
    // The whole text, "\r\n" line breaks.
    virtual std::string PlainText() const = 0;

    // The look of what is inserted next, and where the caret is left: a
    // sink that keeps only the text ignores them.
    virtual void SetColor(Rgb /*color*/) {}
    virtual void SetBold(bool /*bold*/) {}
    virtual void SetFontName(std::string_view /*name*/) {}
    virtual void SetFontSize(int /*points*/) {}
    virtual void SetIndent(int /*twips*/) {}  // left indent, 1440 twips to the inch
    virtual void SetCaret(std::size_t /*position*/) {}
};

}  // namespace trelvane
