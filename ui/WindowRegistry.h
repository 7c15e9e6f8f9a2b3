#pragma once
// The program's windows: each created once at start, in a fixed order, living until the end.
// They reach each other through these single instances; which windows exist and in what order
// is decided by the program's start-up (app/Windows.h), not here.

#include <memory>
#include <vector>

#include "engine/Options.h"

class QWidget;

class TForm1;
class TInputForm;
class TOptions;
class TAboutBox;
class TInputFormula;
class TTruthTableForm;
class TReport;
class TRepView;
class TCircuit;
class TCirView;
class TAdvMin;
class TTipsForm;

struct AppWindows {
    // The settings every window reads: the options dialog edits them, none reads its controls.
    ::Options Settings;
    TForm1* Form1 = nullptr;
    TInputForm* InputForm = nullptr;
    TOptions* Options = nullptr;
    TAboutBox* AboutBox = nullptr;
    TInputFormula* InputFormula = nullptr;
    TTruthTableForm* TruthTableForm = nullptr;
    TReport* Report = nullptr;
    TRepView* RepView = nullptr;
    TCircuit* Circuit = nullptr;
    TCirView* CirView = nullptr;
    TAdvMin* AdvMin = nullptr;
    TTipsForm* TipsForm = nullptr;
};

AppWindows& Windows();
// The windows created so far, in creation order.
std::vector<QWidget*> WindowsInOrder();

// Takes ownership of a window just created; it joins the end of the creation order.
void AdoptWindow(std::unique_ptr<QWidget> window);
// Destroys one adopted window now (the slot in Windows() is the caller's to clear).
void DestroyWindow(QWidget* window);
// Destroys the remaining windows in reverse order of creation and clears every slot.
void DestroyRemainingWindows();
