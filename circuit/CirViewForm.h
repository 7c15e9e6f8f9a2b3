#pragma once
// TCirView, "Circuit View": the current circuit in a scrolling area, rescaled, saved as a
// picture or printed from its bar and its pop-up menu. The drawing control is made anew for
// every build and freed on rescale and on close.

#include <QDialog>
#include <QStringList>

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

    // Availability of the scale commands at a Scale index (0 Small .. 3 Huge).
    void SetScaleCommands(int scaleIndex);
    // A fresh control from the dialog's options, built, replacing the current one. False (and
    // the current one kept) when it cannot be drawn, which has been said.
    bool Rebuild();
    void ShowModal();

  public slots:
    void ScaleUp1Click();
    void ScaleDown1Click();
    void SpeedButton1Click();  // save
    void SpeedButton2Click();  // print

  protected:
    void done(int result) override;

  private:
    void Rescale(int newIndex);
    void FreeScheme();
};
