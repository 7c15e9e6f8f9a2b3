#pragma once
// TAboutBox: the product's name and version over a picture the program draws itself.

#include <QDialog>

class QFrame;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QWidget* ShockwaveFlash1 = nullptr;  // the picture, 300 x 225
    QFrame* Bevel2 = nullptr;
    QPushButton* BitBtn1 = nullptr;

  private:
    void FormCreate();
};
