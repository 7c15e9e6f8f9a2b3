#pragma once
// TExerciseDialog: File > New exercise. The map's size, its share of ones and of don't cares,
// the difficulty and the seed (shown, so that a class can be given the same map); a new seed
// at a click; and a worksheet of such exercises with their solutions written from here.

#include <QDialog>

#include "explain/Exercise.h"

class QComboBox;
class QPushButton;
class QSpinBox;

class TExerciseDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TExerciseDialog(QWidget* parent = nullptr);

    explain::ExerciseSettings Settings() const;
    void SetSettings(const explain::ExerciseSettings& s);
    // Asks for a file and writes a worksheet of Count exercises from these settings; false
    // when cancelled or refused (the message has been shown).
    bool WriteWorksheet();

    QSpinBox* Vars = nullptr;
    QSpinBox* Ones = nullptr;
    QSpinBox* DontCares = nullptr;
    QComboBox* Level = nullptr;
    QSpinBox* Seed = nullptr;
    QPushButton* NewSeed = nullptr;
    QSpinBox* Count = nullptr;
    QPushButton* WorksheetButton = nullptr;

    TGlueMethod form = gmDNF;  // the form the exercise asks for (the options' one)
};
