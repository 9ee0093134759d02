#pragma once
#include <QList>
#include <QString>

// One column of a grid or of a lookup's drop-down grid.
struct GridColumn {
    QString fieldName;       // field of the dataset (case ignored)
    int width = 0;           // in characters; 0: the field's display width
    QString title;           // "~" separates the title's lines; empty: the field's display label
    bool readOnly = false;
    QString editorName;      // in-cell editor registered with the grid (else from ControlType)

    GridColumn() = default;
    GridColumn(QString field, int widthInCharacters = 0, QString columnTitle = {}, bool isReadOnly = false,
               QString editor = {})
        : fieldName(std::move(field)), width(widthInCharacters), title(std::move(columnTitle)), readOnly(isReadOnly),
          editorName(std::move(editor))
    {
    }
};

using GridColumns = QList<GridColumn>;

// The title as shown: its "~" become line breaks.
QString columnTitleText(const QString& title);
// How many lines a set of titles needs (at least 1).
int columnTitleLines(const GridColumns& columns);
