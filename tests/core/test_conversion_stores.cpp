// The dossier store: what is saved reads back until the next reset, however
// many cells are written after it (a cell saved again shows its last text),
// and a cell outside the grid is refused without failing the caller.
#include <gtest/gtest.h>

#include <string>

#include "config/RuntimeErrors.h"
#include "conversion/modKTVConversionFunctions.h"
#include "support/ScriptedPlatform.h"

namespace trelvane {
namespace {

TEST(DossierStore, SavedTextsReadBackUntilTheNextReset) {
    test::ScriptedPlatform platform;
    ResetDossData();
    SaveDossData(0, 5, 4, 2, 0, "1750101123456");
    SaveDossData(99, 13, 5, 9, 6, "last cell");
    SaveDossData(0, 5, 4, 2, 0, "replaced");
    // A text saved from another cell's text.
    SaveDossData(0, 1, 1, 1, 0, Doss(0, 5, 4, 2, 0));
    // Enough new cells to grow the text pool many times over.
    for (int g = 1; g < 99; ++g)
        for (int k = 1; k <= 13; ++k)
            SaveDossData(g, k, 1, 1, 0, "value " + std::to_string(g * 100 + k));
    EXPECT_EQ(Doss(0, 5, 4, 2, 0), "replaced");
    EXPECT_EQ(Doss(0, 1, 1, 1, 0), "replaced");
    EXPECT_EQ(Doss(99, 13, 5, 9, 6), "last cell");
    EXPECT_EQ(Doss(42, 7, 1, 1, 0), "value 4207");
    EXPECT_EQ(Doss(42, 7, 2, 1, 0), "");

    ResetDossData();
    EXPECT_EQ(Doss(0, 5, 4, 2, 0), "");
    EXPECT_EQ(Doss(42, 7, 1, 1, 0), "");
    SaveDossData(3, 9, 1, 1, 1, "1500");
    EXPECT_EQ(Doss(3, 9, 1, 1, 1), "1500");
    EXPECT_EQ(Doss(0, 5, 4, 2, 0), "");

    // Outside the grid: saving is traced and dropped, reading fails.
    SaveDossData(100, 1, 1, 1, 0, "x");
    SaveDossData(0, 14, 1, 1, 0, "x");
    SaveDossData(0, 1, 1, 1, 7, "x");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_THROW(Doss(100, 1, 1, 1, 0), RuntimeError);
    EXPECT_THROW(Doss(0, 1, 0, 1, 0), RuntimeError);
    ResetDossData();
}

}  // namespace
}  // namespace trelvane
