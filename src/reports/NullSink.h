// A rich-text sink that keeps nothing: for runs whose reports nobody reads
// (the one-line summary, the JSON state, benchmarks). It counts the bytes it
// was given.
#pragma once

#include <cstddef>
#include <string>

#include "reports/RichTextSink.h"

namespace trelvane {

class NullSink final : public RichTextSink {
  public:
    void Clear() override {}
    void InsertText(std::string_view text) override { bytes += text.size(); }
    std::string PlainText() const override { return {}; }

    std::size_t bytes = 0;
};

}  // namespace trelvane
