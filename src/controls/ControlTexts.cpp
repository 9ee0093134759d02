#include "ControlTexts.h"

ControlTexts& controlTexts()
{
    static ControlTexts texts;
    return texts;
}
