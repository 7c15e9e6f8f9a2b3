#pragma once
// The pictures of the tool buttons and the result tree, drawn by the program so that they
// scale and need no image files.

#include <QIcon>

namespace icons {

QIcon OpenMap();
QIcon SaveMap();
QIcon Formula();
QIcon Sets();
QIcon TruthTable();
QIcon DontCare();
QIcon ClearMap();
QIcon Options();
QIcon FormulaNode();
QIcon TermNode();
QIcon Program();
QIcon Undo();
QIcon Redo();
QIcon Print();
QIcon Copy();
QIcon Circuit();  // a gate: the "Convert to schematic" button

}  // namespace icons
