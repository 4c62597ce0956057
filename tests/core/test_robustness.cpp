// Hostile files through the whole run (binary data, NUL bytes, a huge
// segment, endless release characters, delimiter storms...), real EDIFACT
// files of other kinds, the inputs that once tripped the fuzzer, and writes
// into directories that refuse them. Every run must leave sound results.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "driver/MainTest.h"
#include "run/modMainFunctions.h"
#include "support/Samples.h"

namespace trelvane::test {
namespace {

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kHugeSegment = 8u << 20;
#else
constexpr std::size_t kHugeSegment = 50u << 20;
#endif

// A record of count fields: the first names a segment, the last is a code.
bool WellFormed(const std::string& record, std::size_t count, std::size_t segments) {
    std::vector<std::string> f{""};
    for (char c : record)
        c == ',' ? (void)f.emplace_back() : f.back().push_back(c);
    return f.size() == count && !f[0].empty() && f[0].size() < 12 &&
           f[0].find_first_not_of("0123456789") == std::string::npos &&
           std::stoull(f[0]) < segments && f.back().size() == 3;
}

// What any run leaves, whatever the file: lists with their header and
// well-formed records, and the envelope verdict the first and last segments
// call for.
void ExpectSound(const std::string& what) {
    SCOPED_TRACE(what);
    const RunState& st = State();
    const std::size_t n = st.Segments.size();
    auto tag = [&](std::size_t i) { return std::string(st.Segments[i].substr(0, 3)); };
    const std::string envelope = n < 3                 ? "007,0"
                                 : tag(0) != "UNA"     ? "003,0"
                                 : tag(1) != "UNB"     ? "004,1"
                                 : tag(n - 1) != "UNZ" ? "005," + std::to_string(n - 1)
                                 : tag(2) == "UNZ"     ? "006,2"
                                                       : "";
    if (envelope.empty()) {
        ASSERT_EQ(st.SyntaxErrors.at(0), "[Branchement]");
    } else {
        EXPECT_EQ(st.SyntaxErrors, (StringList{"[Base_N0]", envelope}));
    }
    for (std::size_t i = 1; envelope.empty() && i < st.SyntaxErrors.size(); ++i)
        EXPECT_TRUE(WellFormed(st.SyntaxErrors[i], 3, n)) << st.SyntaxErrors[i];
    ASSERT_EQ(st.ContentErrors.at(0), "[Contenu]");
    for (std::size_t i = 1; i < st.ContentErrors.size(); ++i)
        EXPECT_TRUE(WellFormed(st.ContentErrors[i], 5, n)) << st.ContentErrors[i];
    EXPECT_EQ(st.ErrorsBySegment.size(), n);
}

class Robustness : public ::testing::Test {
  protected:
    void SetUp() override { platform.yearCamp = kCampaign; }
    void Run(std::string_view bytes, const std::string& what) {
        platform.filePath = platform.Directory() + "/input.edi";
        WriteBytes(platform.filePath, bytes);
        MainTest();
        ExpectSound(what);
    }
    ScriptedPlatform platform;
    const Segs sample = Envelope();
};

TEST_F(Robustness, HostileBytes) {
    std::uint64_t x = 88172645463325252ULL;
    auto next = [&x] { return x ^= x << 13, x ^= x >> 7, x ^= x << 17; };
    const char kAlphabet[] = "'''+++:::???UNAUNBUNHUNTUNZSEQINDMOA\r\n\0\x80\xFF 0123456789";
    const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);  // the NUL inside included
    for (int round = 0; round < 8; ++round) {
        std::string bytes(64 * 1024, '\0');
        for (auto& c : bytes)
            c = round < 4 ? static_cast<char>(next() & 0xFF) : alphabet[next() % alphabet.size()];
        Run(round < 4 ? bytes : "UNA:+,? 'UNB+" + bytes + "'UNZ+1+X'",
            "random " + std::to_string(round));
    }
    std::string withNuls = FileText(sample);
    for (std::size_t i = 7; i < withNuls.size(); i += 7)
        withNuls.insert(i, 1, '\0');
    Run(withNuls, "NUL bytes spread through a valid file");
    Run(std::string(10000, '\''), "only terminators");
    EXPECT_EQ(State().Segments.size(), 10000u);
    Run("\r\n\r\n\r\n", "only line ends");
    Run("UNA:+,? ", "no terminator");
    std::string huge = "UNA:+,? '\r\nUNB+" + std::string(kHugeSegment, 'A') + "'\r\nUNZ+1+X'\r\n";
    Run(huge, "huge segment");
    EXPECT_EQ(State().Segments[1].size(), kHugeSegment + 4);
}

TEST_F(Robustness, StormsOfDelimiters) {
    for (std::size_t count : {100000u, 100001u}) {
        for (const char* after : {"+", "'", ":"}) {
            std::string text = FileText(sample);
            text.replace(text.find("DUPONT"), 6, std::string(count, '?') + after);
            Run(text, std::to_string(count) + " release characters before " + after);
            // An even run is literal release characters: the terminator after it ends the segment.
            EXPECT_EQ(State().Segments.size(), sample.size() + (count % 2 == 0 && *after == '\''));
        }
    }
    std::string elements, components;
    for (int i = 0; i < 300; ++i) {
        elements += "+1";
        components += ":1";
    }
    for (std::size_t i = 0; i < sample.size(); ++i)
        for (const std::string* extra : {&elements, &components})
            Run(FileText(With(sample, i, sample[i] + *extra)), sample[i].substr(0, 3) + " + 300");
    std::string all;
    for (char c : FileText(sample)) {
        all += c;
        if (c == '\'' || c == '+' || c == ':' || c == '?') all += c;
    }
    Run(all, "all delimiters doubled");
    std::string accents;
    for (const std::string& s : sample) {
        std::string t = s;
        for (std::size_t i = 3, k = 0; i < t.size(); ++i)
            if (std::isalpha(static_cast<unsigned char>(t[i])))
                t[i] = W("ÉÈÀÇÔŒéèàçôœ€ß")[k++ % 14];
        accents += t + "'";
    }
    Run(accents, "Windows-1252 letters in every field");
}

TEST_F(Robustness, ShapesOfDossiers) {
    Segs odd = Insert(sample, 2, {"UNT+1+1", "UNT+1+1", "UNT+1+1"});
    Run(FileText(odd), "trailers before any header");
    Segs open = Insert(sample, kUNZ, Segs(sample.begin() + kUNH, sample.begin() + kUNT));
    Run(FileText(open), "message without trailer");
    // Past 32 767 dossiers the counters go on counting.
    std::vector<Segs> many;
    for (int d = 1; d <= 32800; ++d)
        many.push_back(With(Dossier(d, Groups("E0000"), std::to_string(1000000000000LL + d)),
                            kBGM - kUNH, "BGM+KTV::ZZ+DOC0001+9"));
    platform.errorsOnly = true;
    Run(FileText(Envelope(many)), "32 800 empty declarations");
    EXPECT_EQ(State().SyntaxErrors, StringList{"[Branchement]"});
    EXPECT_EQ(State().ContentErrors, StringList{"[Contenu]"});
    EXPECT_EQ(State().DossierInfo.back()[0], "32800");
}

// Real interchanges of other message types: sound results, the same ones
// however often they are run.
TEST_F(Robustness, PublicEdifactFiles) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(TRELVANE_CORPUS_DIR))
        if (e.path().filename() != "SOURCES.md") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    ASSERT_GT(files.size(), 10u);
    for (const fs::path& file : files) {
        platform.filePath = file.string();
        MainTest();
        ExpectSound(file.filename().string());
        const RunState first = State();
        platform.filePath = files.front().string();
        MainTest();
        platform.filePath = file.string();
        MainTest();
        EXPECT_EQ(State().SyntaxErrors, first.SyntaxErrors) << file;
        EXPECT_EQ(State().ContentErrors, first.ContentErrors) << file;
    }
    // Line ends of a bare CR are joined like CR LF.
    platform.filePath = std::string(TRELVANE_CORPUS_DIR) + "/edifabric__Edifact_INVOIC_D00A.txt";
    MainTest();
    const StringList crlf = State().Segments.ToStringList();
    platform.filePath = std::string(TRELVANE_CORPUS_DIR) + "/edifabric__Edifact_INVOIC_D00A_CR.txt";
    MainTest();
    EXPECT_EQ(State().Segments.ToStringList(), crlf);
}

TEST_F(Robustness, InputsThatOnceTrippedTheFuzzer) {
    std::size_t inputs = 0;
    for (const auto& e :
         fs::directory_iterator(std::string(TRELVANE_TEST_DATA_DIR) + "/fuzz-regressions")) {
        if (e.path().extension() == ".md") continue;
        Run(ReadBytes(e.path().string()), e.path().filename().string());
        ++inputs;
    }
    EXPECT_GT(inputs, 0u);
}

// The trace directory's name is taken by a regular file: the run goes on,
// the file is left alone.
TEST_F(Robustness, TraceDirectoryTakenByAFile) {
    WriteBytes(platform.Directory() + "/logs", "not a directory");
    platform.trace = true;
    Run(FileText(sample), "trace without its directory");
    EXPECT_EQ(ReadBytes(platform.Directory() + "/logs"), "not a directory");
}

}  // namespace
}  // namespace trelvane::test
