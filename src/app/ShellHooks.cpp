#include "ShellHooks.h"

ShellHooks& shellHooks()
{
    static ShellHooks hooks;
    return hooks;
}
