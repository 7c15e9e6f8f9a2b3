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
    explicit MapModel(TCarnoGrid& grid, QObject* parent = nullptr) : QAbstractTableModel(parent), grid_(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The grid changed behind the model's back (fill, load, variable count...).
    void Refresh();

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

    // Options switched by the Options dialog.
    void SetDrawFocusSelected(bool on);
    void SetMovableColRow(bool on);
    void SetSizingColRow(bool on);
    bool DrawFocusSelected() const { return drawFocusSelected_; }

    int DefaultColWidth() const { return defaultColWidth_; }
    int DefaultRowHeight() const { return defaultRowHeight_; }

signals:
    void KeyDown(int key);
    // The in-place editor was opened for (col, row) and handed editorText.
    void GetEditText(int col, int row, const QString& editorText);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class MapDelegate;
    void AdaptSizes();
    void MoveSection(Qt::Orientation orientation, int from, int to);

    TCarnoGrid& grid_;
    MapModel model_;
    int highlight_ = -1;
    int defaultColWidth_ = 25;
    int defaultRowHeight_ = 25;
    bool drawFocusSelected_ = true;
    bool restoringSections_ = false;
};
