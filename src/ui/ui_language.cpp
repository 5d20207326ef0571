#include "ui/ui_language.h"

#include <QCoreApplication>
#include <QEvent>

UiLanguage& UiLanguage::instance()
{
    static UiLanguage lang;
    return lang;
}

bool UiLanguage::apply(Language lang)
{
    if (lang == m_current)
        return true;
    if (lang == Language::Chinese) {
        if (!m_loaded)
            m_loaded = m_translator.load(QStringLiteral(":/i18n/tamsel_zh_CN.qm"));
        if (!m_loaded)
            return false;
        // Set before installing: the LanguageChange handlers read it.
        m_current = Language::Chinese;
        m_everChinese = true;
        QCoreApplication::installTranslator(&m_translator);
    } else {
        m_current = Language::English;
        QCoreApplication::removeTranslator(&m_translator);
    }
    // Qt posts the LanguageChange events; every window retranslates now, before the rest
    // of the switch runs.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    return true;
}
