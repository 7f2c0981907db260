#pragma once

struct sqlite3;

// printf() and format() for the query connection. The engine's own, given a width or
// precision far beyond the longest value a query may make (printf('%.*c', 999999999, 'x')),
// works for seconds without a step at which Cancel could stop it, and then gives NULL. This
// one refuses such a format at once as too big, and hands every other call to the engine's
// own printf (on a small private connection), so results are the engine's to the byte.
namespace BoundedPrintf {

// Registers both on `handle`, with `maxBytes` as the longest width or precision; the
// private connection lives as long as `handle`. Returns SQLite's result code.
int install(sqlite3 *handle, int maxBytes);

} // namespace BoundedPrintf
