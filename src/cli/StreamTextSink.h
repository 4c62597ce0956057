// The text of a report written to a stream as the report is built, so a
// report of a million records is never held whole in memory. UTF-8 out,
// "\r\n" written as "\n"; what comes before the first text (a blank line
// between two reports) is written only once the report has text.
#pragma once

#include <cstdio>
#include <string>

#include "config/Cp1252.h"
#include "reports/RichTextSink.h"

namespace trelvane {

class StreamTextSink final : public RichTextSink {
  public:
    StreamTextSink(std::FILE* out, std::string before) : out_(out), before_(std::move(before)) {}

    void Clear() override {}
    void InsertText(std::string_view text) override {
        if (!before_.empty()) {
            std::fputs(before_.c_str(), out_);
            before_.clear();
        }
        std::string utf8 = Cp1252ToUtf8(text);
        std::size_t w = 0;
        for (char c : utf8)
            if (c != '\r') utf8[w++] = c;
        std::fwrite(utf8.data(), 1, w, out_);
    }
    std::string PlainText() const override { return {}; }

  private:
    std::FILE* out_;
    std::string before_;
};

}  // namespace trelvane
