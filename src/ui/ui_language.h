#pragma once

#include <QObject>
#include <QTranslator>

#include "shell/language.h"

// The language applied to the interface. Windows are designed in English; Chinese comes
// from the compiled translation tables. Installing or removing the translator makes Qt send
// QEvent::LanguageChange to every widget, and each window then sets its texts again.
class UiLanguage : public QObject
{
    Q_OBJECT
public:
    static UiLanguage& instance();

    Language current() const { return m_current; }
    bool isChinese() const { return m_current == Language::Chinese; }
    bool isEnglish() const { return m_current == Language::English; }
    // True once Chinese has been applied in this run: the English table then replaces a few
    // designed texts.
    bool everChinese() const { return m_everChinese; }

    // Applies the language. Applying the one already applied changes no text.
    // Returns false when the Chinese tables could not be loaded (English stays).
    bool apply(Language lang);

private:
    UiLanguage() = default;
    QTranslator m_translator;
    bool m_loaded = false;
    Language m_current = Language::English;
    bool m_everChinese = false;
};
