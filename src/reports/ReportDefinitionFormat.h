#pragma once
#include "reports/ReportDefinition.h"

// Names of enumerated values in the text format (shared by the writer and the reader).
QString reportAggregateName(ReportAggregate a);
QString reportResetScopeName(ReportResetScope s);
QString reportHAlignName(ReportHAlign a);
QString reportVAlignName(ReportVAlign a);
