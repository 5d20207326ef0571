#include "frame_description.h"

#include "link/station_status.h"

QString describeFrame(const StationStatus& frame)
{
    const QString run = QStringLiteral("%1%2").arg(int(frame.runBit1())).arg(int(frame.runBit0()));
    if (!frame.writeRequest())
        return QStringLiteral("poll flow=%1 run=%2").arg(frame.flow()).arg(run);

    using W = StationStatus::Word;
    QString line = QStringLiteral("write run=%1 flow=%2 desoldering=%3 ir=%4 celsius=%5")
                       .arg(run)
                       .arg(frame.flow())
                       .arg(int(frame.isDesoldering()))
                       .arg(int(frame.isIrSensor()))
                       .arg(int(frame.isCelsius()));
    const struct {
        const char* name;
        W field;
    } words[] = {
        {"T0", W::T0}, {"TB", W::TB}, {"T1", W::T1}, {"S1", W::S1}, {"T2", W::T2},
        {"TL", W::TL}, {"S2", W::S2}, {"T3", W::T3}, {"S3", W::S3},
    };
    for (const auto& w : words)
        line += QStringLiteral(" %1=%2").arg(QLatin1String(w.name)).arg(frame.word(w.field));
    for (int k = 1; k <= 4; ++k)
        line += QStringLiteral(" K%1=%2").arg(k).arg(frame.k(k));
    line += QStringLiteral(" baud=%1").arg(frame.baudRate());
    return line;
}
