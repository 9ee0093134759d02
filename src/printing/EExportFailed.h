#pragma once
#include "data/core/MessageException.h"

// A report that could not be written to a file (saved, exported, converted for another program);
// the message gives the file and the writer's reason.
class EExportFailed : public MessageException {
public:
    using MessageException::MessageException;
};
