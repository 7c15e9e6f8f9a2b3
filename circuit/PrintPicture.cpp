#include "circuit/PrintPicture.h"

#include <QPainter>

bool PrintPicture(QPagedPaintDevice& page, const QImage& picture) {
    QPainter painter;
    if (!painter.begin(&page)) return false;
    painter.drawImage(QPoint(static_cast<int>(page.width() * 0.1), 0), picture);
    return painter.end();
}
