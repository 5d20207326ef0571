#include "shell/language.h"

#include <QLocale>

#include "shell/platform.h"

std::optional<Language> languageFromSetting(int value)
{
    switch (value) {
    case 0:
        return Language::English;
    case 1:
        return Language::Chinese;
    default:
        return std::nullopt;
    }
}

int languageSettingValue(Language checked)
{
    return checked == Language::English ? 0 : 1;
}

Language portErrorLanguage(int languageSetting)
{
    return languageSetting == 0 ? Language::English : Language::Chinese;
}

int languageIdForLocale(const QLocale& locale)
{
    return locale.language() == QLocale::Chinese ? kLanguageIdChinese : kLanguageIdEnglish;
}

int systemDefaultLanguageId()
{
    return Platform::systemDefaultLanguageId();
}
