#pragma once
// TTipsForm: one short hint about the program, drawn at random from the language file in use;
// shown by itself at the first activation of the main window when the settings ask for it.

#include <QDialog>
#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TTipsForm : public QDialog {
    Q_OBJECT
  public:
    explicit TTipsForm(QWidget* parent = nullptr);

    QFrame *Panel1 = nullptr, *Panel2 = nullptr, *Panel3 = nullptr, *Panel4 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* TipText = nullptr;
    QCheckBox* showtips = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr;

    // Whether the tips window opens at start: read from the settings at creation, and what
    // the check box says once the window closes.
    bool ShowAtStart = false;
    // Draws a tip number from 0 to n - 1; seeded from the clock unless replaced.
    std::function<int(int)> Random;

  public slots:
    void Button1Click();  // next tip
    void Button2Click();  // close, keeping the check box in the settings

  protected:
    void done(int result) override;  // Close, Escape and the close box keep the check box

  private:
    void FormCreate();
};
