// A rich-text sink that renders its runs as HTML: one block per paragraph
// with its left indent, one span per run with its colour, weight, size and
// font. Texts arrive in Windows-1252 and leave as escaped UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reports/RichTextSink.h"

namespace trelvane {

class HtmlSink : public RichTextSink {
  public:
    HtmlSink() { Clear(); }

    void Clear() override;
    void SetColor(Rgb color) override { look_.color = color; }
    void SetBold(bool bold) override { look_.bold = bold; }
    void SetFontName(std::string_view name) override { look_.font = std::string(name); }
    void SetFontSize(int points) override { look_.size = points; }
    // The indent belongs to the paragraph that holds the caret.
    void SetIndent(int twips) override {
        look_.indent = twips;
        paragraphs_.back().indent = twips;
    }
    void InsertText(std::string_view text) override;
    std::string PlainText() const override { return text_; }

    // The paragraphs as HTML blocks, without any page around them.
    std::string Fragment() const;

  private:
    struct Look {
        Rgb color;
        bool bold = false;
        std::string font;
        int size = 0;
        int indent = 0;
    };
    struct Span {
        Look look;
        std::string text;  // Windows-1252
    };
    struct Paragraph {
        int indent = 0;
        std::vector<Span> spans;
    };
    void Append(std::string_view piece);

    Look look_;
    std::vector<Paragraph> paragraphs_;
    std::string text_;
};

// Windows-1252 text as UTF-8 safe inside HTML text and attribute values.
std::string HtmlEscape(std::string_view cp1252);

// One self-contained page: a title and titled sections, each holding the
// fragment of a sink.
struct HtmlSection {
    std::string caption;  // Windows-1252
    const HtmlSink* sink = nullptr;
    Rgb background{255, 255, 255};
};
std::string HtmlPage(std::string_view title, const std::vector<HtmlSection>& sections);

}  // namespace trelvane
