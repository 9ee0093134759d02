#pragma once
#include "data/core/MessageException.h"

// The program's silent cancellation. Raised from a BeforePost or BeforeDelete handler it cancels
// the post or delete; guards pass it on without logging or showing anything.
class EAbort : public MessageException {
public:
    EAbort() : MessageException(QStringLiteral("Operation aborted")) {}
};

// Raises the silent cancellation.
[[noreturn]] inline void Abort() { throw EAbort(); }
