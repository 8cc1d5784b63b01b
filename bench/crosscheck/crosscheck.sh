#!/usr/bin/env bash
# Independent instruction counts for the benchmark's limits.
#
#   crosscheck.sh PROGRAM DOCS_DIR
#
# DOCS_DIR holds one folder per case with its documents (*.xml, *.bin for a binary record, *.bmp
# for artwork) and a file `kind`: rotation, rewrite or binary. Prints per case, sorted by name:
#   <case> <load Ir> <save Ir> <Ir of the save's reading of the local time and naming by it>
# where each count is the sum over the case's files of PROGRAM's measured region under callgrind.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 PROGRAM DOCS_DIR" >&2
  exit 2
fi
program=$(readlink -f "$1")
docs=$(readlink -f "$2")
[ -x "$program" ] || { echo "$0: $1 is not an executable" >&2; exit 2; }
[ -d "$docs" ] || { echo "$0: $2 is not a folder" >&2; exit 2; }
command -v valgrind >/dev/null || { echo "$0: valgrind is not installed" >&2; exit 2; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/crosscheck.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# One job per line: <case> <load|save> <op> <file>. Names with blanks would break the split.
jobs="$scratch/jobs"
: > "$jobs"
for dir in "$docs"/*/; do
  dir=${dir%/}
  case_name=$(basename "$dir")
  [ -f "$dir/kind" ] || { echo "$0: $dir has no kind file" >&2; exit 2; }
  kind=$(tr -d '[:space:]' < "$dir/kind")
  case "$kind" in
    rotation) xml_save=save-xml ;;
    rewrite) xml_save=rewrite-xml ;;
    binary) xml_save=save-xml ;;
    *) echo "$0: $dir/kind: unknown kind '$kind'" >&2; exit 2 ;;
  esac
  found=0
  for f in "$dir"/*.xml "$dir"/*.bin "$dir"/*.bmp; do
    [ -f "$f" ] || continue
    case "$f" in *[[:space:]]*) echo "$0: blank in file name: $f" >&2; exit 2 ;; esac
    found=1
    case "$f" in
      *.xml) echo "$case_name load load-xml $f"; echo "$case_name save $xml_save $f" ;;
      *.bin) echo "$case_name load load-bin $f"; echo "$case_name save save-bin $f" ;;
      *.bmp) echo "$case_name load load-bmp $f"; echo "$case_name save save-bmp $f" ;;
    esac >> "$jobs"
  done
  [ "$found" = 1 ] || { echo "$0: $dir holds no documents" >&2; exit 2; }
done

# Runs one job under callgrind and appends "<case> <load|save> <Ir>" to a result file of its own.
run_one() {
  local case_name=$1 side=$2 op=$3 file=$4
  local out work
  out=$(mktemp "$scratch/out.XXXXXX")
  work=$(mktemp -d "$scratch/work.XXXXXX")
  local args=("$op" "$file")
  case "$op" in save-*|rewrite-*) args+=("$work/folder") ;; esac
  if ! LD_BIND_NOW=1 valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out.cg" \
       "$program" "${args[@]}" > "$out.log" 2>&1; then
    echo "crosscheck: $op $file failed:" >&2
    cat "$out.log" >&2
    return 1
  fi
  local ir clock=0
  ir=$(awk '$1 == "totals:" { print $2 }' "$out.cg")
  [ -n "$ir" ] || { echo "crosscheck: no totals for $op $file" >&2; return 1; }
  # What reading the local time and formatting the name cost, counted apart: the benchmark's limits
  # read the time through the host's clock instead.
  if [ "$side" = save ]; then
    clock=$(callgrind_annotate --inclusive=yes --threshold=100 "$out.cg" 2>/dev/null |
      awk '/:(localtime_r|time) |formatStamp\(/ { gsub(",", "", $1); sum += $1 } END { print sum + 0 }')
  fi
  echo "$case_name $side $ir $clock" > "$out.result"
  rm -rf "$work" "$out.cg" "$out.log"
}
export -f run_one
export program scratch

if ! xargs -P 2 -L 1 bash -c 'run_one "$@"' _ < "$jobs"; then
  echo "$0: some runs failed" >&2
  exit 1
fi

cat "$scratch"/out.*.result | awk '
  { if (!($1 in seen)) { seen[$1] = 1; load[$1] = 0; save[$1] = 0; clock[$1] = 0 }
    if ($2 == "load") load[$1] += $3; else { save[$1] += $3; clock[$1] += $4 } }
  END { for (c in seen) print c, load[c], save[c], clock[c] }' | sort
