#pragma once
// The SQL builders in one include: the table-key index and the table of a query
// (TableIndexList.h), the write hook (SqlUpdate.h), filters, orders, key searches and condition
// texts (SqlFilter.h), and statement batches (SqlBatch.h).
#include "data/SqlBatch.h"
#include "data/SqlFilter.h"
#include "data/SqlUpdate.h"
#include "data/TableIndexList.h"
