#pragma once

#include <QString>

#include "link/panel_state.h"
#include "link/station_status.h"
#include "shell/unit_texts.h"

// The live-panel part of decoding a status frame: temperatures, indicators, soldering or
// desoldering, the Begin/Exit button, the unit and the flow number. Nothing is converted:
// temperatures are shown as the station sends them.
PanelState decodePanelState(const StationStatus& status, Language language, const UnitTexts& units);
