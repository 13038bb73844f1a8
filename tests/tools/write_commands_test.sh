#!/usr/bin/env bash
# ostrelda-dict create / import / merge as whole commands: exit statuses,
# messages, and files left unchanged when a command refuses.
# Usage: write_commands_test.sh PATH-TO-ostrelda-dict
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

expect() {  # DESCRIPTION EXPECTED-STATUS EXPECTED-TEXT COMMAND...
  local what=$1 want=$2 text=$3
  shift 3
  local out status
  out=$("$@" 2>&1)
  status=$?
  if [ "$status" -eq "$want" ] && { [ -z "$text" ] || grep -qF -- "$text" <<<"$out"; }; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $what: status $status (want $want), output: $out"
  fi
}

unchanged() {  # DESCRIPTION FILE COPY
  if cmp -s "$2" "$3"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1: file changed"; fi
}

d="$work/runes.dll"
printf 'Key\tLink\tNames\r\nFehu\thttps://x/fehu\tastro\r\nUruz\thttps://x/uruz\tastro\r\n\r\n' > "$work/good.tsv"
printf 'Key\tLink\tNames\nAnsuz\thttps://x/ansuz\n' > "$work/short.tsv"
printf 'Key\tLink\tColour\nAnsuz\thttps://x/ansuz\tred\n' > "$work/unknown.tsv"
printf 'Key\tLink\tNames\nAnsuz\thttps://x/ansuz\tastro\nK\xe9naz\thttps://x/kenaz\tastro\n' > "$work/latin1.tsv"
printf 'Link\tKey\tNames\nhttps://x/uruz\tUruz again\tastro\nhttps://x/jera\tJera\tastro\nhttps://x/jera\tJera twice\tastro\n' > "$work/update.tsv"
printf 'Key\tLink\tNames\nGebo\thttps://x/gebo\tastro\nWunjo\thttps://x/wunjo\tAstro\n' > "$work/wrong.tsv"

expect "create" 0 "created" "$tool" create "$d"
expect "create over an existing file" 1 "exists already" "$tool" create "$d"
expect "import" 0 "imported 2 rows" "$tool" import "$d" --from "$work/good.tsv"
expect "import without --from" 2 "usage" "$tool" import "$d"
cp "$d" "$work/copy.dll"
expect "import a short line" 1 "line 2" "$tool" import "$d" --from "$work/short.tsv"
expect "import a line that is not UTF-8" 1 "line 3 is not UTF-8" "$tool" import "$d" --from "$work/latin1.tsv"
expect "import an unknown column" 1 "no column \"Colour\"" "$tool" import "$d" --from "$work/unknown.tsv"
expect "import with a wrong password" 1 "Not a valid password" "$tool" import "$d" --from "$work/good.tsv" --password nope
unchanged "refused imports" "$d" "$work/copy.dll"

for name in update wrong empty; do
  "$tool" create "$work/$name.dll" >/dev/null
  [ "$name" = empty ] || "$tool" import "$work/$name.dll" --from "$work/$name.tsv" >/dev/null
done
expect "merge a wrong file" 1 "not an update file" "$tool" merge "$d" "$work/wrong.dll"
expect "merge an empty update" 1 "no rows" "$tool" merge "$d" "$work/empty.dll"
expect "merge a missing file" 1 "nothing merged" "$tool" merge "$d" "$work/missing.dll"
unchanged "refused merges" "$d" "$work/copy.dll"
expect "merge" 0 "added 1, skipped 2" "$tool" merge "$d" "$work/update.dll"
expect "merge again adds nothing" 0 "added 0, skipped 3" "$tool" merge "$d" "$work/update.dll"
expect "check after writing" 0 "" "$tool" check "$d" --password Q8mVt2LrNw6Xk4PsZd

# A second writer while another holds the lock.
cp "$d" "$work/copy.dll"
flock -n "$d.lock" sleep 3 &
sleep 0.5
expect "import while another writer holds the file" 1 "in use" "$tool" import "$d" --from "$work/good.tsv"
expect "merge while another writer holds the file" 1 "in use" "$tool" merge "$d" "$work/update.dll"
wait
unchanged "writes refused while in use" "$d" "$work/copy.dll"
expect "import once the lock is free" 0 "imported 2 rows" "$tool" import "$d" --from "$work/good.tsv"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
