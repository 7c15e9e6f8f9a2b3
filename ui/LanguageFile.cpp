#include "ui/LanguageFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/IniFile.h"
#include "platform/Text.h"

namespace language {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

const std::vector<std::string>& PropertyKeys() {
    static const std::vector<std::string> keys{
        "Form1.Panel1.Hint",
        "Form1.SpeedButton1.Hint",
        "Form1.SpeedButton2.Hint",
        "Form1.SpeedButton3.Hint",
        "Form1.SpeedButton4.Hint",
        "Form1.SpeedButton11.Hint",
        "Form1.SpeedButton6.Caption",
        "Form1.SpeedButton6.Hint",
        "Form1.SpeedButton8.Hint",
        "Form1.SpeedButton7.Hint",
        "Form1.SpeedButton5.Caption",
        "Form1.SpeedButton5.Hint",
        "Form1.SpeedButton9.Caption",
        "Form1.SpeedButton9.Hint",
        "Form1.SpeedButton10.Hint",
        "Form1.Label1.Caption",
        "Form1.N6.Caption",
        "Form1.N01.Caption",
        "Form1.N02.Caption",
        "Form1.N7.Caption",
        "Form1.N8.Caption",
        "Form1.N9.Caption",
        "Form1.N29.Caption",
        "Form1.N1.Caption",
        "Form1.N2.Caption",
        "Form1.N3.Caption",
        "Form1.N10.Caption",
        "Form1.N18.Caption",
        "Form1.N18.Hint",
        "Form1.N5.Caption",
        "Form1.N5.Hint",
        "Form1.N19.Caption",
        "Form1.N19.Hint",
        "Form1.New1.Caption",
        "Form1.Save1.Caption",
        "Form1.PrintMap1.Caption",
        "Form1.Export1.Caption",
        "Form1.ExportSVG1.Caption",
        "Form1.ExportPNG1.Caption",
        "Form1.ExportTeX1.Caption",
        "Form1.ExportPLA1.Caption",
        "Form1.CopyasText1.Caption",
        "Form1.CopyasPicture1.Caption",
        "Form1.PasteCells1.Caption",
        "Form1.CopyasText2.Caption",
        "Form1.CopyasPicture2.Caption",
        "Form1.PasteCells2.Caption",
        "Form1.N11.Caption",
        "Form1.N20.Caption",
        "Form1.N20.Hint",
        "Form1.N110.Caption",
        "Form1.N03.Caption",
        "Form1.N21.Caption",
        "Form1.N22.Caption",
        "Form1.N23.Caption",
        "Form1.N28.Caption",
        "Form1.N24.Caption",
        "Form1.N24.Hint",
        "Form1.N25.Caption",
        "Form1.N25.Hint",
        "Form1.N26.Caption",
        "Form1.N26.Hint",
        "Form1.N27.Caption",
        "Form1.N27.Hint",
        "Form1.N12.Caption",
        "Form1.N13.Caption",
        "Form1.N15.Caption",
        "Form1.N16.Caption",
        "Form1.N17.Caption",
        "Form1.N4.Caption",
        "Form1.N14.Caption",
        "Form1.N200.Caption",
        "Form1.CopyFormula1.Caption",
        "Form1.InvertMap1.Caption",
        "Form1.Invert1.Caption",
        "Form1.ools1.Caption",
        "Form1.Createreport1.Caption",
        "Form1.Cretecircuit1.Caption",
        "Form1.Advancedminimizer1.Caption",
        "Form1.tipoftheday.Caption",
        "Form1.Edit1.Caption",
        "Form1.Undo1.Caption",
        "Form1.Redo1.Caption",
        "Form1.UndoButton.Hint",
        "Form1.RedoButton.Hint",
        "Form1.RecentFiles1.Caption",
        "Form1.View1.Caption",
        "Form1.ZoomIn1.Caption",
        "Form1.ZoomOut1.Caption",
        "Form1.ActualSize1.Caption",
        "Form1.FillWindow1.Caption",
        "Options.TabSheet4.Caption",
        "Options.RadioGroup4.Caption",
        "Options.RadioButton7.Caption",
        "Options.RadioButton8.Caption",
        "Options.RadioButton9.Caption",
        "Options.Caption",
        "Options.TabSheet1.Caption",
        "Options.GroupBox.Caption",
        "Options.MoveColRow.Caption",
        "Options.ColRowSizing.Caption",
        "Options.DrawFocus.Caption",
        "Options.BitSave.Caption",
        "Options.TabSheet2.Caption",
        "Options.GroupBox2.Caption",
        "Options.GroupBox2.Hint",
        "Options.Edit2.Text",
        "Options.Edit3.Text",
        "Options.Edit4.Text",
        "Options.Edit5.Text",
        "Options.Edit6.Text",
        "Options.Edit7.Text",
        "Options.Edit9.Text",
        "Options.Edit8.Text",
        "Options.RadioGroup1.Caption",
        "Options.RadioButton1.Caption",
        "Options.RadioButton1.Hint",
        "Options.RadioButton2.Caption",
        "Options.RadioButton2.Hint",
        "Options.RadioGroup3.Caption",
        "Options.RadioButton5.Caption",
        "Options.RadioButton6.Caption",
        "Options.TabSheet3.Caption",
        "Options.Label1.Caption",
        "Options.GroupBox1.Caption",
        "Options.Button1.Caption",
        "Options.BitBtn1.Caption",
        "Options.askbox.Caption",
        "Options.RadioGroup2.Caption",
        "Options.RadioButton3.Caption",
        "Options.RadioButton4.Caption",
        "Options.Label2.Caption",
        "Form1.N35.Caption",
        "Form1.N35.Hint",
        "Form1.SpeedButton12.Caption",
        "Form1.SpeedButton12.Hint",
        "InputFormula.Caption",
        "InputFormula.Label1.Caption",
        "InputFormula.BitBtn1.Caption",
        "InputFormula.BitBtn2.Caption",
        "InputFormula.Button1.Caption",
        "InputFormula.Button1.Hint",
        "InputFormula.GroupBox1.Caption",
        "InputFormula.GroupBox1.Hint",
        "InputFormula.RadioButton1.Caption",
        "InputFormula.RadioButton2.Caption",
        "InputFormula.Button3.Caption",
        "InputFormula.Button3.Hint",
        "InputFormula.Button4.Caption",
        "InputFormula.Button4.Hint",
        "InputFormula.Memo1.Hint",
        "InputFormula.Button2.Caption",
        "InputFormula.Button2.Hint",
        "InputFormula.Button5.Caption",
        "InputFormula.Button5.Hint",
        "InputFormula.ComboBox2.Hint",
        "InputForm.Caption",
        "InputForm.Label1.Caption",
        "InputForm.Label2.Caption",
        "InputForm.Label3.Caption",
        "InputForm.Label4.Caption",
        "InputForm.BitBtn1.Caption",
        "InputForm.BitBtn2.Caption",
        "TruthTableForm.Caption",
        "TruthTableForm.BitBtn1.Caption",
        "TruthTableForm.BitBtn2.Caption",
        "TruthTableForm.Fill1.Caption",
        "TruthTableForm.Clear1.Caption",
        "Report.Caption",
        "Report.BitBtn2.Caption",
        "Report.BitBtn2.Hint",
        "Report.GroupBox1.Caption",
        "Report.SpeedButton1.Hint",
        "Report.TTInc.Caption",
        "Report.MapInc.Caption",
        "Report.SetInc.Caption",
        "Report.MapEach.Caption",
        "Report.MinInc.Caption",
        "RepView.Caption",
        "RepView.SpeedButton1.Hint",
        "AboutBox.Caption",
        "AboutBox.BitBtn1.Caption",
        "Circuit.Caption",
        "Circuit.Label1.Caption",
        "Circuit.Label2.Caption",
        "Circuit.Label3.Caption",
        "Circuit.Label4.Caption",
        "Circuit.GroupBox1.Caption",
        "Circuit.EU.Caption",
        "Circuit.US.Caption",
        "Circuit.GroupBox2.Caption",
        "Circuit.NAND.Caption",
        "Circuit.ANDOR.Caption",
        "Circuit.BitBtn1.Caption",
        "Circuit.BitBtn2.Caption",
        "CirView.Caption",
        "CirView.SpeedButton1.Hint",
        "CirView.ScaleUp1.Caption",
        "CirView.ScaleDown1.Caption",
        "CirView.SpeedButton2.Hint",
        "CirView.Save1.Caption",
        "CirView.Print1.Caption",
        "AdvMin.Caption",
        "AdvMin.BitBtn1.Caption",
        "AdvMin.BitBtn2.Caption",
        "AdvMin.TabSheet1.Caption",
        "AdvMin.SpeedButton9.Caption",
        "AdvMin.SpeedButton9.Hint",
        "AdvMin.SpeedButton3.Hint",
        "AdvMin.SpeedButton4.Hint",
        "AdvMin.GroupBox1.Caption",
        "AdvMin.Label1.Caption",
        "AdvMin.Label6.Caption",
        "AdvMin.Label7.Caption",
        "AdvMin.SpeedButton1.Hint",
        "AdvMin.SpeedButton2.Hint",
        "AdvMin.TabSheet2.Caption",
        "AdvMin.SpeedButton5.Hint",
        "AdvMin.SpeedButton6.Hint",
        "AdvMin.SpeedButton7.Hint",
        "AdvMin.TabSheet3.Caption",
        "AdvMin.SpeedButton8.Hint",
        "AdvMin.SpeedButton10.Hint",
        "AdvMin.List.TitleCaptions",
        "AdvMin.Label8.Caption",
        "AdvMin.SpeedButton11.Hint",
        "AdvMin.SpeedButton12.Hint",
        "AdvMin.BitBtn3.Caption",
        "AdvMin.BitBtn3.Hint",
        "TipsForm.Caption",
        "TipsForm.showtips.Caption",
        "TipsForm.Button1.Caption",
        "TipsForm.Button2.Caption",
        "TipsForm.Label1.Caption",
    };
    return keys;
}

std::string LanguageFilePath(const std::string& programFolder, const std::string& name) {
    std::string path = programFolder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += "Languages/";
    for (char c : name) path += Lower(c);
    return path + ".lng";
}

KeyPath SplitKey(const std::string& key) {
    KeyPath path;
    std::string rest = platform::Trim(key);
    for (std::size_t dot; (dot = rest.find('.')) != std::string::npos;) {
        path.names.push_back(platform::Trim(rest.substr(0, dot)));
        rest = platform::Trim(rest.substr(dot + 1));
    }
    path.property = rest;
    return path;
}

std::string NormalSeparator(const std::string& separator) {
    return platform::Trim(separator).empty() ? std::string(",") : separator;
}

std::vector<std::string> SplitList(const std::string& value, const std::string& separator) {
    const std::string sep = NormalSeparator(separator);
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t at; (at = value.find(sep, start)) != std::string::npos;
         start = at + sep.size())
        items.push_back(platform::Trim(value.substr(start, at - start)));
    if (std::string last = platform::Trim(value.substr(start)); !last.empty())
        items.push_back(last);
    return items;
}

