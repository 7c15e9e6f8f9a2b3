#pragma once
// The circuit on screen: a TScheme painted on a plain widget. Built once from its
// properties, then only painted; the setters repaint but never rebuild.

#include <QWidget>

#include "circuit/Scheme.h"

class TSchemeControl : public QWidget {
    Q_OBJECT
  public:
    explicit TSchemeControl(QWidget* parent = nullptr);

    TScheme Scheme;

    // Every drawing option onto the scheme, not yet built.
    void SetOptions(const CircuitOptions& options);
    // The label font follows the step, in points.
    void SetGridStep(int step);
    void SetGateSystem(TGateSystem system);
    void SetShowGrid(bool show);
    void SetPaperColor(std::uint32_t color);

    // Builds the scheme and takes its size; false (nothing sized) when it is too large to draw.
    bool Build();

    int LabelPixels() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
