// The shared validators: element and component counts, the format check
// against the format table, the simple-element checks and the records they
// append.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/Cp1252.h"
#include "config/modIOfunctions.h"
#include "content/ReferenceTables.h"
#include "content/modKTVContentChecker.h"
#include "run/modMainFunctions.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace trelvane {
namespace {

using test::ScriptedPlatform;
using test::W;

class Validators : public ::testing::Test {
  protected:
    void SetUp() override {
        State().Delimiters = {"'", "+", ":", "?"};
        test::WriteBytes(platform.Directory() + "/tbl_data_format.txt",
                         "\"FN4\",\"fn\",4,\"any\"\r\n"
                         "\"VN3\",\"vn\",3,\"any\"\r\n"
                         "\"VA35\",\"va\",35,\"any\"\r\n"
                         "\"FA4\",\"fa\",4,\"UNA:\"\r\n"
                         "\"FAN2\",\"fan\",2,\"any\"\r\n"
                         "\"VAN2\",\"van\",2,\"any\"\r\n"
                         "\"XY3\",\"xy\",3,\"any\"\r\n"
                         "\"FX3\",\"fx\",3,\"any\"\r\n"
                         "\"COMMA\",\"va\",5,\"1,5\"\r\n");
        Initialise_Table_Formats();
        ASSERT_TRUE(platform.messages.empty());
    }

    // The record the format check appends for value under key, or "" when it passes.
    std::string Format(std::string_view value, std::string_view key) {
        StringList errors{"[Contenu]"};
        const bool ok = CheckDataFormat(errors, value, 7, key, "d3:1", 2);
        EXPECT_EQ(ok, errors.size() == 1) << value;
        return errors.size() > 1 ? errors.back() : std::string();
    }

