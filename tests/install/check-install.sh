#!/usr/bin/env bash
# check-install.sh BUILD_DIR: installs the build into a temporary prefix and checks it.
set -euo pipefail
build="$1"
id=org.lexmora.Lexmora
for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/setup installs it)"
    exit 77
  fi
done
fail() { echo "FAIL: $*"; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix="$root/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/lexmora bin/lexmora-newdb libexec/lexmora/lexmora libexec/lexmora/lexmora-sheetcells; do
  [ -x "$prefix/$f" ] || fail "$f is not installed as a program"
done
# The .xls reader answers beside the program: a file it refuses gives its frames.
"$prefix/libexec/lexmora/lexmora-sheetcells" /dev/null | head -c 8 | grep -q LXCELLS1 \
  || fail "lexmora-sheetcells does not answer"
desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
icon="$prefix/share/icons/hicolor/scalable/apps/$id.svg"
for f in "$desktop" "$metainfo" "$icon"; do
  [ -f "$f" ] || fail "${f#"$prefix"/} is not installed"
done
grep -q '<svg' "$icon" || fail "the icon is no SVG"

# The validators print nothing but hints for a clean file; anything else fails the test.
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$(grep -v '^hint' <<<"$out")" ] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate found problems"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "the metainfo does not name the desktop entry"
grep -q "^Icon=$id\$" "$desktop" || fail "the desktop entry does not name the icon"

# First use in a fresh data folder: the launcher makes the word database and starts the
# program there. The first run plays the title sequence before the Main window writes its
# marker, so wait for the marker, then check the program is still running.
export XDG_DATA_HOME="$root/data"
"$prefix/bin/lexmora" >"$root/run.log" 2>&1 &
pid=$!
for _ in $(seq 1 300); do
  [ -f "$XDG_DATA_HOME/lexmora/zq.ini" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null || fail "the program ended instead of running: $(cat "$root/run.log")"
kill "$pid"; wait "$pid" 2>/dev/null || true
data="$XDG_DATA_HOME/lexmora"
[ -f "$data/qvtmdb.mdb" ] || fail "no word database was made in $data"
[ -f "$data/zq.ini" ] || fail "the program did not run in $data"
words=$(sqlite3 "$data/qvtmdb.mdb" 'SELECT count(*) FROM Words' 2>/dev/null || echo 0)
[ "$words" -gt 1000 ] || fail "the new word database holds $words starter words"

# A later start keeps the words it finds.
sqlite3 "$data/qvtmdb.mdb" "INSERT INTO Words1 VALUES ('Zeal', 'great energy', '')"
rc=0
timeout 3 "$prefix/bin/lexmora" >/dev/null 2>&1 || rc=$?
[ "$rc" -eq 124 ] || fail "the second start ended with $rc"
[ "$(sqlite3 "$data/qvtmdb.mdb" 'SELECT count(*) FROM Words1')" = 1 ] \
  || fail "the second start replaced the word database"
echo "PASS: installed tree, desktop entry, metainfo and launcher"
