// Language files: the shipped ones against the keys and messages of the code, and the reading
// rules for keys, lists, integers, messages and tips, on sound and damaged files.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <set>
#include <sstream>

#include "TempFolder.h"
#include "platform/IniFile.h"
#include "ui/LanguageFile.h"

namespace fs = std::filesystem;
using language::DrawTip;

namespace {

const char* const kLanguages[] = {"english", "german", "french", "russian"};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Unescape(const std::string& literal) {
    std::string out;
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] == '\\' && i + 1 < literal.size()) ++i;
        out += literal[i];
    }
    return out;
}

// Every message text the program hands to the translation: the literal arguments of
// TranslateText and of the helpers that pass their text to it.
std::set<std::string> MessagesInCode() {
    static const std::regex call(
        R"re(\(\s*"((?:[^"\\]|\\.)*)"\s*[,)]|\{\s*"((?:[^"\\]|\\.)*)"\s*,|\([^()"]*\?\s*"((?:[^"\\]|\\.)*)"\s*:\s*"((?:[^"\\]|\\.)*)"\s*\))re");
    static const char* const conduits[] = {"TranslateText(",
                                           "T(",
                                           "Say(",
                                           "SayFileError(",
                                           "Fail(",
                                           "refuse(",
                                           "WithSystemText(",
                                           "FileFailureText(",
                                           "VhdlError(",
                                           "VerilogError(",
                                           "SaveCodePage(",
                                           "FileProblem{",
                                           "SchemeFormulaError{",
                                           "ToTranslate(",
                                           "OffThread("};
    const auto isName = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    };
    std::set<std::string> found;
    // Every program folder, new ones included; not what only tests, measures or ships.
    static const std::set<std::string> notProgram = {"tests",     "bench",   "fuzz",
                                                     "resources", "scripts", "core"};
    for (const auto& top : fs::directory_iterator(MW_SOURCE_DIR)) {
        const std::string folder = top.path().filename().string();
        if (!top.is_directory() || folder[0] == '.' || folder.rfind("build", 0) == 0 ||
            notProgram.count(folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(top.path())) {
            const std::string ext = entry.path().extension().string();
            if ((ext == ".js" || ext == ".html") &&
                entry.path().parent_path().filename() == "page") {
                // The page asks for its texts with t('...') and data-msg / data-aria-msg.
                static const std::regex page(
                    R"re((?:\bt\(\s*'((?:[^'\\]|\\.)*)')|(?:data-(?:aria-)?msg="([^"]*)"))re");
                const std::string text = ReadAll(entry.path());
                for (std::sregex_iterator it(text.begin(), text.end(), page), end; it != end; ++it)
                    for (std::size_t g = 1; g < it->size(); ++g)
                        if ((*it)[g].matched) found.insert((*it)[g].str());
                continue;
            }
            if (ext != ".cpp" && ext != ".h") continue;
            const std::string text = ReadAll(entry.path());
            for (const std::string conduit : conduits) {
                for (std::size_t at = text.find(conduit); at != std::string::npos;
                     at = text.find(conduit, at + 1)) {
                    if (at > 0 && isName(text[at - 1])) continue;  // Tr(, MyT( are other calls
                    const std::size_t open = at + conduit.size() - 1;
                    std::smatch m;
                    const std::string window = text.substr(open, 400);
                    if (!std::regex_search(window, m, call, std::regex_constants::match_continuous))
                        continue;
                    for (std::size_t g = 1; g < m.size(); ++g)
                        if (m[g].matched) found.insert(Unescape(m[g].str()));
                }
            }
        }
    }
    return found;
}

std::set<std::string> Keys(const platform::IniFile& file, const std::string& section) {
    std::set<std::string> keys;
    for (const auto& [key, value] : file.ReadSection(section)) keys.insert(key);
    return keys;
}

std::string Trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// Names what is missing from the file and what it holds beyond the code.
void ExpectSame(const std::set<std::string>& inFile, const std::set<std::string>& inCode) {
    for (const std::string& k : inCode) EXPECT_TRUE(inFile.count(k)) << "missing: " << k;
    for (const std::string& k : inFile) EXPECT_TRUE(inCode.count(k)) << "left over: " << k;
}

class LanguageFiles : public ::testing::Test {
  protected:
    std::string Write(const std::string& name, const std::string& content) {
        const std::string path = folder / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    testing_support::TempFolder folder;
};

}  // namespace

TEST(ShippedLanguages, HoldEveryKeyAndMessageOfTheCodeAndNothingElse) {
    const auto& keys = language::PropertyKeys();
    const std::set<std::string> keySet(keys.begin(), keys.end());
    EXPECT_EQ(keys.size(), 234u);
    EXPECT_EQ(keySet.size(), keys.size()) << "a key is listed twice";

    std::set<std::string> messages;
    for (const std::string& m : MessagesInCode()) messages.insert(Trimmed(m));
    EXPECT_TRUE(messages.count("Do you really want to quit?"))
        << "the scan of the code found nothing";
    for (const std::string& m : messages)
        EXPECT_EQ(m.find('='), std::string::npos) << m << ": cannot be a key";

    for (const char* name : kLanguages) {
        SCOPED_TRACE(name);
        const fs::path path =
            fs::path(MW_SOURCE_DIR) / "resources/Languages" / (std::string(name) + ".lng");
        ASSERT_TRUE(fs::exists(path));
        const platform::IniFile file(path.string());
        ExpectSame(Keys(file, "Translations"), keySet);
        ExpectSame(Keys(file, "Messages"), messages);

        const language::Translations values = language::ReadTranslations(path.string());
        EXPECT_EQ(values.size(), keys.size()) << "a key has no text";
        for (const std::string& m : messages) {
            const std::string t = language::TranslateMessage(path.string(), m);
            EXPECT_FALSE(t.empty()) << m;
            EXPECT_EQ(Count(t, "%s"), Count(m, "%s")) << m;
            EXPECT_EQ(Count(t, "\""), Count(m, "\""))
                << m;  // the quotes frame a name the code adds
        }

        const auto tips = language::TipsCount(path.string());
        ASSERT_TRUE(tips);
        EXPECT_GE(*tips, 10);
        for (int k = 0; k < *tips; ++k)
            EXPECT_FALSE(language::TipLines(path.string(), k).empty()) << k;
        EXPECT_TRUE(language::TipLines(path.string(), *tips).empty()) << "a tip past TipsCount";
    }
}

TEST(LanguageKeys, SplitAtDotsWithBlanksAroundEveryPart) {
    const language::KeyPath p = language::SplitKey("  Form1 . Panel1.Hint   ");
    EXPECT_EQ(p.names, (std::vector<std::string>{"Form1", "Panel1"}));
    EXPECT_EQ(p.property, "Hint");
    EXPECT_EQ(language::SplitKey("Options.Caption").names, std::vector<std::string>{"Options"});
    EXPECT_TRUE(language::SplitKey("Caption").names.empty());

    const language::KeyLess less;
    EXPECT_FALSE(less("Form1.Panel1.Hint   ", "form1.panel1.hint"));
    EXPECT_FALSE(less("form1.panel1.hint", "Form1.Panel1.Hint   "));
    EXPECT_TRUE(less("Form1.N2.Caption", "Form1.N25.Caption"));
}

TEST(LanguageLists, CutAtTheSeparatorTrimmedWithEmptyInnerItems) {
    using V = std::vector<std::string>;
    EXPECT_EQ(language::SplitList("P, Q,,R", ","), (V{"P", "Q", "", "R"}));
    EXPECT_EQ(language::SplitList("P,Q, ", ","), (V{"P", "Q"}));
    EXPECT_EQ(language::SplitList("", ","), V{});
    EXPECT_EQ(language::SplitList("a :: b::c", "::"), (V{"a", "b", "c"}));
    EXPECT_EQ(language::SplitList("a;b,c", "  "), (V{"a;b", "c"}));  // blank falls back to ","
    EXPECT_EQ(language::NormalSeparator(" "), ",");
    EXPECT_EQ(language::NormalSeparator(";"), ";");
}

TEST(LanguageIntegers, OnlyWholeNumbersThatFit) {
    EXPECT_EQ(language::ParseInteger(" 12 "), 12);
    EXPECT_EQ(language::ParseInteger("-3"), -3);
    EXPECT_EQ(language::ParseInteger("+7"), 7);
    for (const char* bad : {"", " ", "1.5", "12abc", "abc", "-", "0x10", "99999999999", "1 2"})
        EXPECT_FALSE(language::ParseInteger(bad)) << bad;
}

TEST_F(LanguageFiles, TranslationsAndMessagesFallBackToEnglish) {
    const std::string file = Write("x.lng",
                                   "[translations]\n"
                                   "Form1.N25.Caption=Analysieren\n"
                                   "  Form1.Panel1.Hint   =  Werkzeuge  \n"
                                   "Form1.N24.Caption=\n"
                                   "[Messages]\n"
                                   "File not found=Datei fehlt\n"
                                   "Term=\n");
    const auto t = language::ReadTranslations(file);
    EXPECT_EQ(t.at("form1.n25.caption"), "Analysieren");
    EXPECT_EQ(t.at("Form1.Panel1.Hint  "), "Werkzeuge");
    EXPECT_FALSE(t.count("Form1.N24.Caption")) << "an empty value keeps the English text";
    EXPECT_EQ(language::TranslateMessage(file, "File not found"), "Datei fehlt");
    EXPECT_EQ(language::TranslateMessage(file, "Term"), "Term");
    EXPECT_EQ(language::TranslateMessage(file, "Type"), "Type");
    EXPECT_EQ(language::TranslateMessage(folder / ("missing.lng"), "Type"), "Type");
    EXPECT_EQ(language::TranslateMessage("", "Type"), "Type");
    EXPECT_TRUE(language::ReadTranslations(folder / ("missing.lng")).empty());
    EXPECT_EQ(language::LanguageFilePath("/p", "GerMan"), "/p/Languages/german.lng");
    EXPECT_EQ(language::LanguageFilePath("/p/", "x"), "/p/Languages/x.lng");
}

TEST_F(LanguageFiles, DamagedFilesReadAsNothingOrWhatTheyHold) {
    std::string garbage;
    std::mt19937 random(8);
    for (int i = 0; i < 20000; ++i) garbage += static_cast<char>(random() & 0xFF);
    const std::string files[] = {
        Write("garbage.lng", garbage),
        Write("headers.lng", "[Translations\n]]\n[\n=\n==\n[Tips]\nTipsCount=3\n[Tip1\n"),
        Write("long.lng", "[Messages]\nTerm=" + std::string(1 << 20, 'x') + "\n"),
        Write("nul.lng", std::string("[Messages]\nTerm=A\0B\n", 19)),
        folder.Path().string(),  // a folder, not a file
    };
    for (const std::string& f : files) {
        SCOPED_TRACE(f);
        language::ReadTranslations(f);
        EXPECT_FALSE(language::TranslateMessage(f, "Type").empty());
        language::DrawTip(f, [](int n) { return n - 1; });
    }
    EXPECT_EQ(language::TranslateMessage(files[2], "Term").size(), std::size_t(1) << 20);
    EXPECT_EQ(language::DrawTip(files[1], [](int) { return 1; }), std::vector<std::string>{})
        << "a tip whose section is missing shows an empty text";
}

TEST_F(LanguageFiles, TipsAreDrawnFromAllOfThemAndNoneFromABadCount) {
    std::string text = "[Tips]\nTipsCount=5\n";
    for (int k = 0; k < 5; ++k)
        text += "[Tip" + std::to_string(k) + "]\na=tip " + std::to_string(k) + "\nb=x=y\n";
    const std::string file = Write("tips.lng", text);
    std::mt19937 random(42);
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const auto tip = DrawTip(
            file, [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); });
        ASSERT_TRUE(tip);
        ASSERT_EQ(tip->size(), 2u);
        EXPECT_EQ((*tip)[1], "x=y") << "only the text up to the first = is the key";
        seen.insert((*tip)[0]);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"tip 0", "tip 1", "tip 2", "tip 3", "tip 4"}));
    EXPECT_FALSE(DrawTip(file, [](int n) { return n; })) << "a pick out of range";

    for (const char* count :
         {"", "TipsCount=0\n", "TipsCount=-2\n", "TipsCount=many\n", "tipscount=3\n"}) {
        const std::string bad =
            Write("bad.lng", std::string("[Tips]\n") + count + "[Tip0]\na=never\n");
        EXPECT_FALSE(DrawTip(bad, [](int) { return 0; })) << count;
    }
    EXPECT_FALSE(DrawTip(folder / ("none.lng"), [](int) { return 0; }));
}
