// Hostile files through the whole run (binary data, NUL bytes, huge segments,
// endless release characters, delimiter storms...), the inputs the fuzzer
// once crashed on, and the files the program writes when the disk refuses:
// each is complete or absent.
#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/mount.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "config/Cp1252.h"
#include "config/modIOfunctions.h"
#include "conversion/ConversionCommand.h"
#include "conversion/modKTVConversionFunctions.h"
#include "core/RunInvariants.h"
#include "driver/MainTest.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane {
namespace {

namespace fs = std::filesystem;
using test::ExpectSoundRunState;
using test::ReadBytes;
using test::ScriptedPlatform;
using test::W;
using test::WriteBytes;
using namespace std::string_literals;

#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kHugeSegment = 8u << 20;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr std::size_t kHugeSegment = 8u << 20;
#else
constexpr std::size_t kHugeSegment = 50u << 20;
#endif
#else
constexpr std::size_t kHugeSegment = 50u << 20;
#endif

std::string Sample() {
    return ReadBytes(std::string(TRELVANE_SAMPLES_DIR) + "/valide.edi");
}

// The segments of the valid sample, terminators and line ends removed.
std::vector<std::string> SampleSegments() {
    std::vector<std::string> out;
    std::string cur;
    for (char c : Sample()) {
        if (c == '\r' || c == '\n') continue;
        if (c == '\'') {
            out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    return out;
}

std::string Join(const std::vector<std::string>& segs) {
    std::string out;
    for (const auto& s : segs)
        out += s + "'\r\n";
    return out;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t p = text.find(from); p != std::string::npos;
         p = text.find(from, p + to.size()))
        text.replace(p, from.size(), to);
    return text;
}

class Robustness : public ::testing::Test {
  protected:
    void SetUp() override {
        platform_.yearCamp = "2025";
        SetFacChecksEnabled(true);
    }
    void RunBytes(std::string_view bytes, const std::string& what) {
        const std::string path = platform_.Directory() + "/input.edi";
        WriteBytes(path, bytes);
        platform_.filePath = path;
        MainTest();
        ExpectSoundRunState(what);
    }
    ScriptedPlatform platform_;
};

TEST_F(Robustness, BinaryDataAndNulBytes) {
    std::uint64_t x = 88172645463325252ULL;
    auto next = [&x] {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        return x;
    };
    for (int round = 0; round < 4; ++round) {
        std::string bytes(64 * 1024, '\0');
        for (auto& c : bytes)
            c = static_cast<char>(next() & 0xFF);
        RunBytes(bytes, "random bytes " + std::to_string(round));
    }
    // Bytes drawn mostly from the delimiters and tags, so that many segments form.
    const std::string alphabet = "'''+++:::???UNAUNBUNHUNTUNZSEQINDMOA\r\n\0\x80\xFF 0123456789"s;
    for (int round = 0; round < 4; ++round) {
        std::string bytes(64 * 1024, '\0');
        for (auto& c : bytes)
            c = alphabet[next() % alphabet.size()];
        RunBytes("UNA:+,? 'UNB+" + bytes + "'UNZ+1+X'", "delimiter soup " + std::to_string(round));
    }
    RunBytes(std::string(4096, '\0'), "only NUL bytes");
    std::string withNuls = Sample();
    for (std::size_t i = 7; i < withNuls.size(); i += 7)
        withNuls.insert(i, 1, '\0');
    RunBytes(withNuls, "NUL bytes spread through a valid file");
}

TEST_F(Robustness, HugeSingleSegment) {
    std::string text = "UNA:+,? '\r\nUNB+";
    text.append(kHugeSegment, 'A');
    text += "'\r\nUNZ+1+X'\r\n";
    RunBytes(text, "huge segment");
    ASSERT_EQ(State().Segments.size(), 3u);
    EXPECT_EQ(State().Segments[1].size(), kHugeSegment + 4);
}

TEST_F(Robustness, LongRunsOfReleaseCharacters) {
    const std::vector<std::string> segs = SampleSegments();
    for (std::size_t count : {100000u, 100001u}) {
        for (const char* after : {"+", "'", ":"}) {
            std::string text = Join(segs);
            const std::string name = "CABINET DUPONT";
            text.replace(text.find(name), name.size(), "CABINET" + std::string(count, '?') + after);
            RunBytes(text, std::to_string(count) + " release characters before " + after);
            // An even run is all literal release characters, so a terminator
            // after it ends the segment early; an odd run releases it.
            const bool cut = count % 2 == 0 && std::string(after) == "'";
            EXPECT_EQ(State().Segments.size(), segs.size() + (cut ? 1 : 0));
        }
    }
}

TEST_F(Robustness, HundredsOfElementsOrComponentsInOneSegment) {
    const std::vector<std::string> segs = SampleSegments();
    std::string elements, components;
    for (int i = 0; i < 300; ++i) {
        elements += "+1";
        components += ":1";
    }
    for (std::size_t i = 0; i < segs.size(); ++i) {
        for (const std::string* extra : {&elements, &components}) {
            std::vector<std::string> copy = segs;
            copy[i] += *extra;
            RunBytes(Join(copy), segs[i].substr(0, 3) + (extra == &elements ? " +300" : " :300"));
        }
    }
}

TEST_F(Robustness, EveryDelimiterDoubled) {
    const std::string sample = Sample();
    for (const char* d : {"'", "+", ":", "?"})
        RunBytes(ReplaceAll(sample, d, std::string(2, d[0])), std::string("doubled ") + d);
    std::string all;
    for (char c : sample) {
        all += c;
        if (c == '\'' || c == '+' || c == ':' || c == '?') all += c;
    }
    RunBytes(all, "all delimiters doubled");
}

TEST_F(Robustness, DegenerateFiles) {
    RunBytes("UNA:+,? '", "UNA only");
    EXPECT_EQ(State().SyntaxErrors, (StringList{"[Base_N0]", "007,0"}));
    RunBytes("UNA:+,? ", "UNA without terminator");
    RunBytes(std::string(10000, '\''), "only terminators");
    EXPECT_EQ(State().Segments.size(), 10000u);
    EXPECT_EQ(State().SyntaxErrors, (StringList{"[Base_N0]", "003,0"}));
    std::string crlf;
    for (int i = 0; i < 5000; ++i)
        crlf += "'\r\n";
    RunBytes(crlf, "terminators on lines of their own");
    RunBytes("\r\n\r\n\r\n", "only line ends");
    // Trailers without their headers, then a message: the dossier table
    // must not run past its rows.
    std::vector<std::string> segs = SampleSegments();
    std::vector<std::string> odd(segs.begin(), segs.begin() + 2);
    odd.push_back("UNT+1+1");
    odd.push_back("UNT+1+1");
    odd.push_back("UNT+1+1");
    odd.insert(odd.end(), segs.begin() + 2, segs.end());
    RunBytes(Join(odd), "trailers before any header");
    // A message without its trailer, then another message.
    std::vector<std::string> open(segs.begin(), segs.end() - 2);
    open.insert(open.end(), segs.begin() + 2, segs.end());
    RunBytes(Join(open), "message without trailer");
}

TEST_F(Robustness, Windows1252LettersInEveryField) {
    const std::vector<std::string> segs = SampleSegments();
    const std::string accents = W("ÉÈÀÇÔÛÏŒéèàçôûïœ€ß");
    std::vector<std::string> changed;
    for (const auto& s : segs) {
        std::string t = s.substr(0, 3);
        std::size_t k = 0;
        for (std::size_t i = 3; i < s.size(); ++i) {
            const char c = s[i];
            const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
            t += letter ? accents[k++ % accents.size()] : c;
        }
        changed.push_back(t);
    }
    RunBytes(Join(changed), "Windows-1252 letters");
    EXPECT_EQ(State().Segments.size(), segs.size());
}

// Past 32 767 dossiers the counters must not wrap: the dossier numbers and
// message references go on counting.
TEST_F(Robustness, MoreThan32767Dossiers) {
    constexpr int kDossiers = 32800;
    std::string text =
        "UNA:+,? 'UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+REF1+++++KTV001'";
    for (int d = 1; d <= kDossiers; ++d) {
        const std::string n = std::to_string(d);
        char nir[16];
        std::snprintf(nir, sizeof nir, "1%012d", d);
        text += "UNH+" + n + "+KTV:D:00B:UN:KTV001'BGM+KTV::ZZ+DOC" + n +
                "+9'DTM+137:20251215:102'" +
                "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++75001+FR'" +
                "NAD+MR+CSEKTV:ZZ:ZZ'" +
                "NAD+EM+EMP00001:ZZ:ZZ++SOCIETE MARTIN+3 AVENUE FOCH+LYON++69001+FR'" + "NAD+DT+" +
                nir + ":ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR'" +
                "SEQ++1'IND++KTVECE  250000000000ZZZ'UNT+10+" + n + "'";
    }
    text += "UNZ+" + std::to_string(kDossiers) + "+REF1'";
    platform_.errorsOnly = true;
    RunBytes(text, "32 800 empty declarations");
    const RunState& st = State();
    EXPECT_EQ(st.SyntaxErrors, StringList{"[Branchement]"});
    EXPECT_EQ(st.ContentErrors, StringList{"[Contenu]"});
    ASSERT_EQ(st.DossierInfo.size(), static_cast<std::size_t>(kDossiers));
    EXPECT_EQ(st.DossierInfo.back()[0], std::to_string(kDossiers));
}

TEST_F(Robustness, InputsThatOnceCrashedTheFuzzer) {
    const fs::path dir = fs::path(TRELVANE_TEST_DATA_DIR) / "fuzz-regressions";
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec)) {
        if (!e.is_regular_file() || e.path().extension() == ".md") continue;
        RunBytes(ReadBytes(e.path().string()), e.path().filename().string());
    }
}

