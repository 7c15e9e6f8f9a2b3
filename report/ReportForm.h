#pragma once
// TReport: what the report holds, and its generation from the current analysis.

#include <QDialog>

class TCarnoGrid;

class QCheckBox;
class QGroupBox;
class QPushButton;
class QToolButton;

class TReport : public QDialog {
    Q_OBJECT
  public:
    explicit TReport(QWidget* parent = nullptr);

    QGroupBox* GroupBox1 = nullptr;
    QCheckBox *TTInc = nullptr, *MapInc = nullptr, *SetInc = nullptr, *MapEach = nullptr;
    QCheckBox* MinInc = nullptr;  // the section "Minimal solutions"
    QToolButton* SpeedButton1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

    // The map whose result the report shows; the program's start-up lends the main window's.
    void SetMap(const TCarnoGrid* map) { map_ = map; }

  signals:
    // Before term k's map is taken, so the window showing the result can select that term.
    void TermShown(int k);

  public slots:
    void SpeedButton1Click();  // check all
    void BitBtn2Click();       // generate, show, close

  private:
    bool Generate(std::string& path);

    const TCarnoGrid* map_ = nullptr;
};
