// libFuzzer entry: every input is a declaration file put through the whole
// test run (splitter, N0, N1, content checks, FNS3 building, the three
// reports) with a fixed campaign year, as the Test button would.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "config/Platform.h"
#include "conversion/ConversionCommand.h"
#include "reports/PlainTextSink.h"
#include "reports/modDisplayFunctions.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

using namespace trelvane;
namespace fs = std::filesystem;

namespace {

// Index field of a record (the text up to the first comma, or after it for
// an envelope record) must name a segment.
bool IndexInRange(const std::string& field, std::size_t count) {
    if (field.empty() || field.size() > 12 ||
        field.find_first_not_of("0123456789") != std::string::npos)
        return false;
    return std::stoull(field) < count;
}

// What any run must leave behind, whatever the input: an abort tells the
// fuzzer it found a fault that crashes nothing.
void CheckRunState() {
    const RunState& st = State();
    const std::size_t n = st.Segments.size();
    if (st.SyntaxErrors.empty() || st.ContentErrors.empty()) std::abort();
    const bool branching = st.SyntaxErrors[0] == "[Branchement]";
    if (!branching && (st.SyntaxErrors[0] != "[Base_N0]" || st.SyntaxErrors.size() != 2))
        std::abort();
    for (std::size_t i = 1; i < st.SyntaxErrors.size(); ++i) {
        const std::string& r = st.SyntaxErrors[i];
        const std::size_t comma = r.find(',');
        if (comma == std::string::npos) std::abort();
        // "007,0" names segment 0 even of an empty list.
        if (!IndexInRange(branching ? r.substr(0, comma) : r.substr(comma + 1), n ? n : 1))
            std::abort();
    }
    if (st.ContentErrors[0] != "[Contenu]") std::abort();
    for (std::size_t i = 1; i < st.ContentErrors.size(); ++i) {
        const std::string& r = st.ContentErrors[i];
        if (!IndexInRange(r.substr(0, r.find(',')), n)) std::abort();
    }
}

SilentPlatform* g_platform = nullptr;
PlainTextSink g_syntax, g_content, g_coloured;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string dir = (fs::temp_directory_path() / "trelvane-fuzz-XXXXXX").string();
    if (!::mkdtemp(dir.data())) std::abort();
    for (const char* name : {"parametres.ini", "tbl_data_format.txt", "tbl_code_erreur_libelle.txt",
                             "tbl_code_segment.txt"}) {
        fs::path from = fs::path(TRELVANE_DATA_DIR) / name;
        if (fs::exists(from))
            fs::copy_file(from, fs::path(dir) / name, fs::copy_options::overwrite_existing);
    }
    g_platform = new SilentPlatform;
    g_platform->programDirectory = dir;
    g_platform->filePath = dir + "/input.edi";
    g_platform->yearCamp = "2025";
    g_platform->procedureText = "EDI KTV";
    g_platform->now = {2026, 1, 15, 10, 30, 0};
    SetPlatform(g_platform);
    SetFacChecksEnabled(true);
    SetReportPanes({&g_syntax, &g_content, &g_coloured});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (std::FILE* f = std::fopen(g_platform->filePath.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        std::abort();
    }
    MainTest();
    CheckRunState();
    (void)IsFileConvertible();
    return 0;
}