std::optional<int> ParseInteger(const std::string& text) {
    const std::string t = platform::Trim(text);
    if (t.empty()) return std::nullopt;
    std::size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    if (i == t.size()) return std::nullopt;
    for (std::size_t j = i; j < t.size(); ++j)
        if (t[j] < '0' || t[j] > '9') return std::nullopt;
    errno = 0;
    const long long v = std::strtoll(t.c_str(), nullptr, 10);
    if (errno == ERANGE || v < INT_MIN || v > INT_MAX) return std::nullopt;
    return static_cast<int>(v);
}

bool KeyLess::operator()(const std::string& a, const std::string& b) const {
    const std::string x = platform::Trim(a), y = platform::Trim(b);
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i)
        if (Lower(x[i]) != Lower(y[i])) return Lower(x[i]) < Lower(y[i]);
    return x.size() < y.size();
}

Translations ReadTranslations(const std::string& file) {
    Translations out;
    if (!FileExists(file)) return out;
    // The first entry of a key wins, as a lookup in the file would find it.
    for (const auto& [key, value] : platform::IniFile(file).ReadSection("Translations"))
        if (std::string v = platform::Trim(value); !v.empty()) out.emplace(key, std::move(v));
    return out;
}

std::string TranslateMessage(const std::string& file, const std::string& text) {
    if (!FileExists(file) || platform::Trim(text).empty()) return text;
    const std::string value = platform::IniFile(file).ReadString("Messages", text, "");
    // A blank translation would show an empty box: the English text says more.
    return value.find_first_not_of(" \t\r\n\v\f") == std::string::npos ? text : value;
}

std::optional<int> TipsCount(const std::string& file) {
    for (const auto& [key, value] : platform::IniFile(file).ReadSection("Tips"))
        if (key == "TipsCount") return ParseInteger(value);
    return std::nullopt;
}

std::vector<std::string> TipLines(const std::string& file, int k) {
    std::vector<std::string> lines;
    for (const auto& entry : platform::IniFile(file).ReadSection("Tip" + std::to_string(k)))
        lines.push_back(entry.second);
    return lines;
}

std::optional<std::vector<std::string>> DrawTip(const std::string& file,
                                                const std::function<int(int)>& pick) {
    if (!FileExists(file)) return std::nullopt;
    const std::optional<int> n = TipsCount(file);
    if (!n || *n < 1) return std::nullopt;
    const int k = pick(*n);
    if (k < 0 || k >= *n) return std::nullopt;
    return TipLines(file, k);
}

}  // namespace language
