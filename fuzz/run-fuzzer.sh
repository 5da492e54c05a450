#!/bin/bash
# Runs one fuzzer for a bounded number of runs, starting from its seed corpus.
#   run-fuzzer.sh FUZZER SEED_DIR WORK_DIR RUNS SECONDS [MORE_SEED_DIRS...]
# New inputs go to WORK_DIR, never into the repository; a finding is written
# to WORK_DIR/findings and fails the run. Copy it into the seed corpus as a
# regression case once it is fixed.
set -euo pipefail
fuzzer="$1"; seeds="$2"; work="$3"; runs="$4"; seconds="$5"; shift 5
# Further seed folders (real documents kept outside the repository) are read,
# never written; a missing one is left out.
more=()
for dir in "$@"; do [ -d "$dir" ] && more+=("$dir"); done
rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings" "$seeds"
options=()
[ -f "$seeds/../$(basename "$seeds").options" ] && read -r -a options < "$seeds/../$(basename "$seeds").options"
exec "$fuzzer" -seed=1 -runs="$runs" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$work/findings/" "${options[@]}" "$work/corpus" "$seeds" "${more[@]}"
