#pragma once

// For tests and benchmarks only: the open connection, so that a fixture can be set up with
// SQL the program itself never writes (a trigger that refuses a row, a page limit that
// stands for a full disk, a plan to inspect). The program's own code uses the store's
// operations.

#include "WordDatabase.h"

#include <SQLiteCpp/Database.h>

class StoreTestAccess
{
public:
    static SQLite::Database &sql(WordDatabase &db) { return db.m_db; }
};
