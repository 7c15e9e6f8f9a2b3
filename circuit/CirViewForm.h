#pragma once
// TCirView, "Circuit View": the current circuit in a scrolling area, rescaled, saved as a
// picture or printed from its bar and its pop-up menu. The drawing control is made anew for
// every build and freed on rescale and on close. It keeps the options it was given and tells
// whoever gave them of a new scale through ScaleChanged.

#include <QDialog>
#include <QStringList>
#include <string>

#include "circuit/CircuitOptions.h"

class QAction;
class QMenu;
class QPrinter;
class QScrollArea;
class QToolButton;
class TSchemeControl;

class TCirView : public QDialog {
    Q_OBJECT
  public:
    explicit TCirView(QWidget* parent = nullptr);

    QWidget* Panel1 = nullptr;
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr;
    QScrollArea* SB = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction *ScaleUp1 = nullptr, *ScaleDown1 = nullptr, *N1 = nullptr, *Save1 = nullptr,
            *Print1 = nullptr;

    TSchemeControl* CurrentScheme = nullptr;

    static const QStringList& SaveFilters();

    // The circuit to show next: its options and formula; the scale commands follow.
    void SetCircuit(const CircuitOptions& options, const std::string& formula);
    const CircuitOptions& Options() const { return options_; }
    // A fresh control from the held options, built, replacing the current one. False (and
    // the current one kept) when it cannot be drawn, which has been said.
    bool Rebuild();
    void ShowModal();

  signals:
    void ScaleChanged(int scaleIndex);

  public slots:
    void ScaleUp1Click();
    void ScaleDown1Click();
    void SpeedButton1Click();  // save
    void SpeedButton2Click();  // print

  protected:
    void done(int result) override;

  private:
    void SetScaleCommands();
    void Rescale(int newIndex);

    CircuitOptions options_;
    std::string formula_;
    void FreeScheme();
};
