#include "reports/TextMeasure.h"

#include <QImage>

namespace {

constexpr double referenceDpi = 600.0;

const QImage& referenceDevice()
{
    static const QImage image = [] {
        QImage i(1, 1, QImage::Format_ARGB32);
        i.setDotsPerMeterX(int(referenceDpi / 0.0254));
        i.setDotsPerMeterY(int(referenceDpi / 0.0254));
        return i;
    }();
    return image;
}

double toMm(double pixels) { return pixels / referenceDpi * 25.4; }
double toPixels(double mm) { return mm / 25.4 * referenceDpi; }

}   // namespace

struct TextMeasure::Entry {
    PreparedFont font;
    QFontMetricsF metrics;
};

TextMeasure::TextMeasure() = default;
TextMeasure::~TextMeasure() = default;

const QFontMetricsF& TextMeasure::metrics(const PreparedFont& font)
{
    for (const auto& e : m_entries)
        if (e->font == font)
            return e->metrics;
    QFont f = font.toQFont();
    m_entries.push_back(std::make_unique<Entry>(Entry{font, QFontMetricsF(f, &referenceDevice())}));
    return m_entries.back()->metrics;
}

double TextMeasure::lineHeightMm(const PreparedFont& font)
{
    return toMm(metrics(font).lineSpacing());
}

double TextMeasure::widthMm(const PreparedFont& font, const QString& text)
{
    return toMm(metrics(font).horizontalAdvance(text));
}

QStringList TextMeasure::wrap(const PreparedFont& font, const QString& text, double widthMm)
{
    const QFontMetricsF& fm = metrics(font);
    const double limit = toPixels(std::max(widthMm, 1.0));
    QStringList lines;
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (QString para : paragraphs) {
        para.remove(QLatin1Char('\r'));
        if (fm.horizontalAdvance(para) <= limit) {
            lines << para;
            continue;
        }
        QString line;
        const QStringList words = para.split(QLatin1Char(' '));
        for (const QString& word : words) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (fm.horizontalAdvance(candidate) <= limit) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty())
                lines << line;
            line.clear();
            // A word wider than the line is broken where it must be.
            QString rest = word;
            while (!rest.isEmpty() && fm.horizontalAdvance(rest) > limit) {
                int n = 1;
                while (n < rest.size() && fm.horizontalAdvance(rest.left(n + 1)) <= limit)
                    ++n;
                lines << rest.left(n);
                rest = rest.mid(n);
            }
            line = rest;
        }
        lines << line;
    }
    return lines;
}
