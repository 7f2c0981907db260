#pragma once

// For the store's own sources only: the SQLite connection of an open word database. The
// rest of the program reaches the file through the store's named operations.

#include "WordDatabase.h"

#include <SQLiteCpp/Database.h>

class StoreConnection
{
public:
    static SQLite::Database &of(WordDatabase &db) { return db.m_db; }
};
