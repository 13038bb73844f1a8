#!/usr/bin/env bash
# Whole commands timed in one run on a 30,000-row Runes dictionary:
#   read:   ostrelda-dict dump FILE   against   mdb-export FILE Runes
#   write:  ostrelda-dict import (30,000 rows) and ostrelda-dict merge
#           (30,000-row update, half of its links already present)
# Usage: bench/compare-dump.sh [BUILD_DIR] [RUNS]   (defaults: build, 10)
set -euo pipefail

build=${1:-build}
runs=${2:-10}
tool="$build/ostrelda-dict"
password=Q8mVt2LrNw6Xk4PsZd
[ -x "$tool" ] || { echo "no $tool: build first" >&2; exit 2; }
command -v mdb-export >/dev/null || { echo "mdb-export missing (Debian mdbtools)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Keys of 8-30 characters, links of 60-110 characters, as in the benchmarks.
make_tsv() {  # FIRST COUNT FILE
  awk -v first="$1" -v count="$2" 'BEGIN {
    split("Fehu Uruz Thurisaz Ansuz Raidho Kaunan Gebo Wunjo Hagalaz Naudiz Isaz Jera Eihwaz Perthro Algiz Sowilo", w, " ");
    print "Key\tLink\tNames";
    for (i = first; i < first + count; i++) {
      link = "https://www.ostrelda.example/ostrelda/ssd.php?page=runes-" i;
      if (i % 3 == 0) link = link "&section=inscriptions-and-staves";
      print w[i % 16 + 1] " lore " i "\t" link "\tastro";
    }
  }' > "$3"
}
make_tsv 0 30000 "$work/dict.tsv"
make_tsv 15000 30000 "$work/update.tsv"

now() { date +%s%N; }
ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b - a) / 1e6 }'; }

"$tool" create "$work/empty.dll" --password "$password" >/dev/null
cp "$work/empty.dll" "$work/runes.dll"
t0=$(now); "$tool" import "$work/runes.dll" --from "$work/dict.tsv" >/dev/null; t1=$(now)
echo "import 30000 rows:           $(ms "$t0" "$t1") ms"
cp "$work/empty.dll" "$work/update.dll"
"$tool" import "$work/update.dll" --from "$work/update.tsv" >/dev/null
cp "$work/runes.dll" "$work/merge.dll"
t0=$(now); result=$("$tool" merge "$work/merge.dll" "$work/update.dll"); t1=$(now)
echo "merge 30000 into 30000:      $(ms "$t0" "$t1") ms ($result)"

# Same rows from both readers first, then the timings.
ours=$("$tool" dump "$work/runes.dll" --password "$password" | grep -c '"astro"' || true)
theirs=$(mdb-export "$work/runes.dll" Runes | tail -n +2 | wc -l)
echo "rows read: ostrelda-dict $ours, mdb-export $theirs"

t0=$(now)
for _ in $(seq "$runs"); do "$tool" dump "$work/runes.dll" --password "$password" >/dev/null; done
t1=$(now)
for _ in $(seq "$runs"); do mdb-export "$work/runes.dll" Runes >/dev/null; done
t2=$(now)
awk -v a="$t0" -v b="$t1" -v c="$t2" -v n="$runs" 'BEGIN {
  ours = (b - a) / 1e6 / n; theirs = (c - b) / 1e6 / n;
  printf "dump, mean of %d: ostrelda-dict dump %.1f ms, mdb-export %.1f ms, ratio %.1fx\n", n, ours, theirs, theirs / ours
}'
