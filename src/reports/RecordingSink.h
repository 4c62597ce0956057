// A rich-text sink that keeps every run with the attributes it was written
// with, for tests and for front ends that lay the runs out themselves.
// Adjacent runs with the same attributes are merged, so what is kept does not
// depend on how a report splits its insertions.
#pragma once

#include <string>
#include <vector>

#include "reports/RichTextSink.h"

namespace trelvane {

struct TextRun {
    std::string text;
    Rgb color;
    bool bold = false;
    std::string font;
    int size = 0;    // points; 0 for the box's own size
    int indent = 0;  // twips

    bool SameLook(const TextRun& o) const {
        return color == o.color && bold == o.bold && font == o.font && size == o.size &&
               indent == o.indent;
    }
};

class RecordingSink : public RichTextSink {
  public:
    void Clear() override {
        runs_.clear();
        text_.clear();
        current_ = TextRun{};
        caret_ = 0;
    }
    void SetColor(Rgb color) override { current_.color = color; }
    void SetBold(bool bold) override { current_.bold = bold; }
    void SetFontName(std::string_view name) override { current_.font = std::string(name); }
    void SetFontSize(int points) override { current_.size = points; }
    void SetIndent(int twips) override { current_.indent = twips; }
    void InsertText(std::string_view text) override {
        if (text.empty()) return;
        text_ += text;
        if (!runs_.empty() && runs_.back().SameLook(current_)) {
            runs_.back().text += text;
        } else {
            runs_.push_back(current_);
            runs_.back().text = std::string(text);
        }
    }
    void SetCaret(std::size_t position) override { caret_ = position; }
    std::string PlainText() const override { return text_; }

    const std::vector<TextRun>& Runs() const { return runs_; }
    std::size_t Caret() const { return caret_; }

  private:
    std::vector<TextRun> runs_;
    std::string text_;
    TextRun current_;
    std::size_t caret_ = 0;
};

}  // namespace trelvane
