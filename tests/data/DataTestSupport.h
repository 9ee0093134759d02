#pragma once
// Helpers shared by the data-layer tests.
#include "TestConnection.h"
#include "TestDatabase.h"
#include "data/odbc/THdbc.h"

#include <QStringList>

