#pragma once
// TTruthTable: the truth-table grid on screen. The rows, titles and sizing rules live in a
// TruthTableData; this view paints them (titles centred, function titles on grey, the font
// capped at 10 points) and hands edits of the cells back to it.

#include <QAbstractTableModel>
#include <QTableView>
#include <string>
#include <vector>

#include "input/TruthTableData.h"

class TCarnoGrid;

class TruthTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TruthTableModel(TruthTableData& data, QObject* parent = nullptr)
        : QAbstractTableModel(parent), data_(data) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The table changed behind the model's back.
    void Refresh();

  private:
    TruthTableData& data_;
};

class TTruthTable : public QTableView {
    Q_OBJECT
  public:
    explicit TTruthTable(QWidget* parent = nullptr);

    TruthTableData& Data() { return data_; }
    const TruthTableData& Data() const { return data_; }

    int VariableCount() const { return data_.VariableCount(); }
    int FunctionCount() const { return data_.FunctionCount(); }
    void SetVariableCount(int n);
    void SetFunctionCount(int k);
    void Fill();
    void FillFunction(const QString& value);
    void FillCarnoCard(TCarnoGrid& map) const;
    // F1 and the input titles from the map.
    void LoadFromMap(const TCarnoGrid& map);
    // The table as HTML lines through three cell templates (header, argument, function value);
    // false when a template is not a one-argument format.
    bool SaveToHTMLTemplate(const std::string& header, const std::string& body,
                            const std::string& last, std::vector<std::string>& out) const;

    int DefaultColWidth() const { return defaultColWidth_; }

    // Re-reads the table and sizes the columns after the titles.
    void Refresh();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void ApplySizes();
    void CapFont();

    TruthTableData data_;
    TruthTableModel model_;
    int defaultColWidth_ = TruthTableData::kDefaultColWidth;
};
