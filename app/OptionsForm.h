#pragma once
// TOptions: the dialog that edits the settings value (Windows().Settings): its controls show
// the value and hand every change back to it; the analysis, the save command and the close
// question read the value. Loaded from the settings file when the dialog is created, saved
// when it is destroyed.

#include <QDialog>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class TCarnoGrid;
struct Options;

class TOptions : public QDialog {
    Q_OBJECT
  public:
    explicit TOptions(QWidget* parent = nullptr);
    ~TOptions() override;  // saves the settings

    QTabWidget* PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr, *TabSheet2 = nullptr, *TabSheet3 = nullptr, *TabSheet4 = nullptr;
    QGroupBox* GroupBox = nullptr;
    QCheckBox *MoveColRow = nullptr, *ColRowSizing = nullptr, *DrawFocus = nullptr,
              *BitSave = nullptr, *askbox = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLineEdit* Edit[8] = {};  // Edit2 .. Edit9: variable names 1 to 8
    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr;  // "SOP" (gmDNF), "POS" (gmKNF)
    // What F5 gives: the designed gluing (RadioButton3) or an exact minimum (RadioButton4), and
    // how many minimal solutions the panel lists.
    QGroupBox* RadioGroup2 = nullptr;
    QRadioButton *RadioButton3 = nullptr, *RadioButton4 = nullptr;
    QLabel* Label2 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QGroupBox* RadioGroup3 = nullptr;                               // "Show formulas as"
    QRadioButton *RadioButton5 = nullptr, *RadioButton6 = nullptr;  // "as typed", "textbook"
    // The look of every window: the desktop's own (RadioButton7), light or dark; applied at once.
    QGroupBox* RadioGroup4 = nullptr;
    QRadioButton *RadioButton7 = nullptr, *RadioButton8 = nullptr, *RadioButton9 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    // The Options command around the dialog: names into the fields, and back in upper case.
    void ShowNames(const TCarnoGrid& grid);
    // The value's dialog part into the controls, and the controls' value (the look unchanged).
    void Show(const Options& options);
    Options Value() const;
    void ApplyNames(TCarnoGrid& grid) const;

    bool NamesValid() const { return namesValid_; }

  public slots:
    void BitBtn1Click();
    void ComboBox1Change();  // a language chosen or typed
    void Button1Click();     // "Add" a language

  protected:
    void done(int result) override;

  private:
    void FormCreate();
    void LoadSettings();
    void ShowLanguages(const Options& options, const std::string& file);
    void ListShippedLanguages();
    void SaveSettings();
    void WriteLanguageList();
    bool FormCloseQuery() const { return namesValid_; }

    bool namesValid_ = false;
    bool showing_ = false;  // Show is setting the controls
};
