#pragma once
// The map on screen: a table view over a TCarnoGrid. It draws the Gray-code labels in the
// headers, sizes them after the labels, highlights one result term until the map is next
// invalidated, and lets any text be typed into a cell. The map's contents stay in the grid.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include "engine/CarnoGrid.h"

class MapModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit MapModel(TCarnoGrid& grid, QObject* parent = nullptr)
        : QAbstractTableModel(parent), grid_(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The grid changed behind the model's back (fill, load, variable count...).
    void Refresh();

  signals:
    // Around every change of cells made in the view (typing, Delete, moving a row or column),
    // so that the change can be recorded as one step.
    void AboutToEdit();
    void Edited();

  private:
    TCarnoGrid& grid_;
    int rows_ = 0, cols_ = 0;
};

class TMapView : public QTableView {
    Q_OBJECT
  public:
    explicit TMapView(TCarnoGrid& grid, QWidget* parent = nullptr);

    TCarnoGrid& Grid() { return grid_; }
    MapModel& Model() { return model_; }

    // Re-reads the grid: contents, size and labels. Removes any highlight.
    void Refresh();
    // Highlights result term i in the grid's TermColor; nothing for a term that is not there.
    void SelectTerm(int i);
    int HighlightedTerm() const { return highlight_; }
    // Repaints without the highlight.
    void Repaint();

    // Empties every cell of the selection rectangle.
    void ClearSelectedCells();
    // The selection rectangle in map positions (from 1); false when nothing is selected.
    bool SelectedRectangle(int& left, int& top, int& right, int& bottom) const;

    // Options switched by the Options dialog.
    void SetDrawFocusSelected(bool on);
    void SetMovableColRow(bool on);
    void SetSizingColRow(bool on);
    bool DrawFocusSelected() const { return drawFocusSelected_; }

    // Zoom scales cells, labels and the highlight together; 1 is the designed size.
    static constexpr double kMinZoom = 0.5, kMaxZoom = 4.0;
    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);
    void ZoomIn();
    void ZoomOut();
    // While on, the zoom follows the view's size so that the whole map fills it.
    void SetFillWindow(bool on);
    bool FillWindow() const { return fillWindow_; }
    // Takes the colours of the application's palette (after a change of the look).
    void ApplyHeaderColours();
    // The font chosen for the map (point sizes above 10 brought down), before zoom.
    QFont BaseFont() const { return baseFont_; }

    int DefaultColWidth() const { return defaultColWidth_; }
    int DefaultRowHeight() const { return defaultRowHeight_; }

  signals:
    void KeyDown(int key);
    void ZoomChanged(double zoom);
    // The in-place editor was opened for (col, row) and handed editorText.
    void GetEditText(int col, int row, const QString& editorText);
    // The mouse is over map cell (col, row); (0, 0) when it is over no cell.
    void CellHovered(int col, int row);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;  // paints the corner

  private:
    friend class MapDelegate;
    void AdaptSizes();
    void MoveSection(Qt::Orientation orientation, int from, int to);
    // 1, 0, * or blank typed on a cell: set it and move to the next cell, row by row.
    bool EnterValue(const QString& typed);
    void ApplyZoom();
    void FitToWindow();

    TCarnoGrid& grid_;
    MapModel model_;
    int highlight_ = -1;
    int defaultColWidth_ = 25;
    int defaultRowHeight_ = 25;
    bool drawFocusSelected_ = true;
    bool restoringSections_ = false;
    QFont baseFont_;
    double zoom_ = 1.0;
    bool fillWindow_ = false;
    bool applyingZoom_ = false;
    bool applyingColours_ = false;
    QWidget* corner_ = nullptr;  // the table's corner button, where the names stand
};
