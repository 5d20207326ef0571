#include "records/header_display.h"

#include <QLocale>

namespace {

QString value(const char* label, float v)
{
    return QLatin1String(label) + QString::number(double(v), 'f', 1);
}

} // namespace

HeaderDisplay HeaderDisplay::of(const Recording& record, Language language)
{
    const RecordHeader& h = record.header;
    HeaderDisplay d;
    d.dateText = formatDate(h.recordDate);
    d.inputs = h.operatorInputs();
    if (language == Language::Chinese) {
        d.flow = QStringLiteral("流程:") + QString::number(h.Flow);
        d.sensor = h.sensorIR ? QStringLiteral("传感器:IR-传感器") : QStringLiteral("传感器:K型热电偶");
    } else {
        d.flow = QStringLiteral("Flow:") + QString::number(h.Flow);
        d.sensor = h.sensorIR ? QStringLiteral("Sensor:IR") : QStringLiteral("Sensor:Thermocouple");
    }
    d.T1 = value("T1=", h.T1);
    d.T2 = value("T2=", h.T2);
    d.T3 = value("T3=", h.T3);
    d.TL = value("TL=", h.TL);
    d.S1 = value("S1=", h.S1);
    d.S2 = value("S2=", h.S2);
    d.S3 = value("S3=", h.S3);
    d.T0 = value("T0=", h.T0);
    d.TB = value("TB=", h.TB);
    d.savedOrLoaded = record.savedOrLoaded;
    return d;
}

QString HeaderDisplay::formatDate(double recordDate)
{
    const QDateTime dt = OleDate::toDateTime(recordDate);
    if (!dt.isValid())
        return QString();
    const QLocale locale = QLocale::system();
    QString text = locale.toString(dt.date(), QLocale::ShortFormat);
    if (dt.time() != QTime(0, 0)) {
        // The long time format without the time zone, which the record does not know.
        QString format = locale.timeFormat(QLocale::LongFormat);
        format.remove(QLatin1Char('t'));
        text += QLatin1Char(' ') + locale.toString(dt.time(), format.trimmed());
    }
    return text;
}
