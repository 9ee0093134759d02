#pragma once
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

// A node of a parsed report expression (see ReportExpression).
struct ReportExpressionNode {
    enum class Kind { Constant, Name, Call, Negate, Not, Binary };
    enum class Op { Add, Subtract, Multiply, Divide, Equal, NotEqual, Less, LessEqual, Greater,
                    GreaterEqual, And, Or };

    Kind kind = Kind::Constant;
    int position = 0;            // where the node starts in the text (0-based)
    QVariant constant;           // Constant: double, QString or bool
    QString qualifier;           // Name: the dataset of "Dataset.Field" (empty for a bare name)
    QString name;                // Name: field, variable or word; Call: function, upper case
    Op op = Op::Add;             // Binary
    std::vector<std::unique_ptr<ReportExpressionNode>> children;   // operands or arguments

    bool isAggregate() const;    // SUM, COUNT, MIN, MAX, AVG
};
