// A small walk over one or more messages that hands each detail segment to
// its rule set the way the content check driver does (group counter, detail
// state reset at UNH, annex checks at UNT), so the detail rules can be tested
// on realistic dossiers without the header rules.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "content/modKTVContentENT1.h"
#include "content/modKTVContentSEQ.h"
#include "content/modKTVFacChecks.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane::test {

// IND information identifier: form, year, annex number, numeric field,
// information code and segment code at their fixed positions.
inline std::string Ind(std::string_view form, std::string_view year, std::string_view annex,
                       std::string_view code, std::string_view segmentCode) {
    std::string form8(form);
    form8.resize(8, ' ');
    return "IND++" + form8 + std::string(year) + std::string(annex) + "00" + std::string(code) +
           std::string(segmentCode);
}

// Wraps detail segments into a message: UNH at index 0, BGM at 1, the body
// from index 2, then UNT.
inline std::vector<std::string> Message(const std::vector<std::string>& body) {
    std::vector<std::string> out{"UNH+1+KTV:D:00B:UN:KTV001", "BGM+KTV::ZZ+DOC0001"};
    out.insert(out.end(), body.begin(), body.end());
    out.push_back("UNT+" + std::to_string(out.size() + 1) + "+1");
    return out;
}

inline std::vector<std::string> Join(std::vector<std::string> a,
                                     const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class DetailTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform = std::make_unique<ScriptedPlatform>();
        platform->yearCamp = "2006";  // the INDs of these tests carry year 06
        SetFacChecksEnabled(true);
        State().Delimiters = {"'", "+", ":", "?"};
        Initialise_Table_Formats();
        Initialise_Table_Codes_Segments_Lib();
    }
    void TearDown() override { platform.reset(); }

    // Trace mode on, with the log directory in place.
    void TraceOn() {
        platform->trace = true;
        std::filesystem::create_directories(
            std::filesystem::path(CurrentTraceFilePath()).parent_path());
    }
    std::string TraceLog() const { return U(ReadBytes(CurrentTraceFilePath())); }

    // Runs every segment through its rule set; returns the records (no header).
    std::vector<std::string> Check(const std::vector<std::string>& segs) {
        SegmentTexts list;
        for (const auto& s : segs)
            list.push_back(s);
        segments = list;
        StringList errors{"[Contenu]"};
        SegmentContext ctx{errors, segments, 0, 0, {}, {}, -1, {}};
        std::int64_t group = 0;
        std::int64_t dossier = 0;
        for (std::size_t i = 0; i < segments.size(); ++i) {
            ctx.index = static_cast<std::int64_t>(i);
            const std::string_view tag = segments[i].substr(0, 3);
            if (tag == "UNH") {
                ++dossier;
                group = 0;
                ResetDossData();
                ResetDetailState();
            }
            ctx.dossier = dossier;
            if (tag == "SEQ") Traite_SEQ(ctx, ++group);
            if (tag == "IND") Traite_IND(ctx, group);
            if (tag == "MOA") Traite_MOA(ctx, group);
            if (tag == "RFF") Traite_RFF3(ctx, group);
            if (tag == "FTX") Traite_FTX(ctx, group);
            if (tag == "DTM") Traite_DTM2(ctx, group);
            if (tag == "PCD") Traite_PCD(ctx, group);
            if (tag == "NAD") Traite_NAD5(ctx, group);
            if (tag == "CCI") Traite_CCI(ctx, group);
            if (tag == "CAV") Traite_CAV(ctx, group);
            if (tag == "UNT" && checkAtUnt) CheckKTVFACData(ctx);
        }
        return {errors.begin() + 1, errors.end()};
    }

    // The codes of the records, in order.
    static std::vector<std::string> CodesOf(const std::vector<std::string>& records) {
        std::vector<std::string> out;
        for (const auto& r : records)
            out.push_back(r.substr(r.rfind(',') + 1));
        return out;
    }

    std::unique_ptr<ScriptedPlatform> platform;
    SegmentTexts segments;
    bool checkAtUnt = true;
};

}  // namespace trelvane::test
