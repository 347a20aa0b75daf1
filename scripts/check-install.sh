#!/usr/bin/env bash
# Installs the program from a build (or unpacks a Debian package of it) into
# a scratch root and checks what a user gets: the programs, the launcher, the
# shipped data, the desktop entry and the icons, the manual pages, the
# AppStream data, the copyright file and the changelog, each through its
# own validator (and a package's control fields, and lintian where it is
# installed); then runs the installed
# launcher under a virtual X server with a scratch home folder: a first start
# fills ~/Tavenel and shows the clock with its introduction page, a start
# over files that are already there leaves every one of them as it was, and
# a calendar file imported through the planner's menu proves that the
# installed program finds its modules.
# Exits non-zero on the first failed check.
#
#   scripts/check-install.sh [BUILD-DIR]          (default: build)
#   scripts/check-install.sh --deb PACKAGE.deb
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/x-session.sh"
inside_x "$0" "$@"

work=$(mktemp -d)
wm=""
program=""
cleanup() {
  close_program "$program" "$wm"
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
pass() { echo "PASS: $1"; }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

# --- Install ---------------------------------------------------------------
if [ "${1:-}" = "--deb" ]; then
  deb=${2:?usage: check-install.sh --deb PACKAGE.deb}
  dpkg-deb -x "$deb" "$work/root"
  prefix=$work/root/usr
  echo "== unpacked $deb"
else
  build=${1:-$here/build}
  prefix=$work/root/usr
  cmake --install "$build" --prefix "$prefix" >/dev/null
  echo "== installed $build into $prefix"
fi

expected=(
  bin/tavenel bin/tavenel-setup bin/tavenel-launch
  share/tavenel/data/schema.sql share/tavenel/data/alarm.mp3 share/tavenel/data/bell.mp3
  share/tavenel/data/bell.wav
  share/applications/tavenel.desktop
  share/icons/hicolor/scalable/apps/tavenel.svg
)
for n in $(seq 1 12); do expected+=("share/tavenel/data/intro$n.mp3"); done
for page in intro alarmenable chimeenable scheduler pictureviewer switchsize clocksettings; do
  expected+=("share/tavenel/data/$page.rtf")
done
for px in 16 32 48 64 128 256; do expected+=("share/icons/hicolor/${px}x$px/apps/tavenel.png"); done
for page in tavenel tavenel-launch tavenel-setup; do expected+=("share/man/man1/$page.1.gz"); done
expected+=(share/doc/tavenel/copyright share/doc/tavenel/changelog.Debian.gz)
missing=0
for f in "${expected[@]}"; do
  if [ ! -s "$prefix/$f" ]; then fail "not installed: $f"; missing=1; fi
done
[ $missing = 0 ] && pass "all ${#expected[@]} files installed"
# The modules loaded on first use, in the installed library folder.
for module in tavenel-print tavenel-calendar; do
  found=$(ls "$prefix"/lib/tavenel/lib$module.so "$prefix"/lib/*/tavenel/lib$module.so 2>/dev/null | head -1 || true)
  if [ -z "$found" ]; then fail "not installed: the module lib$module.so"
  elif unresolved=$(ldd -r "$found" 2>&1 | grep -E "not found|undefined symbol"); then
    fail "the module lib$module.so does not load: $unresolved"
  else pass "module lib$module.so installed in ${found#"$prefix"/}"; fi
done
needed=$(readelf -d "$prefix/bin/tavenel" | grep NEEDED || true)
if grep -Eq "PrintSupport|libical" <<<"$needed"; then
  fail "the program links what its modules load: $(grep -E "PrintSupport|libical" <<<"$needed" | tr -s ' ')"
fi
for f in bin/tavenel bin/tavenel-setup bin/tavenel-launch; do
  [ -x "$prefix/$f" ] || fail "not executable: $f"
done
for px in 16 32 48 64 128 256; do
  size=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${px}x$px/apps/tavenel.png" 2>/dev/null || echo none)
  [ "$size" = "${px}x$px" ] || fail "icon ${px}x$px is $size"
done

desktop=$prefix/share/applications/tavenel.desktop
for key in Name Comment Categories Icon Exec; do
  grep -q "^$key=." "$desktop" || fail "desktop entry has no $key"
done
grep -q '^Exec=tavenel-launch' "$desktop" || fail "desktop entry does not start the launcher"
grep -q '^Icon=tavenel$' "$desktop" || fail "desktop entry does not name the installed icon"
if command -v desktop-file-validate >/dev/null; then
  if report=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$report" ]; then
    pass "desktop entry validates"
  else
    fail "desktop-file-validate: $report"
  fi
else
  echo "SKIP: desktop-file-validate not found (package desktop-file-utils)"
fi

# The manual pages: readable, and without a complaint from the formatter.
for page in tavenel tavenel-launch tavenel-setup; do
  file=$prefix/share/man/man1/$page.1.gz
  [ -s "$file" ] || continue
  if text=$(MANWIDTH=80 man -l --warnings "$file" 2>"$work/man.err") && [ ! -s "$work/man.err" ] &&
     grep -q "^NAME" <<<"$text" && grep -q "^ *$page " <<<"$(sed -n '/^NAME/,/^SYNOPSIS/p' <<<"$text")"; then
    pass "manual page $page reads"
  else
    fail "manual page $page: $(cat "$work/man.err")"
  fi
done

# The AppStream data.
metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml 2>/dev/null | head -1 || true)
if [ -z "$metainfo" ]; then
  fail "no AppStream metainfo in share/metainfo"
elif command -v appstreamcli >/dev/null; then
  if report=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
    pass "AppStream metainfo validates: $(tail -1 <<<"$report")"
  else
    fail "appstreamcli validate:"$'\n'"$report"
  fi
  grep -q '<screenshot' "$metainfo" || fail "the metainfo shows no screenshot"
  grep -q '<launchable type="desktop-id">tavenel.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not name the desktop entry"
else
  echo "SKIP: appstreamcli not found (package appstream)"
fi

# The copyright file in the machine-readable format, and the changelog.
copyright=$prefix/share/doc/tavenel/copyright
head -1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' &&
  grep -q '^Files: \*' "$copyright" && grep -q '^License: ' "$copyright" &&
  pass "copyright file in the machine-readable format" || fail "copyright file is not machine-readable"
if zcat "$prefix/share/doc/tavenel/changelog.Debian.gz" | head -1 | grep -q '^tavenel (.*) .*; urgency='; then
  pass "changelog.Debian.gz reads as a Debian changelog"
else
  fail "changelog.Debian.gz is not a Debian changelog"
fi

# A package's control fields, and lintian's verdict.
if [ -n "${deb:-}" ]; then
  maintainer=$(dpkg-deb -f "$deb" Maintainer)
  description=$(dpkg-deb -f "$deb" Description)
  if grep -Eq '^[^<]+ <[^@>]+@[^>]+>$' <<<"$maintainer" && ! grep -q localhost <<<"$maintainer"; then
    pass "maintainer: $maintainer"
  else
    fail "maintainer field '$maintainer'"
  fi
  lines=$(wc -l <<<"$description")
  [ "$lines" -ge 5 ] && pass "description: a summary and $((lines - 1)) lines" ||
    fail "the description has $lines line(s)"
  if command -v lintian >/dev/null; then
    lintian --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || true
    errors=$(grep -c '^E:' "$work/lintian.txt" || true)
    warnings=$(grep -c '^W:' "$work/lintian.txt" || true)
    sed 's/^/  lintian: /' "$work/lintian.txt"
    [ "$errors" = 0 ] && pass "lintian: no errors ($warnings warnings)" || fail "lintian: $errors errors"
  else
    echo "SKIP: lintian not installed"
  fi
fi

# --- The installed launcher -------------------------------------------------
start_wm
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null

stop_program() {
  close_program "$program"
  program=""
}

# A first start: an empty home.
home=$work/home-fresh
mkdir -p "$home"
HOME=$home "$prefix/bin/tavenel-launch" >"$work/fresh.log" 2>&1 &
program=$!
if wait_window "$program" 15 "Support for first time users" >/dev/null; then
  pass "first start: the introduction page is shown"
else
  fail "first start: no introduction page"; cat "$work/fresh.log"
fi
if wait_window "$program" 5 "^ ?[0-9]+ [A-Z][a-z]+, [0-9]{4}" >/dev/null; then
  pass "first start: the clock window shows the date"
else
  fail "first start: no clock window"
fi
if xdotool search --all --onlyvisible --pid "$program" --name "Tavenel V 1.0" >/dev/null 2>&1; then
  fail "first start: a message box appeared"
fi
stop_program
folder=$home/Tavenel
for f in scheduler.mdb bell.wav alarm.mp3 intro.rtf scheduler.rtf intro12.mp3; do
  [ -s "$folder/$f" ] || fail "first start: $f is not in the data folder"
done
tables=$(sqlite3 "$folder/scheduler.mdb" "SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name)")
if [ "$tables" = "clockini scheduler signal" ]; then pass "first start: fresh database with its three tables"
else fail "first start: database tables are '$tables'"; fi
help=$(sqlite3 "$folder/scheduler.mdb" "SELECT f6 FROM signal")
[ "$help" = "F" ] || fail "first start: help flag is '$help', not on"

# A start over files the user has: none of them may change.
home=$work/home-kept
folder=$home/Tavenel
mkdir -p "$folder"
echo "not a database, but the user's file" >"$folder/scheduler.mdb"
printf '{\\rtf1 my diary}' >"$folder/7-December-2026.rtf"
echo "my own page" >"$folder/intro.rtf"
echo "my own bell" >"$folder/bell.mp3"
before=$(cd "$folder" && md5sum scheduler.mdb 7-December-2026.rtf intro.rtf bell.mp3)
HOME=$home "$prefix/bin/tavenel-launch" >"$work/kept.log" 2>&1 &
program=$!
if box=$(wait_window "$program" 15 "Tavenel V 1.0"); then
  pass "existing files: the program reports the unreadable database"
  xdotool windowactivate --sync "$box" key Return 2>/dev/null || true
else
  fail "existing files: no message about the unreadable database"
fi
wait_end "$program" 5 || true
stop_program
after=$(cd "$folder" && md5sum scheduler.mdb 7-December-2026.rtf intro.rtf bell.mp3)
if [ "$before" = "$after" ]; then pass "existing files: all left as they were"
else fail "existing files: changed:"$'\n'"$before"$'\n'"$after"; fi
[ -s "$folder/alarm.mp3" ] && [ -s "$folder/scheduler.rtf" ] ||
  fail "existing files: the missing shipped files were not added"

# A data folder named on the command line.
HOME=$work/home-unused "$prefix/bin/tavenel-launch" "$work/elsewhere" >"$work/elsewhere.log" 2>&1 &
program=$!
if wait_window "$program" 15 "Support for first time users" >/dev/null && [ -s "$work/elsewhere/scheduler.mdb" ]; then
  pass "named folder: filled and used"
else
  fail "named folder: not filled or not used"
fi
stop_program
[ -e "$work/home-unused/Tavenel" ] && fail "named folder: ~/Tavenel was made as well"

# A calendar file imported through the planner's menu: the installed program
# finds its calendar module. Tuesday 8 December 2026, third column, second
# row of the planner's month: "Scheduler control", "Import schedules from a
# calendar file".
folder=$work/import
"$prefix/bin/tavenel-setup" "$folder" "$prefix/share/tavenel/data" >/dev/null
sqlite3 "$folder/scheduler.mdb" "UPDATE signal SET f6 = 'U'; INSERT INTO clockini VALUES (3000, 2250, 'normal', 'None');"
printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//check//EN\r\nBEGIN:VEVENT\r\nUID:1@check\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20300115T100000Z\r\nSUMMARY:Imported\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n' >"$work/one.ics"
click() { xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click 1; }
(cd "$folder" && HOME=$work/home-import exec faketime '2026-12-08 17:06:58' "$prefix/bin/tavenel") >"$work/import.log" 2>&1 &
runner=$!
program=$(program_of "$runner")
months="December|January|February|March|April|May|June|July|August|September|October|November"
imported=""
if clock=$(wait_window "$program" 15 "$months"); then
  sleep 1
  click "$clock" 2706 1356  # "Settings"
  sleep 0.5
  click "$clock" 3366 4146  # "Scheduler and diary"
  if planner=$(wait_window "$program" 10 "^Today :"); then
    sleep 1
    click "$planner" $((1800 + 307)) $((1800 + 127))
    sleep 0.5
    # The last item of the submenu, reached by wrapping round from its first.
    xdotool key Down Down Right
    sleep 0.5
    xdotool key Up
    sleep 0.5
    xdotool key Return
    if dialog=$(wait_window "$program" 10 "Import schedules from a calendar file"); then
      sleep 1
      xdotool windowactivate --sync "$dialog" type --delay 20 "$work/one.ics"
      xdotool key Return
      if box=$(wait_window "$program" 10 "Tavenel V 1.0"); then
        sleep 0.5
        imported=$(sqlite3 "$folder/scheduler.mdb" "SELECT stext FROM scheduler WHERE syear = '2030'")
        xdotool windowactivate --sync "$box" key Return 2>/dev/null || true
      fi
    fi
  fi
fi
if [ "$imported" = "Imported" ]; then pass "the installed program imports a calendar file through its module"
else fail "the installed program did not import the calendar file"; cat "$work/import.log"; fi
close_program "$program" "$runner"
program=""

if [ "$failures" -gt 0 ]; then
  echo "== $failures check(s) failed"
  exit 1
fi
echo "== install checks passed"
