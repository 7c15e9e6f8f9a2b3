#pragma once
// TCircuit, "Formula to Circuit": the formula and the drawing options. Its controls are the
// options' store; Convert hands them to the view as a value, and the view reports a new scale
// back by its ScaleChanged signal.

#include <QDialog>
#include <cstdint>

#include "circuit/CircuitOptions.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

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

    int ScaleIndex() const;
    std::uint32_t PaperColorValue() const;  // 0x00BBGGRR
    TFormulaType FormulaType() const;

    // Every option of the controls (the formula aside).
    CircuitOptions Options() const;

    // Runs the dialog for a formula in a form, at the medium scale; an empty formula leaves
    // the box as it was.
    void Open(const QString& formula, TFormulaType form);

  public slots:
    void SetScaleIndex(int index);
    void BitBtn2Click();  // Convert
};
