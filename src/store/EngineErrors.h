#pragma once

// For the store's own sources only: the edge where the engine's exceptions become
// StoreErrors, so that no SQLite::Exception reaches the rest of the program.

#include "StoreError.h"

#include <SQLiteCpp/Exception.h>

#include <utility>

namespace EngineErrors {

// The engine's failure with its own words (sqlite3_errmsg: "the disk is full", a trigger's
// RAISE text) and its result code.
inline StoreError toStoreError(const SQLite::Exception &e)
{
    return StoreError(QString::fromUtf8(e.what()), e.getExtendedErrorCode());
}

// Runs `work`; an engine failure leaves as a StoreError.
template <typename Work> decltype(auto) translated(Work &&work)
{
    try {
        return std::forward<Work>(work)();
    } catch (const SQLite::Exception &e) {
        throw toStoreError(e);
    }
}

} // namespace EngineErrors
