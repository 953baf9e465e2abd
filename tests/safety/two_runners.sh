#!/usr/bin/env bash
# Two dextrel-replay processes on one folder: the first holds the journal for
# its whole run; the second shows it, is told why it cannot save, and writes
# nothing; the first then saves as ever.
#
#   two_runners.sh RUNNER
set -u
runner=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/dextrel-two.XXXXXX")
trap 'exec 3>&- 2>/dev/null; rm -rf "$work"' EXIT
program=$work/program settings=$work/settings
mkdir -p "$program" "$settings"
printf '"2000-01-07","08:00","05.0",""\r\n' >"$program/Diabete.glc"
cp "$program/Diabete.glc" "$work/original"
failed=0
fail() { echo "FAIL: $1"; failed=1; }

# The first runner reads its script from a pipe, a line at a time.
mkfifo "$work/first.in"
"$runner" --program-dir "$program" --settings-dir "$settings" <"$work/first.in" >"$work/first.out" &
first=$!
exec 3>"$work/first.in"
echo start >&3
for _ in $(seq 200); do
  [ -e "$program/Diabete.glc.lock" ] && ! flock -n "$program/Diabete.glc.lock" true && break
  sleep 0.05
done
flock -n "$program/Diabete.glc.lock" true && fail "the first runner holds no lock"

"$runner" --program-dir "$program" --settings-dir "$settings" >"$work/second.out" <<'SCRIPT'
start
click Menu_Ajouter
type Dialog_Taux 7.0
click Bout_Ok
click Menu_Sauve
dump Nb_Tests Menu_Sauve
SCRIPT
grep -q 'is already open in another Dextrel window' "$work/second.out" ||
  fail "the second runner was not told the journal is open elsewhere"
grep -q 'which alone may save it' "$work/second.out" || fail "the second runner's save was not refused"
cmp -s "$program/Diabete.glc" "$work/original" || fail "the second runner wrote the journal"

printf 'click Menu_Ajouter\ntype Dialog_Taux 6.1\nclick Bout_Ok\nclick Menu_Sauve\n' >&3
exec 3>&-
wait "$first" || fail "the first runner failed"
grep -q msgbox "$work/first.out" && fail "the first runner showed a message: $(cat "$work/first.out")"
expected=$'"2000-01-08","12:00","06.1",""\r\n"2000-01-07","08:00","05.0",""\r'
[ "$(cat "$program/Diabete.glc")" = "$expected" ] || fail "the first runner's save is not on disk"

[ $failed -eq 0 ] && echo ok
exit $failed
