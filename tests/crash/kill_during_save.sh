#!/usr/bin/env bash
# Kills a saving dextrel-replay at random moments and checks that Diabete.glc
# is always a complete journal, never torn: the file as it was, or as one of
# the saves left it. Then checks that the next start removes the temporary
# file a kill may have left.
#
#   kill_during_save.sh RUNNER [ROUNDS]
set -u
runner=$1
rounds=${2:-200}
saves=8

work=$(mktemp -d "${TMPDIR:-/tmp}/dextrel-kill.XXXXXX")
trap 'rm -rf "$work"' EXIT
program=$work/program
settings=$work/settings
mkdir -p "$program" "$settings"

# A journal of 3000 tests, so that each save takes a while.
line=$'"1999-12-31","07:45","05.6","note, with a comma"\r'
for _ in $(seq 3000); do printf '%s\n' "$line"; done > "$work/original.glc"
new=$'"2000-01-08","12:00","06.1",""\r'

# The script adds one test and saves, again and again.
{
  echo "start"
  for _ in $(seq $saves); do
    echo "click Menu_Ajouter"
    echo "type Dialog_Taux 6.1"
    echo "click Bout_Ok"
    echo "click Menu_Sauve"
  done
} > "$work/save.scn"

# A complete journal is k new tests above the original ones, k from 0 to saves.
is_complete() {
  local file=$1 lines expected
  lines=$(wc -l < "$file")
  local k=$((lines - 3000))
  [ "$k" -ge 0 ] && [ "$k" -le "$saves" ] || return 1
  expected=$work/expected.$k
  if [ ! -f "$expected" ]; then
    { for _ in $(seq $k); do printf '%s\n' "$new"; done; cat "$work/original.glc"; } > "$expected"
  fi
  cmp -s "$file" "$expected"
}

torn=0 killed_mid_run=0 between_saves=0
for round in $(seq "$rounds"); do
  rm -f "$program"/* "$settings"/*
  cp "$work/original.glc" "$program/Diabete.glc"
  "$runner" --program-dir "$program" --settings-dir "$settings" "$work/save.scn" >/dev/null 2>&1 &
  pid=$!
  # Sleep between 0 and 0.7 s before the kill: a run of eight saves lasts about that.
  sleep "0.$(printf "%03d" $((RANDOM % 700)))"
  if kill -9 "$pid" 2>/dev/null; then killed_mid_run=$((killed_mid_run + 1)); fi
  wait "$pid" 2>/dev/null
  for f in "$program/Diabete.glc" "$program/Diabete.glc.bak"; do
    [ -e "$f" ] || continue
    if ! is_complete "$f"; then
      echo "round $round: $(basename "$f") is torn ($(wc -c < "$f") bytes)"
      torn=$((torn + 1))
    fi
  done
  [ -e "$program/Diabete.glc" ] || { echo "round $round: Diabete.glc is gone"; torn=$((torn + 1)); }
  k=$(( $(wc -l < "$program/Diabete.glc") - 3000 ))
  [ "$k" -gt 0 ] && [ "$k" -lt "$saves" ] && between_saves=$((between_saves + 1))
  # The next start cleans what an interrupted write left.
  printf 'start\nclose\n' | "$runner" --program-dir "$program" --settings-dir "$settings" >/dev/null
  if ls "$program" | grep -q '\.tmp-'; then
    echo "round $round: a temporary file survived the next start: $(ls "$program")"
    torn=$((torn + 1))
  fi
done

echo "$rounds rounds, $killed_mid_run killed while running ($between_saves after some saves and before the last), $torn torn or unclean"
[ "$torn" -eq 0 ] && [ "$killed_mid_run" -gt 0 ]
