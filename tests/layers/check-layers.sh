#!/usr/bin/env bash
# The store is the only code that speaks to the word file: outside src/store no source
# names the engine, its C++ wrapper or the store's own connection, and none holds SQL text.
set -uo pipefail
src="$1/src"
failed=0
outside_store() {
  grep -rnE --include='*.cpp' --include='*.h' "$@" "$src" | grep -v "^$src/store/"
}
if outside_store 'SQLite::|sqlite3_|sqlite3\.h|SQLiteCpp|StoreConnection|StoreTestAccess|EngineErrors'; then
  echo "The lines above reach the engine outside src/store." >&2
  failed=1
fi
# SQL in a string literal: the statements' key phrases. The examples shown to the user in
# the SQL box and its help are texts of the program, not queries it runs.
sql='"[^"]*\b(select\b.*\bfrom|insert +into|delete +from|update +[a-z_"]+ +set|create +(table|index|trigger|view)|drop +(table|index|trigger|view)|pragma +[a-z_]+)'
if outside_store -i "$sql" | grep -v 'Example *:'; then
  echo "The lines above hold SQL text outside src/store." >&2
  failed=1
fi
exit $failed
