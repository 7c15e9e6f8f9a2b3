#pragma once
// The program's windows: each created once at start, in a fixed order, living until the end.
// They reach each other through these single instances.

#include <QStringList>
#include <vector>

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

// Creates the windows once each in the start order: each one's creation may rely on those
// before it (the options load the settings before the later windows exist). arguments: the
// command line after the program name.
void CreateWindows(const QStringList& arguments);

// Destroys every window: the options first, since saving the settings reads the main window's
// fonts and colour, then the others in reverse order of creation.
void DestroyWindows();
