#pragma once
#include "reports/PreparedReport.h"

#include <QFontMetricsF>
#include <QStringList>

#include <memory>
#include <vector>

// Measures texts in millimetres for the layout, on a fixed reference resolution, so that the
// same definition lays out the same way whatever screen or printer is attached.
class TextMeasure {
public:
    TextMeasure();
    ~TextMeasure();
    double lineHeightMm(const PreparedFont& font);
    double widthMm(const PreparedFont& font, const QString& text);
    // Breaks text into lines no wider than widthMm: at blanks where possible, inside a word only
    // when the word alone is wider. Line breaks in the text are kept.
    QStringList wrap(const PreparedFont& font, const QString& text, double widthMm);

private:
    const QFontMetricsF& metrics(const PreparedFont& font);
    struct Entry;
    std::vector<std::unique_ptr<Entry>> m_entries;
};
