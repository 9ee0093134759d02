#pragma once
#include "data/core/MessageException.h"

// An outside program (spreadsheet, word processor, mail program) that is not installed, not
// configured or cannot be started; the message says which and why.
class EExternalProgram : public MessageException {
public:
    using MessageException::MessageException;
};
