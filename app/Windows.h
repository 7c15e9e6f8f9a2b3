#pragma once
// Start-up and end of the program's windows; the registry they live in is ui/WindowRegistry.h.

#include <QStringList>

#include "ui/WindowRegistry.h"

// Creates the windows once each in the start order: each one's creation may rely on those
// before it (the options load the settings before the later windows exist). arguments: the
// command line after the program name.
void CreateWindows(const QStringList& arguments);

// Destroys every window: the main window's fonts and colour go into the settings value, the
// options (which save it) first, then the others in reverse order of creation.
void DestroyWindows();
