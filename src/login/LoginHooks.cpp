#include "LoginHooks.h"

LoginHooks& loginHooks()
{
    static LoginHooks hooks;
    return hooks;
}
