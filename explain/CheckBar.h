#pragma once
// TCheckBar: "Check my answer" under the map. The student types a sum of products (or a
// product of sums) in the formula language or in textbook notation; the check's sentences
// are listed, the student's terms drawn as dashed loops in their own colour and the cells
// the answer gets wrong crossed out on the map. An exercise's line (size, seed, difficulty)
// stands above the field.

#include <QWidget>
#include <functional>

#include "explain/Check.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TLoopOverlay;
class TMapView;

class TCheckBar : public QWidget {
    Q_OBJECT
  public:
    explicit TCheckBar(TMapView* map, QWidget* parent = nullptr);

    // Read at every check: the form the answer is written in.
    std::function<TGlueMethod()> FormSource;

    // Reads the field and shows the verdict; false when the answer or the map was refused
    // (the reason is listed instead).
    bool Check();
    // Forgets the verdict and the marks (the map has changed).
    void ClearVerdict();
    void SetExerciseLine(const QString& line);
    void Retranslate();

    TLoopOverlay* StudentLoops() const { return overlay_; }
    const explain::CheckResult& Result() const { return result_; }

    QLabel* ExerciseLine = nullptr;
    QLineEdit* Answer = nullptr;
    QPushButton* CheckButton = nullptr;
    QListWidget* Verdict = nullptr;

  signals:
    void Checked();

  private:
    void Refuse(const std::string& text);

    TMapView* map_;
    TLoopOverlay* overlay_;
    explain::CheckResult result_;
};
