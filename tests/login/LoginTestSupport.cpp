#include "LoginTestSupport.h"

namespace {
LoginDatabases* g_databases = static_cast<LoginDatabases*>(::testing::AddGlobalTestEnvironment(new LoginDatabases));
}

LoginDatabases& LoginDatabases::get() { return *g_databases; }
