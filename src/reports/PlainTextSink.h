// A rich-text sink that keeps the text only.
#pragma once

#include <string>

#include "reports/RichTextSink.h"

namespace trelvane {

class PlainTextSink : public RichTextSink {
  public:
    void Clear() override { text_.clear(); }
    void InsertText(std::string_view text) override { text_ += text; }
    std::string PlainText() const override { return text_; }

  private:
    std::string text_;
};

}  // namespace trelvane
