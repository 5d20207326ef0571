#pragma once

#include <QString>

#include "shell/settings.h"

// What ReopenPort needs from data/CommConfig.ini, read by the caller each time it is asked.
struct SerialSettings
{
    int CommPort = 0;           // "Comm"/"CommPort": 0 = COM1
    int BAUTRATE = 3;           // "Comm"/"BAUTRATE": 0 = 9600, anything else 19200
    float intrals = 1.0f;       // "Option"/"intrals": sampling interval, seconds
    bool ChangePCBMode = false; // "Option"/"ChangePCBMode"
    int language = 1;           // "Option"/"language": 0 = English port-open error
    QString devicePath;         // the device "COM" + (CommPort + 1) maps to (Settings::portDevice)

    QString portName() const { return Settings::portName(CommPort); }
    int baudRate() const { return Settings::baudRateFor(BAUTRATE); }
};
