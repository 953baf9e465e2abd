#!/usr/bin/env bash
# Runs one scenario through dextrel-replay and checks what it left behind.
#
#   run_scenario.sh RUNNER DIR/NAME.scn
#
# Beside NAME.scn:
#   NAME.expect      the exact standard output (required)
#   NAME.in/         files copied into a fresh program directory first;
#                    NAME.in/settings/ into a fresh settings directory
#   NAME.out/        files that must be byte-identical in the program
#                    directory afterwards; NAME.out/settings/ likewise
#   NAME.status      the expected exit status when it is not 0
#   NAME.stderr      the exact standard error, when it matters
# The script runs from its own folder, so `serve` finds its files there.
set -u

if [ $# -ne 2 ]; then
    echo "usage: $0 RUNNER SCENARIO.scn" >&2
    exit 2
fi
runner=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
scn_dir=$(cd "$(dirname "$2")" && pwd)
name=$(basename "$2" .scn)
base=$scn_dir/$name

work=$(mktemp -d "${TMPDIR:-/tmp}/scenario.XXXXXX")
trap 'rm -rf "$work"' EXIT
program=$work/program
settings=$work/settings
mkdir -p "$program" "$settings"

# Copies the files of folder $1 into folder $2, leaving out its settings/.
copy_files() {
    local entry
    for entry in "$1"/* "$1"/.[!.]*; do
        [ -e "$entry" ] || continue
        [ "$(basename "$entry")" = settings ] && continue
        cp -R "$entry" "$2"/
    done
}

if [ -d "$base.in" ]; then
    copy_files "$base.in" "$program"
    [ -d "$base.in/settings" ] && copy_files "$base.in/settings" "$settings"
fi

(cd "$scn_dir" && "$runner" --program-dir "$program" --settings-dir "$settings" "$name.scn") \
    >"$work/stdout" 2>"$work/stderr"
status=$?

failed=0
fail() {
    echo "FAIL $name: $1"
    failed=1
}

expected_status=0
[ -f "$base.status" ] && expected_status=$(tr -d '[:space:]' <"$base.status")
if [ "$status" != "$expected_status" ]; then
    fail "exit status $status, expected $expected_status"
    sed 's/^/  stderr: /' "$work/stderr"
fi

if [ ! -f "$base.expect" ]; then
    fail "no $name.expect"
elif ! diff -u --label "$name.expect" --label "output" "$base.expect" "$work/stdout"; then
    fail "standard output differs"
fi

if [ -f "$base.stderr" ] &&
    ! diff -u --label "$name.stderr" --label "stderr" "$base.stderr" "$work/stderr"; then
    fail "standard error differs"
fi

# Compares every file of folder $1 (but its settings/) with folder $2.
compare_files() {
    local entry rel
    while IFS= read -r -d '' entry; do
        rel=${entry#"$1"/}
        case $rel in settings/*) [ "$3" = program ] && continue ;; esac
        if [ ! -f "$2/$rel" ]; then
            fail "$3 file $rel is missing"
        elif ! cmp -s "$entry" "$2/$rel"; then
            fail "$3 file $rel differs"
            diff -u --label "expected $rel" --label "actual $rel" "$entry" "$2/$rel" | head -40
        fi
    done < <(find "$1" -type f -print0 | sort -z)
}

if [ -d "$base.out" ]; then
    compare_files "$base.out" "$program" program
    [ -d "$base.out/settings" ] && compare_files "$base.out/settings" "$settings" settings
fi

[ $failed -eq 0 ] && echo "ok $name"
exit $failed
