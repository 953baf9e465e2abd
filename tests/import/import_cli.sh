#!/usr/bin/env bash
# dextrel-report import on the sample exports: what --json reports, what is
# written (newest first, in the journal's unit and date format, the old
# journal kept as .bak) and the exit status of each outcome.
set -u
report=$1
samples=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # description expected actual
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}

# A dry run into a journal that does not exist yet writes nothing.
out=$("$report" import "$work/none.glc" "$samples/cgm_cloud.csv" --dry-run --json); rc=$?
expect "cloud dry run" '{"added": 4, "duplicates": 1, "skipped": {"insulin": 1, "carbs": 1, "note": 1, "no_glucose": 1}, "bad": [], "written": false}' "$out"
expect "cloud dry run status" 0 "$rc"
expect "dry run writes nothing" "" "$(ls "$work")"

# Bad rows refuse the whole file (status 1, journal untouched) ...
printf '"2026-03-01","08:00","100",""\r\n' > "$work/j.glc"
out=$("$report" import "$work/j.glc" "$samples/cgm_events.csv" --unit mg --json 2>/dev/null); rc=$?
expect "events refused" '{"added": 0, "duplicates": 0, "skipped": {"insulin": 1, "carbs": 1, "alert": 1, "calibration": 1, "device": 1, "patient": 3}, "bad": [{"line": 12, "reason": "the level cannot be read"}, {"line": 14, "reason": "the level is refused (above 0, at most 450 mg/dl)"}], "written": false}' "$out"
expect "events refused status" 1 "$rc"
expect "refused journal untouched" '"2026-03-01","08:00","100",""' "$(tr -d '\r' < "$work/j.glc")"

# ... unless --skip-bad: the good rows are written newest first, the old
# journal kept beside it.
out=$("$report" import "$work/j.glc" "$samples/cgm_events.csv" --unit mg --skip-bad --json); rc=$?
expect "events written status" 0 "$rc"
expect "events written" '"written": true}' "${out: -16}"
expect "journal after import" '"2026-03-12","08:40","131","" "2026-03-12","08:20","118","" "2026-03-12","08:15","112","" "2026-03-01","08:00","100",""' "$(tr -d '\r' < "$work/j.glc" | paste -sd' ')"
expect "backup kept" '"2026-03-01","08:00","100",""' "$(tr -d '\r' < "$work/j.glc.bak")"

# Again: every reading is a duplicate now, nothing to write.
"$report" import "$work/j.glc" "$samples/cgm_events.csv" --unit mg --skip-bad >/dev/null 2>&1
expect "nothing new status" 1 "$?"

# A mmol/L journal with day-first dates; the meter's US dates and 12-hour
# times; --from/--to keep two days.
"$report" import "$work/fr.glc" "$samples/meter_app.csv" --date-format dd/MM/yyyy \
  --from 2026-03-08 --to 2026-03-09 --lang fr >/dev/null; rc=$?
expect "meter status" 0 "$rc"
expect "meter journal" '"09/03/2026","00:30","04.9","late" "08/03/2026","12:00","06.7","" "08/03/2026","07:05","05.4",""' "$(tr -d '\r' < "$work/fr.glc" | paste -sd' ')"

# The date order and the file's unit given on the command line: 12/03/2026
# read day first is 12 March, read year first no date; 30 is a low mg/dl
# but above what mmol/L takes.
printf 'date;time;level\n12/03/2026;08:00;30\n' > "$work/bare.csv"
out=$("$report" import "$work/m.glc" "$work/bare.csv" --date-order dmy --file-unit mg --dry-run --json); rc=$?
expect "overrides" '{"added": 1, "duplicates": 0, "skipped": {}, "bad": [], "written": false}' "$out"
out=$("$report" import "$work/m.glc" "$work/bare.csv" --date-order ymd --dry-run --json 2>/dev/null); rc=$?
expect "order ymd refuses" 1 "$rc"
"$report" import "$work/m.glc" "$work/bare.csv" --dry-run >/dev/null 2>&1
expect "30 mmol/L refused" 1 "$?"

# A journal a window holds, or one another program changes, is not written;
# a pipe given as the file is refused at once, never waited on.
printf '"2026-03-01","08:00","100",""\r\n' > "$work/held.glc"
cp "$work/held.glc" "$work/held.before"
flock "$work/held.glc.lock" "$report" import "$work/held.glc" "$samples/cgm_events.csv" \
  --unit mg --skip-bad >/dev/null 2>&1
expect "held journal status" 1 "$?"
expect "held journal untouched" "" "$(cmp "$work/held.glc" "$work/held.before")"
mkfifo "$work/pipe.csv"
timeout 10 "$report" import "$work/held.glc" "$work/pipe.csv" >/dev/null 2>&1
expect "pipe refused" 1 "$?"

# Usage errors.
for args in "import $work/j.glc" "import a b --date-order xyz" "import a b --file-unit kpa" \
            "import a b --from 2026-01-01" "import a b --bogus"; do
  # shellcheck disable=SC2086
  "$report" $args >/dev/null 2>&1
  expect "usage: $args" 2 "$?"
done

[ "$failures" -eq 0 ] && echo "import cli: all passed"
exit "$failures"
