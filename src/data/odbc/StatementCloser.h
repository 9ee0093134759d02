#pragma once
#include "data/odbc/THstmt.h"

// Closes a statement when the scope ends, also when the scope is left by a failure; a failure of
// the close itself is swallowed (the statement's own failure is the one that matters).
//
//   s.Close();
//   StatementCloser closer{s};
//   s.setSQL(...); s.Execute(); while (s.FetchNext()) ...
struct StatementCloser {
    THstmt& statement;
    ~StatementCloser()
    {
        try {
            statement.Close();
        } catch (...) {
        }
    }
};
