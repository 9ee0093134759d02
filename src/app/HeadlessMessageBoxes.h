#pragma once
#include "data/log/MessageBoxes.h"

#include <QStringList>

class QTextStream;

// The message boxes of a program without windows (obdrac-run): a question is answered with OK
// (with its first button when it offers no OK) and is not printed; every other box is printed,
// one text a line, to the error stream. Installs itself for its lifetime.
class HeadlessMessageBoxes : public MessageBoxes {
public:
    explicit HeadlessMessageBoxes(QTextStream& err);
    ~HeadlessMessageBoxes() override;
    HeadlessMessageBoxes(const HeadlessMessageBoxes&) = delete;
    HeadlessMessageBoxes& operator=(const HeadlessMessageBoxes&) = delete;

    MsgButton show(const MessageRequest& request) override;

    // The texts of the boxes printed so far (questions not included).
    const QStringList& printed() const { return m_printed; }

private:
    QTextStream& m_err;
    MessageBoxes* m_previous;
    QStringList m_printed;
};
