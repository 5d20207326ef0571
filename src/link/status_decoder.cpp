#include "link/status_decoder.h"

PanelState decodePanelState(const StationStatus& s, Language language, const UnitTexts& units)
{
    const bool english = language == Language::English;
    PanelState p;
    p.labTc = QString::number(s.tc());
    p.Label40 = QString::number(s.tb());

    p.checkBox[0] = s.fanOn();
    p.checkBox[1] = s.vacuumPumpOn();
    p.checkBox[2] = s.bottomHeaterOn();
    p.checkBox[3] = s.topHeaterOn();
    p.checkBox[4] = s.fanInside();
    p.checkBox[5] = s.fanOutside();
    p.checkBox[6] = s.topHeaterUp();
    p.checkBox[7] = s.topHeaterDown();

    if (s.isDesoldering())
        p.Label13 = english ? QStringLiteral("Desoldering") : QStringLiteral("拆焊");
    else
        p.Label13 = english ? QStringLiteral("Soldering") : QStringLiteral("焊接");

    if (s.isRunning()) {
        p.btnStartCaption = english ? QStringLiteral("Exit") : QStringLiteral("退出");
        p.btnStartTag = 0;
    } else {
        p.btnStartCaption = english ? QStringLiteral("Begin") : QStringLiteral("开始");
        p.btnStartTag = 1;
    }

    p.Label38 = units.text(s.isCelsius(), language);
    p.Label41 = p.Label38;

    p.Label8 = QString::number(s.flow());
    return p;
}
