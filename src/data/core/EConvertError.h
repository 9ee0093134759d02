#pragma once
#include "data/core/MessageException.h"

// A value that cannot be converted to the requested type (text that is not a number or a date,
// an all-zero date-time record).
class EConvertError : public MessageException {
public:
    using MessageException::MessageException;
};
