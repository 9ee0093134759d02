#pragma once
#include "data/core/MessageException.h"

// A failure of the dataset layer itself (not of an ODBC call): an unknown field name, an
// operation in the wrong state, a write target that cannot be determined, a record that changed
// under the user.
class EDatabaseError : public MessageException {
public:
    using MessageException::MessageException;
};
