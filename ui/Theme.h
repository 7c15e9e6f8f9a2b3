#pragma once
// The look of every window: the desktop's own, or a light or dark one of the program's. The
// map, the result tree, the circuit view and the report viewer take their colours from the
// palette set here.

#include <QString>

namespace theme {

enum class Appearance { System, Light, Dark };

// The settings value: "system", "light" or "dark"; anything else reads as System.
Appearance FromSetting(const QString& value);

// Sets the application's style and palette. The first call remembers the desktop's own, which
// System brings back.
void Apply(Appearance appearance);
Appearance Current();

}  // namespace theme
