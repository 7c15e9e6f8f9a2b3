#pragma once
// TAboutBox: the product's name and version over a picture the program draws itself.

#include <QDialog>
#include <vector>

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

namespace about {

// The map the picture shows, row by row as drawn ("1" and "0", 4 x 4 in Gray order), and the
// loops drawn on it: one rectangle of cells per term of the map's minimal sum of products.
inline constexpr const char* kPictureCells =
    "1100"
    "1101"
    "0001"
    "0011";
struct Loop {
    int col, row, cols, rows;  // 0-based, in the picture's order
};
const std::vector<Loop>& PictureLoops();

}  // namespace about
