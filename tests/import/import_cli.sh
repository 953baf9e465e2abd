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
run() { out=$("$report" import "$@"); rc=$?; }  # sets the output and the status
journal() { tr -d '\r' < "$1" | paste -sd' '; }  # one line for all the tests

# A dry run into a journal that does not exist yet writes nothing.
run "$work/none.glc" "$samples/cgm_cloud.csv" --dry-run --json
expect "cloud dry run" '0 {"added": 4, "duplicates": 1, "skipped": {"insulin": 1, "carbs": 1, "note": 1, "no_glucose": 1}, "bad": [], "written": false}' "$rc $out"
expect "dry run writes nothing" "" "$(ls "$work")"

# Bad rows refuse the whole file (status 1, journal untouched) ...
printf '"2026-03-01","08:00","100",""\r\n' > "$work/j.glc"
run "$work/j.glc" "$samples/cgm_events.csv" --unit mg --json 2>/dev/null
expect "events refused" '1 {"added": 0, "duplicates": 0, "skipped": {"insulin": 1, "carbs": 1, "alert": 1, "calibration": 1, "device": 1, "patient": 3}, "bad": [{"line": 12, "reason": "the level cannot be read"}, {"line": 14, "reason": "the level is refused (above 0, at most 450 mg/dl)"}], "written": false}' "$rc $out"
expect "refused journal untouched" '"2026-03-01","08:00","100",""' "$(journal "$work/j.glc")"

# ... unless --skip-bad: the good rows are written newest first, the old
# journal kept beside it.
run "$work/j.glc" "$samples/cgm_events.csv" --unit mg --skip-bad --json
expect "events written" '0 "written": true}' "$rc ${out: -16}"
expect "journal after import" '"2026-03-12","08:40","131","" "2026-03-12","08:20","118","" "2026-03-12","08:15","112","" "2026-03-01","08:00","100",""' "$(journal "$work/j.glc")"
expect "backup kept" '"2026-03-01","08:00","100",""' "$(journal "$work/j.glc.bak")"

# Again: every reading is a duplicate now, nothing to write.
run "$work/j.glc" "$samples/cgm_events.csv" --unit mg --skip-bad 2>/dev/null
expect "nothing new status" 1 "$rc"

# A mmol/L journal with day-first dates; the meter's US dates and 12-hour
# times; --from/--to keep two days.
run "$work/fr.glc" "$samples/meter_app.csv" --date-format dd/MM/yyyy --from 2026-03-08 \
  --to 2026-03-09 --lang fr
expect "meter journal" '0 "09/03/2026","00:30","04.9","late" "08/03/2026","12:00","06.7","" "08/03/2026","07:05","05.4",""' "$rc $(journal "$work/fr.glc")"

# The date order and the file's unit given on the command line: 12/03/2026
# read day first is 12 March, read year first no date; 30 is a low mg/dl
# but above what mmol/L takes.
printf 'date;time;level\n12/03/2026;08:00;30\n' > "$work/bare.csv"
run "$work/m.glc" "$work/bare.csv" --date-order dmy --file-unit mg --dry-run --json
expect "overrides" '0 {"added": 1, "duplicates": 0, "skipped": {}, "bad": [], "written": false}' "$rc $out"
run "$work/m.glc" "$work/bare.csv" --date-order ymd --dry-run --json 2>/dev/null
expect "order ymd refuses" 1 "$rc"
run "$work/m.glc" "$work/bare.csv" --dry-run 2>/dev/null
expect "30 mmol/L refused" 1 "$rc"

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
