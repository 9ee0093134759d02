#pragma once
#include "data/core/ProgramState.h"
#include <QLocale>
#include <clocale>
#include <string>

// Switches the C locale, the default Qt locale and the process-wide date separator for one
// test and restores all three afterwards.
class LocaleScope {
public:
    LocaleScope(const char* cLocale, const QLocale& qtLocale, QChar dateSeparator)
        : m_savedC(std::setlocale(LC_ALL, nullptr)), m_savedQt(QLocale()), m_savedSeparator(DateSeparator)
    {
        m_applied = std::setlocale(LC_ALL, cLocale) != nullptr;
        QLocale::setDefault(qtLocale);
        DateSeparator = dateSeparator;
    }
    ~LocaleScope()
    {
        std::setlocale(LC_ALL, m_savedC.c_str());
        QLocale::setDefault(m_savedQt);
        DateSeparator = m_savedSeparator;
    }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

    bool cLocaleApplied() const { return m_applied; }

private:
    std::string m_savedC;
    QLocale m_savedQt;
    QChar m_savedSeparator;
    bool m_applied = false;
};

// The two settings every literal-format test runs under.
struct LocaleSetting {
    const char* name;
    const char* cLocale;
    QLocale::Language language;
    char16_t dateSeparator;
};

inline const LocaleSetting localeSettings[] = {
    {"C", "C.UTF-8", QLocale::C, u'/'},
    {"Slovenian", "sl_SI.UTF-8", QLocale::Slovenian, u'.'},
};
