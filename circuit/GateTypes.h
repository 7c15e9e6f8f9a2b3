#pragma once
// The kinds a circuit is drawn in: symbol system, circuit type, gates and pins.

#include <cstdint>

#include "engine/FormulaText.h"  // TFormulaType: the formula form

enum TGateSystem : std::uint8_t { gsUS = 0, gsEU = 1 };
enum TSchemeType : std::uint8_t { stNAND = 0, stNOR = 1, stAND_OR = 2 };
enum TGateKind : std::uint8_t { gkNOR = 0, gkOR = 1, gkAND = 2, gkNAND = 3, gkNOT = 4 };
enum TPinKind : std::uint8_t { pkInput = 0, pkOutput = 1 };
