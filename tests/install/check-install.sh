#!/usr/bin/env bash
# check-install.sh BUILD_DIR: installs the build into a temporary prefix and checks it.
set -euo pipefail
build="$1"
id=org.lexmora.Lexmora
for tool in desktop-file-validate appstreamcli man dpkg-parsechangelog; do
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

for f in bin/lexmora bin/lexmora-newdb libexec/lexmora/lexmora libexec/lexmora/lexmora-sheetcells \
  libexec/lexmora/lexmora-speaker; do
  [ -x "$prefix/$f" ] || fail "$f is not installed as a program"
done
# The parts the program loads when first needed lie where it looks for them:
# lib/lexmora/modules, seen from libexec/lexmora.
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:[A-Z]*=//p' "$build/CMakeCache.txt")
for m in charts zip; do
  [ -f "$prefix/libexec/lexmora/../../${libdir:-lib}/lexmora/modules/lexmora-$m.so" ] \
    || fail "lexmora-$m.so is not installed in ${libdir:-lib}/lexmora/modules"
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

# Debian's compression for manual pages and the changelog, gzip -9n: no stored name
# (flag byte 0), no time stamp (bytes 4 to 7 zero), best compression (extra flags 2).
check_gzip_9n() {
  gzip -t "$1" 2>/dev/null || fail "${1#"$prefix"/} is no gzip file"
  [ "$(od -An -tu1 -j3 -N6 "$1" | tr -s ' ')" = " 0 0 0 0 0 2" ] \
    || fail "${1#"$prefix"/} is not compressed with gzip -9n"
}

# The manual pages: man formats them without a warning, and the one of lexmora-newdb
# documents every option its usage text names, in SYNOPSIS and under OPTIONS.
man1="$prefix/share/man/man1"
for page in lexmora lexmora-newdb; do
  [ -f "$man1/$page.1.gz" ] || fail "share/man/man1/$page.1.gz is not installed"
  check_gzip_9n "$man1/$page.1.gz"
  out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$out" ] || fail "man finds faults in $page.1: $out"
done
rc=0
usage=$("$prefix/bin/lexmora-newdb" 2>&1) || rc=$?
[ "$rc" -eq 2 ] || fail "lexmora-newdb without arguments ended with $rc, not 2: $usage"
options=$(grep -o -- '--[a-z][a-z-]*' <<<"$usage" | sort -u)
[ -n "$options" ] || fail "the usage of lexmora-newdb names no option: $usage"
roff=$(gzip -dc "$man1/lexmora-newdb.1.gz")
for option in $options; do
  escaped=${option//-/\\-}
  grep -qF ".B lexmora\\-newdb $escaped" <<<"$roff" \
    || fail "the manual page of lexmora-newdb has no SYNOPSIS line for $option"
  OPTION="$escaped" awk 'prev ~ /^\.TP/ && $2 == ENVIRON["OPTION"] { found = 1 } { prev = $0 }
                        END { exit !found }' <<<"$roff" \
    || fail "the manual page of lexmora-newdb has no OPTIONS entry for $option"
done

# The package's documents: a machine-readable copyright naming the licence the metainfo
# names (GPL-3.0-or-later is GPL-3+ in the copyright format), and a changelog whose
# newest entry is the release the metainfo names.
doc="$prefix/share/doc/lexmora"
copyright="$doc/copyright"
[ -f "$copyright" ] || fail "share/doc/lexmora/copyright is not installed"
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  || fail "the copyright file is not in the machine-readable format"
spdx=$(sed -n 's|.*<project_license>\(.*\)</project_license>.*|\1|p' "$metainfo")
[ -n "$spdx" ] || fail "the metainfo names no project licence"
dep5=$(sed -E 's/\.0-or-later$/+/; s/\.0-only$//' <<<"$spdx")
awk '/^Files: \*$/ { p = 1 } p && /^License:/ { print; exit }' \
  "$copyright" | grep -qxF "License: $dep5" \
  || fail "the copyright file does not give $spdx ($dep5) for Files: *"
grep -qE '^Files:( .*)? data/starter-words\.tsv( |$)' "$copyright" \
  || fail "the copyright file does not name the starter word list's source"
[ -f "$doc/changelog.gz" ] || fail "share/doc/lexmora/changelog.gz is not installed"
check_gzip_9n "$doc/changelog.gz"
gzip -dc "$doc/changelog.gz" >"$root/changelog"
logged=$(dpkg-parsechangelog -l "$root/changelog" -S Version 2>&1) \
  || fail "dpkg-parsechangelog cannot read the changelog: $logged"
released=$(grep -o '<release version="[^"]*"' "$metainfo" | head -1 | cut -d'"' -f2)
[ "$logged" = "$released" ] \
  || fail "the changelog's newest entry is $logged, the metainfo's newest release $released"

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
echo "PASS: installed tree, desktop entry, metainfo, manual pages, copyright, changelog and launcher"
