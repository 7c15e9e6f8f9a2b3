#pragma once
// TCircuit, "Formula to Circuit": the formula and the drawing options. Its controls are the
// options' only store: the view reads them again whenever it rebuilds the circuit.

#include <QDialog>
#include <cstdint>

#include "circuit/Scheme.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TSchemeControl;

class TCircuit : public QDialog {
    Q_OBJECT
  public:
    explicit TCircuit(QWidget* parent = nullptr);

    QGroupBox* GroupBox1 = nullptr;
    QRadioButton *EU = nullptr, *US = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QRadioButton *ANDOR = nullptr, *NAND = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    QPlainTextEdit* Func = nullptr;
    QComboBox* FormType = nullptr;
    QComboBox* PaperColor = nullptr;
    QComboBox* Scale = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;

    // The grid step of each Scale item, Small to Huge.
    static constexpr int kScaleSteps[4] = {7, 9, 11, 15};

    int ScaleIndex() const;
    void SetScaleIndex(int index);
    std::uint32_t PaperColorValue() const;  // 0x00BBGGRR
    TFormulaType FormulaType() const;

    // Every option onto a fresh control, not yet built.
    void TransferOptions(TSchemeControl& control) const;

  public slots:
    void BitBtn2Click();  // Convert
};