    ScriptedPlatform platform;
};

TEST_F(Validators, FixedNumeric) {
    EXPECT_EQ(Format("0012", "FN4"), "");
    EXPECT_EQ(Format("12", "FN4"), "7,4,d3:1,2,080");
    EXPECT_EQ(Format("1a3", "FN4"), "7,,d3:1,2,880");
    EXPECT_EQ(Format("1 23", "FN4"), "7," + W("Numérique Attendu") + ",d3:1,2,800");
    EXPECT_EQ(Format("", "FN4"), "7,,d3:1,2,880");
    EXPECT_EQ(Format("12,5", "FN4"), "7," + W("Numérique Attendu") + ",d3:1,2,800");
    EXPECT_EQ(Format("-123", "FN4"), "");
}

TEST_F(Validators, VariableNumericAndText) {
    EXPECT_EQ(Format("", "VN3"), "7," + W("Numérique Attendu") + ",d3:1,2,800");
    EXPECT_EQ(Format("12", "VN3"), "");
    EXPECT_EQ(Format("1234", "VN3"), "7,3,d3:1,2,080");
    EXPECT_EQ(Format("1,2", "VN3"), "7," + W("Numérique Attendu") + ",d3:1,2,800");
    // A sign alone or a bare decimal comma is no whole number; a signed one is.
    EXPECT_EQ(Format("+", "VN3"), "7," + W("Numérique Attendu") + ",d3:1,2,800");
    EXPECT_EQ(Format("-", "VN3"), "7," + W("Numérique Attendu") + ",d3:1,2,800");
    EXPECT_EQ(Format(",5", "VN3"), "7," + W("Numérique Attendu") + ",d3:1,2,800");
    EXPECT_EQ(Format("12,", "VN3"), "7," + W("Numérique Attendu") + ",d3:1,2,800");
    EXPECT_EQ(Format("+12", "VN3"), "");
    EXPECT_EQ(Format("1-2", "VN3"), "7," + W("Numérique Attendu") + ",d3:1,2,800");
    EXPECT_EQ(Format("", "VA35"), "");
    EXPECT_EQ(Format(std::string(35, 'x'), "VA35"), "");
    EXPECT_EQ(Format(std::string(36, 'x'), "VA35"), "7,35,d3:1,2,080");
    EXPECT_EQ(Format("AB", "FAN2"), "");
    EXPECT_EQ(Format("A", "FAN2"), "7,2,d3:1,2,080");
    EXPECT_EQ(Format("A", "VAN2"), "");
    // Unknown classes: "f..." is a fixed length, anything else a maximum.
    EXPECT_EQ(Format("ab", "FX3"), "7,3,d3:1,2,080");
    EXPECT_EQ(Format("ab", "XY3"), "");
    EXPECT_EQ(Format("abcd", "XY3"), "7,3,d3:1,2,080");
}

TEST_F(Validators, ExpectedValueWinsOverOtherFaults) {
    EXPECT_EQ(Format("UNA:", "FA4"), "");
    EXPECT_EQ(Format("UNB", "FA4"), "7,UNA:,d3:1,2,008");
    EXPECT_EQ(Format("una:", "FA4"), "7,UNA:,d3:1,2,008");
    // An expected value holding a comma is written with ";".
    EXPECT_EQ(Format("2", "COMMA"), "7,1;5,d3:1,2,008");
}

TEST_F(Validators, UnknownKeyIsNotValidatedAndNotReported) {
    StringList errors{"[Contenu]"};
    EXPECT_FALSE(CheckDataFormat(errors, "x", 1, "NOPE", "d1", 1));
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(Validators, SimpleElements) {
    SplitScratch scratch;
    SplitInto("TAG+12:3++0012+1?:2+", "+", "?", CutLevel::Element, scratch);
    const Pieces& e = scratch.pieces;
    ASSERT_EQ(e.size(), 6u);
    StringList errors{"[Contenu]"};
    EXPECT_FALSE(CheckSimpleElement(e, 1, ":", "?", errors, 4, "VA35", 1));
    EXPECT_EQ(errors.back(), "4,,d1,1,444");
    EXPECT_TRUE(CheckSimpleElement(e, 2, ":", "?", errors, 4, "VA35", 1));  // empty passes
    EXPECT_TRUE(CheckSimpleElement(e, 3, ":", "?", errors, 4, "FN4", 1));
    // A released component separator does not make two components; the value
    // keeps its release character at this level.
    EXPECT_FALSE(CheckSimpleElement(e, 4, ":", "?", errors, 4, "FAN2", 1));
    EXPECT_EQ(errors.back(), "4,2,d4,1,080");
    errors.resize(1);

    EXPECT_FALSE(CheckMandatorySimpleElement(e, 2, ":", "?", errors, 4, "VA35", 1));
    EXPECT_EQ(errors.back(), "4,,l2,1,444");
    EXPECT_FALSE(CheckMandatorySimpleElement(e, 1, ":", "?", errors, 4, "VA35", 1));
    EXPECT_EQ(errors.back(), "4,,l1,1,444");
    EXPECT_FALSE(CheckMandatorySimpleElement(e, 3, ":", "?", errors, 4, "VN3", 1));
    EXPECT_EQ(errors.back(), "4,3,d3,1,080");
    EXPECT_TRUE(CheckMandatorySimpleElement(e, 3, ":", "?", errors, 4, "FN4", 1));
    EXPECT_EQ(errors.size(), 4u);
    // An unknown key: false without a record, whatever the element.
    EXPECT_FALSE(CheckMandatorySimpleElement(e, 3, ":", "?", errors, 4, "NOPE", 1));
    EXPECT_EQ(errors.size(), 4u);
    // Past the last element: a subscript failure for the rule set to report.
    try {
        CheckSimpleElement(e, 6, ":", "?", errors, 4, "VA35", 1);
        ADD_FAILURE();
    } catch (const RuntimeError& err) {
        EXPECT_EQ(err.Number(), 9);
    }
}

TEST_F(Validators, Counts) {
    EXPECT_TRUE(CheckSegmentElementCount("UNB+A+B", "+", "?", 3, 3));
    EXPECT_FALSE(CheckSegmentElementCount("UNB+A?+B", "+", "?", 3, 3));
    EXPECT_TRUE(CheckSegmentElementCount("", "+", "?", 0, 1));
    EXPECT_FALSE(CheckSegmentElementCount("", "+", "?", 1, 1));

    SplitScratch components;
    components.pieces = {"untouched"};
    EXPECT_FALSE(CheckComponentCount("", ":", "?", 0, 5, components));
    ASSERT_EQ(components.pieces.size(), 1u);
    EXPECT_EQ(components.pieces[0], "untouched");

    const std::string element = "A?:B:C??D";
    EXPECT_TRUE(CheckComponentCount(element, ":", "?", 2, 2, components));
    ASSERT_EQ(components.pieces.size(), 2u);
    EXPECT_EQ(components.pieces[0], "A:B");
    EXPECT_EQ(components.pieces[1], "C?D");
    EXPECT_FALSE(CheckComponentCount("A:B:C:D", ":", "?", 1, 3, components));
    EXPECT_EQ(components.pieces.size(), 4u);
}

TEST_F(Validators, CountRecords) {
    StringList errors{"[Contenu]"};
    AddCountError(errors, 1, 11, 12, 402, "ERR", 0);
    AddCountError(errors, 2, 2, 2, 404, "l1", 3);
    AddCountError(errors, 3, 1, 3, 404, "l5", 3);
    AddCountError(errors, 4, 0, 1, 444, "d2", 3);
    AddCountError(errors, 5, 0, 0, 445, "l7", 3);
    AddCountError(errors, 6, 2, 2, 402, "ERR", 3);
    EXPECT_EQ(errors[1], "1,10 ou 11 attendue(s).,ERR,0,402");
    EXPECT_EQ(errors[2], "2,2 attendue(s).,l1,3,404");
    EXPECT_EQ(errors[3], "3,1 ou 3 attendue(s).,l5,3,404");
    EXPECT_EQ(errors[4], "4,,d2,3,444");
    EXPECT_EQ(errors[5], "5,,l7,3,445");
    EXPECT_EQ(errors[6], "6,1 attendue(s).,ERR,3,402");
    AddContentError(errors, 9, "AAMMJJ", "415", "d4:0", 1);
    EXPECT_EQ(errors.back(), "9,AAMMJJ,d4:0,1,415");
    // A comma can never reach a record's detail text.
    AddContentError(errors, 9, ",? ", "008", "d1", 0);
    EXPECT_EQ(errors.back(), "9,;? ,d1,0,008");
    EXPECT_EQ(DetailText("12,50,3"), "12;50;3");
}

TEST_F(Validators, PositionsAndCompositeHelpers) {
    EXPECT_EQ(ElementPosition(0).view(), "d0");
    EXPECT_EQ(ListPosition(12).view(), "l12");
    EXPECT_EQ(ComponentPosition(4, 1).view(), "d4:1");

    SegmentTexts segments;
    segments.push_back("NAD+A:B+C?+D+:X+");
    StringList errors{"[Contenu]"};
    SegmentContext ctx{errors, segments, 0, 5, {}, {}, -1, {}};
    const Pieces& e = CutSegment(ctx);
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[2], "C+D");
    EXPECT_EQ(segments[0], "NAD+A:B+C+D+:X+");  // the segment is rewritten
    EXPECT_TRUE(CutComposite(ctx, e, 1, 2, 2));
    EXPECT_EQ(ctx.components.pieces[1], "B");
    EXPECT_FALSE(CutComposite(ctx, e, 4, 1, 1));
    EXPECT_EQ(errors.back(), "0,1 attendue(s).,l4,5,404");
    EXPECT_TRUE(CutComposite(ctx, e, 2, 0, 3));
    CheckEmptyElement(ctx, e, 2);
    EXPECT_EQ(errors.back(), "0,,l2,5,445");
    const std::size_t before = errors.size();
    CheckEmptyElement(ctx, e, 4);
    EXPECT_EQ(errors.size(), before);
}

TEST_F(Validators, RuleSetFailureRecord) {
    platform.trace = true;
    std::filesystem::create_directory(platform.Directory() + "/logs");
    SegmentTexts segments;
    for (int i = 0; i < 5; ++i)
        segments.push_back("UNZ+X+R");
    StringList errors{"[Contenu]"};
    SegmentContext ctx{errors, segments, 4, 3, {}, {}, -1, {}};
    ReportRuleSetFailure(ctx, RuntimeError(13), "Traite_UNZ", "modKTVContentENT1", "UNZ", 1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, W("Erreur non gérée"));
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(platform.messages[0].text,
              W("13 : Une erreur inattendue s'est produite sur un segment UNZ dans le "
                "dossier n°3"));
    EXPECT_EQ(errors.back(), "4,!13!,d1,3,777");
    const std::string log = test::ReadBytes(CurrentTraceFilePath());
    EXPECT_NE(log.find(W("13: Segment n°5")), std::string::npos);
    EXPECT_NE(log.find("modKTVContentENT1 >> Traite_UNZ"), std::string::npos);
}

}  // namespace
}  // namespace trelvane
