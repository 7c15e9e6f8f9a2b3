#pragma once
// The printed page of a circuit: the picture at its pixel size, not scaled, its left edge at a
// tenth of the page width and its top at the page's top. The caller sets up the printer (job
// title, copies, where the output goes).

#include <QImage>
#include <QPagedPaintDevice>

// False when the page cannot be started (no printer, an unwritable output file).
bool PrintPicture(QPagedPaintDevice& page, const QImage& picture);
