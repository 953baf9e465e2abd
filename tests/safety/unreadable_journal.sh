#!/usr/bin/env bash
# A journal its user may not read (mode 000), through two sessions that each
# add a test and save: every save is refused with the reason, the file keeps
# its bytes, and once readable again the next start reads it. Run as root,
# the sessions run as the unprivileged user nobody, for whom mode 000 means
# something.
#
#   unreadable_journal.sh RUNNER
set -u
work=$(mktemp -d "${TMPDIR:-/tmp}/dextrel-unreadable.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/runner"
chmod 755 "$work" "$work/runner"
program=$work/program settings=$work/settings
mkdir -p "$program" "$settings"
as_user=()
if [ "$(id -u)" = 0 ]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  chown -R 65534:65534 "$program" "$settings"
fi
printf '"2000-01-07","08:00","05.0","kept"\r\n' >"$work/original"
cp "$work/original" "$program/Diabete.glc"
[ "$(id -u)" = 0 ] && chown 65534:65534 "$program/Diabete.glc"
chmod 000 "$program/Diabete.glc"
failed=0
fail() { echo "FAIL: $1"; failed=1; }

session() {
  "${as_user[@]}" "$work/runner" --program-dir "$program" --settings-dir "$settings" <<'SCRIPT'
start
click Menu_Ajouter
type Dialog_Taux 6.1
click Bout_Ok
click Menu_Sauve
dump Nb_Tests
SCRIPT
}

for n in 1 2; do
  session >"$work/out.$n" 2>&1
  grep -q 'The journal could not be read' "$work/out.$n" || fail "session $n: not told at start-up"
  grep -q 'Permission denied' "$work/out.$n" || fail "session $n: no reason given"
  grep -q 'could not be read at start-up' "$work/out.$n" || fail "session $n: save not refused"
done
chmod 600 "$program/Diabete.glc"
cmp -s "$program/Diabete.glc" "$work/original" || fail "the journal's bytes changed"
[ -z "$(find "$program" -name 'Diabete.glc.*' ! -name '*.lock')" ] || fail "a save left a copy"
"${as_user[@]}" "$work/runner" --program-dir "$program" --settings-dir "$settings" \
  <<<$'start\ndump Nb_Tests' >"$work/out.3" 2>&1
grep -q '"Nb_Tests":1' "$work/out.3" || fail "readable again, the journal was not read: $(cat "$work/out.3")"

[ $failed -eq 0 ] && echo ok
exit $failed
