#pragma once
// TInputFormula: "Fill Map from Formula". The formula is typed, or built by clicking operator
// buttons and variable names (double-click or drag onto the box); "Ok" accepts it only when
// every literal names a variable of the map, and while it refuses the window stays open.

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TCarnoGrid;

class TInputFormula : public QDialog {
    Q_OBJECT
  public:
    explicit TInputFormula(QWidget* parent = nullptr);

    QComboBox* ComboBox2 = nullptr;   // the formula box, with the accepted formulas as history
    QPlainTextEdit* Memo1 = nullptr;  // the same text, wrapped
    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr;  // the map's variable names
    QGroupBox* GroupBox1 = nullptr;
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr;           // SOP, POS
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr;  // "+", "*", "|"
    QPushButton *Button4 = nullptr, *Button5 = nullptr;                      // "<-", "Back"
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;                      // Ok, Cancel

    // The map the formula is checked against and its names 1..n into the list.
    void ShowVariables(TCarnoGrid& map);
    QString Formula() const;
    void SetFormula(const QString& text);
    int UndoLength() const { return undoLength_; }
    bool ClosePermission() const { return closePermission_; }

  public slots:
    void Button1Click() { Append("+", 1); }
    void Button2Click() { Append("*", 1); }
    void Button3Click() { Append("|", 1); }
    void Button4Click();  // backspace
    void Button5Click();  // undo the last insertion
    void ListBox1DblClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void reject() override;  // Cancel, Esc and the close box alike

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Append(const QString& text, int undoLength);
    void AppendSelectedName();
    void SetUndoLength(int length);
    void ComboBox2Change(const QString& text);

    TCarnoGrid* map_ = nullptr;
    int undoLength_ = 0;
    bool closePermission_ = true;
};
