#pragma once
#include <cstdint>

// Calls that go to the database server, counted for measurements (the generation benchmark
// divides them by the lines written). The program is single-threaded; the counts only grow.
struct OdbcCounters {
    std::uint64_t executes = 0;   // statement texts sent (THstmt::Execute, one round trip each)
    std::uint64_t commits = 0;    // transactions ended by a commit (one round trip each)
};

inline OdbcCounters odbcCounters;
