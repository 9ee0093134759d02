#pragma once
// Reading database rows as JSON arrays (NULL stays null, texts stay texts) and comparing them
// with expected rows column by column, numbers within a small tolerance.
#include "TestDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>

// The rows of "SELECT columns FROM table WHERE where ORDER BY order", each as a JSON array.
inline std::vector<QJsonArray> selectRows(const TestDatabase& db, const QString& columns, const QString& table,
                                          const QString& where = {}, const QString& order = {})
{
    QString sql = "SELECT json_build_array(" + columns + ")::text FROM " + table;
    if (!where.isEmpty())
        sql += " WHERE " + where;
    if (!order.isEmpty())
        sql += " ORDER BY " + order;
    std::vector<QJsonArray> rows;
    const QString out = db.psql(sql);
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts))
        rows.push_back(QJsonDocument::fromJson(line.toUtf8()).array());
    return rows;
}

inline QJsonArray jsonRow(const char* json)
{
    QJsonParseError error;
    const QJsonArray a = QJsonDocument::fromJson(QByteArray(json), &error).array();
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json;
    return a;
}

// Column by column; numbers equal within 1e-9 (floating discounts such as 6.900000000000006).
inline void expectRow(const QJsonArray& actual, const QJsonArray& expected, const QString& columns)
{
    const QStringList names = columns.split(',', Qt::SkipEmptyParts);
    ASSERT_EQ(actual.size(), expected.size()) << QJsonDocument(actual).toJson(QJsonDocument::Compact).constData();
    for (qsizetype i = 0; i < actual.size(); ++i) {
        const QString name = i < names.size() ? names[i].trimmed() : QString::number(i + 1);
        const QJsonValue a = actual[i];
        const QJsonValue e = expected[i];
        if (e.isDouble() && a.isDouble())
            EXPECT_NEAR(a.toDouble(), e.toDouble(), 1e-9) << "column " << name.toStdString();
        else
            EXPECT_EQ(a, e) << "column " << name.toStdString() << ": "
                            << QJsonDocument(QJsonArray{a}).toJson(QJsonDocument::Compact).constData()
                            << " expected "
                            << QJsonDocument(QJsonArray{e}).toJson(QJsonDocument::Compact).constData();
    }
}
