#pragma once

#include <optional>

class QLocale;

// The two interface languages, numbered as the Language menu entries carry them.
enum class Language { English = 1, Chinese = 2 };

// Windows language identifiers; the unit texts of the settings file live in a section named
// after the system's default one.
constexpr int kLanguageIdEnglish = 1033;
constexpr int kLanguageIdChinese = 2052;

// The `language` key stores 0 for English and 1 for Chinese. Any other value names no
// language: the interface stays as designed (English, with "English" checked).
std::optional<Language> languageFromSetting(int value);
// What shutdown stores for the checked menu entry.
int languageSettingValue(Language checked);
// The port-open error of ReopenPort follows the stored value, not the applied language:
// English only for 0, Chinese for anything else (a missing key included).
Language portErrorLanguage(int languageSetting);

// 2052 for a Chinese locale, 1033 for any other.
int languageIdForLocale(const QLocale& locale);
// Windows: the system's default language identifier; elsewhere languageIdForLocale of the
// system locale.
int systemDefaultLanguageId();
