#pragma once
// TTruthTableForm: the "Truth Table" dialog around one TTruthTable, with a menu on the table
// that fills or clears the F1 column.

#include <QDialog>

class QAction;
class QMenu;
class QPushButton;
class TTruthTable;

class TTruthTableForm : public QDialog {
    Q_OBJECT
  public:
    explicit TTruthTableForm(QWidget* parent = nullptr);

    // The table follows the map's number of variables; other windows ask here, not the table.
    void SetVariableCount(int n);

    TTruthTable* TruthTable1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* Fill1 = nullptr;
    QAction *N11 = nullptr, *N01 = nullptr, *N21 = nullptr;  // with "1", with "0", with "*"
    QAction* N1 = nullptr;                                   // separator
    QAction* Clear1 = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;  // OK, Cancel
};
