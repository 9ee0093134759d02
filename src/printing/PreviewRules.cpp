#include "printing/PreviewRules.h"

#include "data/core/SqlLiterals.h"

std::optional<QString> PreviewProgress::notify(int percent)
{
    std::optional<QString> text;
    if (percent >= m_lastShown + 5) {
        text = QString::number(percent) + QStringLiteral("%");
        m_lastShown = percent;
    }
    if (percent == 0 || percent == 100)
        text = QString();
    return text;
}

QString PagePositionText(int current, int count)
{
    return QStringLiteral("Page %1 of %2").arg(current).arg(count);
}

PreviewPageCommand PreviewKeyCommand(int key, Qt::KeyboardModifiers modifiers)
{
    const bool onlyCtrl = (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
    switch (key) {
    case Qt::Key_PageUp:
        return onlyCtrl ? PreviewPageCommand::First : PreviewPageCommand::Prior;
    case Qt::Key_PageDown:
        return onlyCtrl ? PreviewPageCommand::Last : PreviewPageCommand::Next;
    case Qt::Key_Home:
        return PreviewPageCommand::First;
    case Qt::Key_End:
        return PreviewPageCommand::Last;
    default:
        return PreviewPageCommand::None;
    }
}

namespace {
std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}
} // namespace

ZoomBoxChange ZoomBoxTextChanged(const QString& text)
{
    ZoomBoxChange change;
    if (!text.isEmpty() && !wholeNumber(text)) {
        const auto rest = wholeNumber(text.left(text.size() - 1));
        if (rest && *rest > 0)
            change.percent = *rest;
    }
    change.toWidth = text == ZoomWidthText;
    change.wholePage = text == ZoomPageText;
    change.press100 = text == QStringLiteral("100%");
    return change;
}

QString ZoomBoxEnter(const QString& text)
{
    return text.contains(u'%') ? text : text + QStringLiteral("%");
}

QString ReportGroupText(const QString& code, const QString& name) { return code + QStringLiteral(" - ") + name; }
QString ReportGroupCode(const QString& text) { return text.left(3); }
QString PreviewCaption(const QString& code, const QString& name) { return code + QStringLiteral("-") + name; }

QString ReportGroupByCodeSql(const QString& code)
{
    return QStringLiteral("SELECT Report, Naziv, FormName FROM Report WHERE REPORT = ") + sqlQuotedStr(code) +
           QStringLiteral(" ORDER BY Report");
}

QString ReportGroupByFormNameSql(const QString& formName)
{
    return QStringLiteral("SELECT Report, Naziv, FormName FROM Report WHERE FORMNAME = ") + sqlQuotedStr(formName) +
           QStringLiteral(" ORDER BY Report");
}
