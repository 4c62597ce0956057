// Checks that hold after any test run, whatever the file held: the result
// lists have their headers and well-formed records, every index points at a
// segment, and the envelope verdict is the one the first segments call for.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/Platform.h"
#include "run/modMainFunctions.h"

namespace trelvane::test {

inline std::vector<std::string> Fields(std::string_view record) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = record.find(',', start);
        out.emplace_back(record.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return out;
}

inline bool IsIndex(const std::string& s, std::size_t count) {
    if (s.empty() || s.size() > 12 || s.find_first_not_of("0123456789") != std::string::npos)
        return false;
    return std::stoull(s) < count;
}

// The envelope record the first segments call for, "" when N1 must run.
inline std::string ExpectedEnvelope(const RunState& st) {
    const std::size_t n = st.Segments.size();
    auto tag = [&](std::size_t i) { return std::string(st.Segments[i].substr(0, 3)); };
    if (n < 3) return "007,0";
    if (tag(0) != "UNA") return "003,0";
    if (tag(1) != "UNB") return "004,1";
    if (tag(n - 1) != "UNZ") return "005," + std::to_string(n - 1);
    if (tag(2) == "UNZ") return "006,2";
    return "";
}

inline void ExpectSoundRunState(const std::string& what) {
    SCOPED_TRACE(what);
    const RunState& st = State();
    const std::size_t n = st.Segments.size();
    ASSERT_FALSE(st.SyntaxErrors.empty());
    const std::string envelope = ExpectedEnvelope(st);
    if (envelope.empty()) {
        EXPECT_EQ(st.SyntaxErrors[0], "[Branchement]");
        for (std::size_t i = 1; i < st.SyntaxErrors.size(); ++i) {
            const auto f = Fields(st.SyntaxErrors[i]);
            ASSERT_EQ(f.size(), 3u) << st.SyntaxErrors[i];
            EXPECT_TRUE(IsIndex(f[0], n)) << st.SyntaxErrors[i];
            EXPECT_EQ(f[2].size(), 3u) << st.SyntaxErrors[i];
        }
    } else {
        ASSERT_EQ(st.SyntaxErrors.size(), 2u);
        EXPECT_EQ(st.SyntaxErrors[0], "[Base_N0]");
        EXPECT_EQ(st.SyntaxErrors[1], envelope);
    }
    ASSERT_FALSE(st.ContentErrors.empty());
    EXPECT_EQ(st.ContentErrors[0], "[Contenu]");
    for (std::size_t i = 1; i < st.ContentErrors.size(); ++i) {
        const auto f = Fields(st.ContentErrors[i]);
        ASSERT_EQ(f.size(), 5u) << st.ContentErrors[i];
        EXPECT_TRUE(IsIndex(f[0], n)) << st.ContentErrors[i];
        EXPECT_EQ(f[4].size(), 3u) << st.ContentErrors[i];
    }
    // Rows are added at a UNH and skipped to at a UNT; row 0 always exists.
    std::size_t messages = 0, trailers = 0;
    for (std::size_t i = 0; i < n; ++i) {
        messages += st.Segments[i].substr(0, 3) == "UNH";
        trailers += st.Segments[i].substr(0, 3) == "UNT";
    }
    EXPECT_GE(st.DossierInfo.size(), 1u);
    EXPECT_LE(st.DossierInfo.size(), messages + trailers + 1);
}

// Codes of the records of a result list (the last field), header excluded.
inline std::vector<std::string> Codes(const std::vector<std::string>& list) {
    std::vector<std::string> out;
    for (std::size_t i = 1; i < list.size(); ++i) {
        const auto f = Fields(list[i]);
        out.push_back(f.back());
    }
    return out;
}

}  // namespace trelvane::test
