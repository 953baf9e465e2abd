#!/usr/bin/env bash
# Files no program should wait on or swallow, under a 400 MiB memory limit
# (unless DEXTREL_NO_MEMORY_LIMIT is set) and a 10 s clock: a 2 GiB sparse
# journal, a FIFO, a device, a folder. And dextrel-report's outputs: never one
# of its inputs, private when new, the old mode when replaced.
#
#   huge_and_special.sh RUNNER REPORT
set -u
runner=$1 report=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/dextrel-huge.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $1"; failed=1; }
# A sanitizer's shadow memory needs more address space than any limit here.
bounded() {
  if [ -n "${DEXTREL_NO_MEMORY_LIMIT:-}" ]; then timeout 10 "$@"; else (ulimit -v 409600 && timeout 10 "$@"); fi
}

program=$work/program settings=$work/settings
mkdir -p "$program" "$settings"
truncate -s 2G "$program/Diabete.glc"
bounded "$runner" --program-dir "$program" --settings-dir "$settings" \
  <<<$'start\nclick Menu_Ajouter\ntype Dialog_Taux 6.1\nclick Bout_Ok\nclick Menu_Sauve' >"$work/out" ||
  fail "the runner on a 2 GiB journal ended with $?"
grep -q 'more than 64 MiB' "$work/out" || fail "the runner did not say the journal is too large"
[ "$(stat -c %s "$program/Diabete.glc")" = 2147483648 ] || fail "the 2 GiB journal changed"
[ -z "$(find "$program" -name 'Diabete.glc.*' ! -name '*.lock')" ] || fail "a copy was made"

mkfifo "$work/fifo" && mkdir "$work/folder"
for input in "$program/Diabete.glc" "$work/fifo" /dev/zero "$work/folder"; do
  bounded "$report" stats "$input" >/dev/null 2>"$work/err"; status=$?
  [ $status -eq 1 ] || fail "dextrel-report stats $input ended with $status"
  grep -q 'cannot read' "$work/err" || fail "dextrel-report gave no reason for $input"
done

journal=$work/Diabete.glc
printf '"2000-01-07","08:00","05.0",""\r\n' >"$journal"
cp "$journal" "$work/original"
ln -s "$journal" "$work/link.csv"
for output in "$journal" "$work/link.csv" "$work/../$(basename "$work")/Diabete.glc"; do
  "$report" export --csv "$journal" -o "$output" 2>"$work/err" && fail "wrote over its journal as $output"
  grep -q 'is also a file being read' "$work/err" || fail "no reason for refusing $output"
done
cmp -s "$journal" "$work/original" || fail "the journal changed"

(umask 022 && "$report" export --csv "$journal" -o "$work/new.csv") || fail "export failed"
[ "$(stat -c %a "$work/new.csv")" = 600 ] || fail "a new export is not private"
chmod 640 "$work/new.csv"
"$report" export --json "$journal" -o "$work/new.csv" || fail "export over an old file failed"
[ "$(stat -c %a "$work/new.csv")" = 640 ] || fail "a replaced export lost its mode"
[ -z "$(find "$work" -name '*.tmp-*')" ] || fail "a temporary file was left"

: >"$work/empty.glc"
"$report" stats "$work/empty.glc" >/dev/null 2>"$work/err" && fail "a journal with no test succeeded"
grep -q 'no test could be read' "$work/err" || fail "no reason for a journal with no test"

[ $failed -eq 0 ] && echo ok
exit $failed
