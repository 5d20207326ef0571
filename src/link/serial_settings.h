#pragma once

#include <QString>

// What ReopenPort needs from data/CommConfig.ini, read by the caller each time it is asked.
struct SerialSettings
{
    int CommPort = 0;             // "Comm"/"CommPort": 0 = COM1
    int BAUTRATE = 3;             // "Comm"/"BAUTRATE": 0 = 9600, anything else 19200
    float intrals = 1.0f;         // "Option"/"intrals": sampling interval, seconds
    bool ChangePCBMode = false;   // "Option"/"ChangePCBMode"
    int language = 1;             // "Option"/"language": 0 = English port-open error
    QString devicePath;           // the device "COM" + (CommPort + 1) maps to (serialDeviceName)

    // In 64 bits: CommPort comes from a file and may be INT_MAX.
    QString portName() const { return QStringLiteral("COM") + QString::number(qint64(CommPort) + 1); }
    int baudRate() const { return BAUTRATE == 0 ? 9600 : 19200; }
};