// --- files written when the disk refuses ----------------------------------------

// A directory that cannot be created or written, even by root: a path under
// a regular file.
std::string UnderRegularFile(const std::string& dir) {
    const std::string file = dir + "/plain-file";
    WriteBytes(file, "x");
    return file + "/sub";
}

#if !defined(_WIN32)
// A small tmpfs that can be filled up; mounted only when running as root
// where mounting is allowed.
class SmallFileSystem {
  public:
    explicit SmallFileSystem(std::size_t kb) : dir_(test::MakeTempDir()) {
        if (::geteuid() != 0) return;
        const std::string options = "size=" + std::to_string(kb) + "k";
        mounted_ = ::mount("tmpfs", dir_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount2(dir_.c_str(), MNT_DETACH);
        test::RemoveTree(dir_);
    }
    bool Mounted() const { return mounted_; }
    const std::string& Dir() const { return dir_; }
    // Takes every free byte but `leave`.
    void Fill(std::size_t leave = 0) {
        std::FILE* f = std::fopen((dir_ + "/filler").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::setvbuf(f, nullptr, _IONBF, 0);
        const std::string block(4096, 'F');
        while (std::fwrite(block.data(), 1, block.size(), f) == block.size()) {
        }
        while (std::fwrite("F", 1, 1, f) == 1) {
        }
        std::fclose(f);
        if (leave) {
            const auto size = fs::file_size(dir_ + "/filler");
            fs::resize_file(dir_ + "/filler", size > leave ? size - leave : 0);
        }
    }

  private:
    std::string dir_;
    bool mounted_ = false;
};

#endif

std::vector<std::string> Listing(const std::string& dir) {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(dir, ec))
        out.push_back(fs::relative(e.path(), dir).string());
    std::sort(out.begin(), out.end());
    return out;
}

#if !defined(_WIN32)
// A valid file of many dossiers, whose FNS3 records take some room.
std::string ManyDossiers(int count) {
    const std::vector<std::string> segs = SampleSegments();
    std::vector<std::string> out(segs.begin(), segs.begin() + 2);
    for (int d = 1; d <= count; ++d) {
        for (std::size_t i = 2; i + 1 < segs.size(); ++i) {
            std::string s = segs[i];
            if (s.rfind("UNH+", 0) == 0) s = "UNH+" + std::to_string(d) + s.substr(5);
            if (s.rfind("UNT+", 0) == 0) s = "UNT+14+" + std::to_string(d);
            if (s.rfind("NAD+DT+", 0) == 0) {
                char nir[16];
                std::snprintf(nir, sizeof nir, "2%012d", d);
                s.replace(7, 13, nir);
            }
            out.push_back(s);
        }
    }
    out.push_back("UNZ+" + std::to_string(count) + "+REF00000001");
    return Join(out);
}
#endif

TEST_F(Robustness, TraceIntoAnUnwritableDirectoryLeavesNoFile) {
    // The trace directory's name is taken by a regular file.
    WriteBytes(platform_.Directory() + "/logs", "not a directory");
    platform_.trace = true;
    RunBytes(Sample(), "trace without its directory");
    EXPECT_EQ(ReadBytes(platform_.Directory() + "/logs"), "not a directory");
    EXPECT_TRUE(fs::is_regular_file(platform_.Directory() + "/logs"));
}

TEST_F(Robustness, ReportAndFns3IntoAnUnwritableDirectoryLeaveNoFile) {
    RunBytes(Sample(), "valid sample");
    const std::string bad = UnderRegularFile(platform_.Directory());
    const auto before = Listing(platform_.Directory());
    EXPECT_EQ(WriteCRFile("Rapport\r\n", bad), "");
    EXPECT_EQ(WriteFNS3File(bad), "");
    EXPECT_EQ(RunConversionCommand("Rapport\r\n", bad).path, "");
    EXPECT_EQ(Listing(platform_.Directory()), before);
}

#if !defined(_WIN32)
TEST_F(Robustness, FullFileSystemLeavesFilesCompleteOrAbsent) {
    SmallFileSystem disk(64);
    if (!disk.Mounted()) GTEST_SKIP() << "needs root and permission to mount a tmpfs";
    RunBytes(ManyDossiers(80), "80 dossiers");
    const StringList lines = GetFNS3Lines();

    // FNS3: more records than the room left.
    disk.Fill(16 * 1024);
    ASSERT_GT(lines.size() * 255, 64u * 1024) << "the records must not fit";
    EXPECT_EQ(WriteFNS3File(disk.Dir()), "");
    // No partial file, no temporary file left behind.
    EXPECT_EQ(Listing(disk.Dir()), std::vector<std::string>{"filler"});

    // CR file: appended to, never cut in the middle.
    fs::remove(disk.Dir() + "/filler");
    for (const auto& name : Listing(disk.Dir()))
        fs::remove_all(disk.Dir() + "/" + name);
    const std::string report(8 * 1024, 'R');
    const std::string cr = WriteCRFile(report, disk.Dir());
    ASSERT_NE(cr, "");
    const std::string first = ReadBytes(cr);
    disk.Fill(2 * 1024);
    WriteCRFile(report, disk.Dir());
    const std::string after = ReadBytes(cr);
    EXPECT_TRUE(after == first || after.size() >= 2 * first.size())
        << "CR file cut to " << after.size() << " bytes";
}

TEST_F(Robustness, TraceOnAFullFileSystemKeepsWholeLines) {
    SmallFileSystem disk(64);
    if (!disk.Mounted()) GTEST_SKIP() << "needs root and permission to mount a tmpfs";
    test::CopyDataFiles(disk.Dir());
    ScriptedPlatform onDisk(disk.Dir());
    onDisk.yearCamp = "2025";
    onDisk.trace = true;
    WriteBytes(disk.Dir() + "/input.edi", Sample());
    onDisk.filePath = disk.Dir() + "/input.edi";
    disk.Fill(300);
    MainTest();
    ExpectSoundRunState("trace on a full disk");
    for (const auto& name : Listing(disk.Dir() + "/logs")) {
        const std::string log = ReadBytes(disk.Dir() + "/logs/" + name);
        EXPECT_TRUE(log.empty() || log.ends_with("\r\n")) << "trace line cut in " << name;
    }
}
#endif

}  // namespace
}  // namespace trelvane
