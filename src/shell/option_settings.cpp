#include "shell/option_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include "shell/settings.h"

namespace OptionSettings {

QStringList samplingIntervalItems()
{
    return {QStringLiteral("0.5"), QStringLiteral("1"),   QStringLiteral("1.5"), QStringLiteral("2"),
            QStringLiteral("2.5"), QStringLiteral("3"),   QStringLiteral("3.5"), QStringLiteral("4"),
            QStringLiteral("4.5"), QStringLiteral("5")};
}

int samplingIntervalIndex(float seconds)
{
    return int(samplingIntervalItems().indexOf(QString::number(double(seconds))));
}

std::optional<float> samplingIntervalFromText(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    double value = QLocale::c().toDouble(t, &ok);
    if (!ok)
        value = QLocale::system().toDouble(t, &ok);
    if (!ok)
        return std::nullopt;
    return float(usableSamplingInterval(value));
}

static bool endsWithSeparator(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) || path.endsWith(QDir::separator());
}

QString withSeparator(const QString& dir)
{
    const QString native = QDir::toNativeSeparators(dir);
    return native.isEmpty() || endsWithSeparator(native) ? native : native + QDir::separator();
}

QString savePathToStore(const QString& text)
{
    if (text.isEmpty() || endsWithSeparator(text) || !QFileInfo(text).isDir())
        return text;
    return text + QDir::separator();
}

bool write(Settings& settings, bool changePcbMode, const QString& intervalText, const QString& savePathText)
{
    return settings.setChangePcbMode(changePcbMode) && settings.setIntrals(intervalText)
        && settings.setSavePath(savePathToStore(savePathText));
}

} // namespace OptionSettings
