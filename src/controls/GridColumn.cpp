#include "GridColumn.h"

QString columnTitleText(const QString& title)
{
    QString text = title;
    text.replace(QLatin1Char('~'), QLatin1Char('\n'));
    return text;
}

int columnTitleLines(const GridColumns& columns)
{
    int lines = 1;
    for (const GridColumn& c : columns)
        lines = std::max(lines, int(c.title.count(QLatin1Char('~'))) + 1);
    return lines;
}
