#include "shell/program_settings.h"

#include "shell/settings.h"

std::optional<LineWidth> lineWidthFromSetting(int value)
{
    switch (value) {
    case 1:
        return LineWidth::Small;
    case 2:
        return LineWidth::Medium;
    case 3:
        return LineWidth::Large;
    default:
        return std::nullopt;
    }
}

int lineWidthSettingValue(LineWidth checked)
{
    return static_cast<int>(checked);
}

void ProgramSettings::readLinkSettings(const Settings& settings)
{
    samplingInterval = static_cast<float>(settings.intrals());
    changePcbMode = settings.changePcbMode();
}

void ProgramSettings::readStartSettings(const Settings& settings, int languageId)
{
    lineWidth = lineWidthFromSetting(settings.lineWidth());
    quickUpdate = settings.quickUpdate();
    fahrenheitText = settings.fahrenheitText(languageId);
    celsiusText = settings.celsiusText(languageId);
    currentLc = settings.currentLc();
    userCode = settings.userCode();
    savePath = settings.savePath();
}

bool ProgramSettings::writeAtShutdown(Settings& settings, Language checkedLanguage,
                                      LineWidth checkedLineWidth, bool quickUpdateChecked) const
{
    return settings.setLanguage(languageSettingValue(checkedLanguage))
        && settings.setLineWidth(lineWidthSettingValue(checkedLineWidth))
        && settings.setQuickUpdate(quickUpdateChecked)
        && settings.setCurrentLc(currentLc)
        && settings.setUserCode(userCode);
}
