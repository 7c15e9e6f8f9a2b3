#pragma once
// A paint device that writes TikZ instead of pixels: whatever a QPainter draws on it (lines,
// paths with their curves, rectangles, ellipses, text) becomes \path and \node commands, so the
// code that paints the map or a circuit on screen also writes its TeX picture. One device pixel
// is 0.75 pt, as a 96 dpi screen shows it; y runs downwards as on screen.

#include <QPaintDevice>
#include <memory>
#include <string>

class TikzPaintEngine;

class TikzDevice : public QPaintDevice {
  public:
    TikzDevice(int width, int height);
    ~TikzDevice() override;

    QPaintEngine* paintEngine() const override;

    // The colour definitions and the tikzpicture, once painting has ended; no line leaves a
    // blank behind, so the picture can stand in a box of its exact size.
    std::string Picture() const;

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    int width_, height_;
    std::unique_ptr<TikzPaintEngine> engine_;
};

// Text made safe inside TeX: the special characters spelled out, anything beyond Latin-1
// (which pdflatex's default fonts cannot show) as "?".
std::string TexEscape(const std::string& utf8);
