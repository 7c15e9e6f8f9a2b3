// The settings value and the sections "Options" and "Language" of mapwright.ini: the designed
// keys read into the value and written back byte for byte.

#include <gtest/gtest.h>

#include <random>

#include "TempFolder.h"
#include "engine/Options.h"
#include "platform/IniFile.h"

namespace {

using testing_support::ReadAll;
using testing_support::TempFolder;
using testing_support::WriteAll;

// A file as the program writes it, another section around the options.
const std::string kFile =
    "[Language]\r\nSupportedLanguages=French,German,,Polski\r\nCurrentLanguage=German\r\n"
    "[Options]\r\nShowTips=true\r\nMovableColRow=true\r\nSizingColRow=false\r\nDrawFocus=false\r\n"
    "BitSave=true\r\nAskExit=false\r\nGlueMethod=POS\r\nFormulaNotation=textbook\r\n"
    "Appearance=dark\r\nProductsColor=8421376\r\nMapFont=Courier New\r\n"
    "ResultFont=Times New Roman\r\nAnalysisGives=Minimum\r\nMaxSolutions=7\r\n"
    "[Recent]\r\nFile1=a.km\r\n";

TEST(Options, TheSettingsFileRoundTripsByteForByte) {
    TempFolder folder;
    const std::string path = folder / "mapwright.ini";
    WriteAll(path, kFile);
    Options o;
    ReadOptions(platform::IniFile(path).ReadSection("Options"), o, true);
    EXPECT_EQ(o.GlueMethod, gmKNF);
    EXPECT_TRUE(o.ExactMinimum);
    EXPECT_EQ(o.MaxSolutions, 7);
    EXPECT_EQ(o.Notation, FormulaNotation::Textbook);
    EXPECT_EQ(o.ProductsColor, 0x808000u);
    EXPECT_EQ(o.MapFont, "Courier New");
    EXPECT_EQ(o.ShowTips, true);
    ReadLanguage(platform::IniFile(path).ReadSection("Language"), o);
    EXPECT_EQ(o.CurrentLanguage, "German");

    platform::IniFile out(path);
    ASSERT_TRUE(out.WriteStrings("Options", OptionsSection(o, true)));
    ASSERT_TRUE(out.WriteStrings("Language", LanguageSection(o)));
    EXPECT_EQ(ReadAll(path), kFile);

    // A file without the language keys gets none written.
    Options none;
    ReadLanguage({{"currentlanguage", "German"}, {"Other", "x"}}, none);
    EXPECT_TRUE(LanguageSection(none).empty()) << "the language keys are compared exactly";
}

TEST(Options, ShowTipsIsReadByItsExactKeyAndValue) {
    const auto read = [](const std::string& key, const std::string& value) {
        Options o;
        ReadOptions({{key, value}}, o, false);
        return o.ShowTips;
    };
    EXPECT_EQ(read("ShowTips", "true"), true);
    EXPECT_EQ(read("ShowTips", "TRUE"), false);
    EXPECT_EQ(read("ShowTips", "false"), false);
    EXPECT_FALSE(read("showtips", "true"));
    for (const auto& [key, value] : OptionsSection(Options{.ShowTips = true}, true))
        EXPECT_NE(key, "ShowTips") << "the tips window writes its own key";
}

TEST(Options, KeysIgnoreCaseAndOddValuesFallBackAsDesigned) {
    Options o;
    ReadOptions({{"gluemethod", "sop"},  // only the exact "SOP" chooses sums of products
                 {"ASKEXIT", "TRUE"},    // only "true" is on
                 {"appearance", "purple"},
                 {"MaxSolutions", " +12 "},
                 {"ProductsColor", "16777216"},
                 {"MapFont", "Mono"}},
                o, false);
    EXPECT_EQ(o.GlueMethod, gmKNF);
    EXPECT_FALSE(o.AskExit);
    EXPECT_EQ(o.Appearance, "system");
    EXPECT_EQ(o.MaxSolutions, 12);
    EXPECT_EQ(o.ProductsColor, 0u) << "out of range is left out";
    EXPECT_FALSE(o.MapFont) << "no main window takes the look";
    for (const char* bad : {"0", "10001", "x", "", "1.5"}) {
        Options n;
        ReadOptions({{"MaxSolutions", bad}}, n, false);
        EXPECT_EQ(n.MaxSolutions, 100) << bad;
    }
    // Without the main window the look is not written either.
    for (const auto& [key, value] : OptionsSection(Options{}, false))
        EXPECT_TRUE(key != "ProductsColor" && key != "MapFont" && key != "ResultFont") << key;
}

TEST(Options, EveryValueReadsBackAsItself) {
    std::mt19937 random(3);
    for (int round = 0; round < 100; ++round) {
        Options o;
        o.MovableColRow = random() % 2;
        o.SizingColRow = random() % 2;
        o.DrawFocus = random() % 2;
        o.BitSave = random() % 2;
        o.AskExit = random() % 2;
        o.GlueMethod = random() % 2 ? gmKNF : gmDNF;
        o.ExactMinimum = random() % 2;
        o.MaxSolutions = 1 + static_cast<int>(random() % Options::kMaxSolutionsListed);
        o.Notation = random() % 2 ? FormulaNotation::Textbook : FormulaNotation::AsTyped;
        o.Appearance = std::vector<std::string>{"system", "light", "dark"}[random() % 3];
        o.ProductsColor = random() % 0x1000000;
        o.MapFont = "Font " + std::to_string(random() % 9);
        o.ResultFont = "Other " + std::to_string(random() % 9);
        if (random() % 2) o.SupportedLanguages = std::string(random() % 3, ',') + "German,Xx";
        if (random() % 2) o.CurrentLanguage = "Lang " + std::to_string(random() % 9);
        Options back;
        ReadOptions(OptionsSection(o, true), back, true);
        ReadLanguage(LanguageSection(o), back);
        EXPECT_EQ(back, o) << round;
    }
}

}  // namespace
