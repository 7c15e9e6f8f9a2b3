#pragma once
// TInputForm: "Fill Map from Sets". Three editable boxes with their own histories for the
// ones, zeros and don't cares; the texts are read by the map, not checked here.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class TInputForm : public QDialog {
    Q_OBJECT
  public:
    explicit TInputForm(QWidget* parent = nullptr);

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;  // "1", "0", "*"
    QLabel* Label4 = nullptr;                                        // "Enabled Set's"
    QLabel* Label5 = nullptr;                                        // the range of minterm numbers
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr,
              *ComboBox3 = nullptr;                      // ones, zeros, don't cares
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;  // Ok, Cancel

    // "[0..7]" for 3 variables.
    void SetRange(int variableCount);

    QString Ones() const;
    QString Zeros() const;
    QString DontCares() const;

  public slots:
    void BitBtn1Click();
};
