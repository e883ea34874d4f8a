# Shared by bench/run and bench/compare: the workload list, checksum checks, building a workload
# into a Tarnwick application and installing missing tools. Sourced, never run on its own.
# shellcheck shell=bash

# A number as the systems print one; a D exponent is read as E.
bench_number='[-+]?([0-9]+(\.[0-9]*)?|\.[0-9]+)([eEdD][-+]?[0-9]+)?'

# Installs what is missing from Debian's packages (as root, or with sudo). Each argument is a
# command, or COMMAND=PACKAGE when the package has another name.
install_missing() { # COMMAND[=PACKAGE]...
  local missing=() item sudo=""
  for item in "$@"; do
    command -v "${item%%=*}" >/dev/null || missing+=("${item#*=}")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  { $sudo apt-get update && $sudo apt-get install -y --no-install-recommends "${missing[@]}"; } >&2
}

# Exits 2 unless every argument is a positive whole number.
require_positive() { # VALUE...
  local value
  for value in "$@"; do
    [[ "$value" =~ ^[1-9][0-9]*$ ]] || { echo "bench: not a positive number: $value" >&2; exit 2; }
  done
}

# Sets `tarnwick` to the full path of TARNWICK and `builder` to the tarnwick-build beside it;
# exits 2 when either is missing.
find_tarnwick() { # TARNWICK
  local tool
  tarnwick=$(realpath -m "$1")
  builder="$(dirname "$tarnwick")/tarnwick-build"
  for tool in "$tarnwick" "$builder"; do
    [ -x "$tool" ] || { echo "bench: $tool is missing: build Tarnwick first" >&2; exit 2; }
  done
}

# Builds SOURCE into the application APP; the builder's errors go to ERRORS.
build_app() { # SOURCE APP ERRORS
  "$builder" "$1" -o "$2" --runtime "$tarnwick" 2>"$3"
}

# startup always counts as selected: every other time includes it.
selected() { # NAME ONLY
  [ "$1" = startup ] || [ -z "$2" ] || [[ ",$2," == *",$1,"* ]]
}

# Appends to `names`, `sources` and `checksums` the workloads of DIR/workloads.txt selected by
# ONLY (a comma-separated list; empty selects all). Exits 2 on a line without a checksum.
read_workloads() { # DIR ONLY
  local name checksum
  [ -f "$1/workloads.txt" ] || { echo "bench: no $1/workloads.txt" >&2; exit 2; }
  while read -r name _ checksum _; do
    [[ -z "$name" || "$name" == \#* ]] && continue
    [[ "$checksum" =~ ^$bench_number$ ]] || { echo "bench: $name has no checksum" >&2; exit 2; }
    selected "$name" "$2" || continue
    names+=("$name"); sources+=("$1/$name.bas"); checksums+=("$checksum")
  done <"$1/workloads.txt"
}

# Exits 2 when ONLY names a workload that is not in `names`.
check_wanted() { # ONLY
  local wanted name
  IFS=, read -r -a wanted <<<"$1"
  for name in "${wanted[@]}"; do
    [[ " ${names[*]} " == *" $name "* ]] || { echo "bench: no workload $name" >&2; exit 2; }
  done
}

# The last number in the output, whatever surrounds it.
last_number() { LC_ALL=C grep -oE "$bench_number" | tail -n 1 | tr dD eE || true; }

same_number() {
  awk -v a="$1" -v b="$2" 'BEGIN { gsub(/[dD]/, "e", b); exit !(a + 0 == b + 0) }'
}

# Sets `printed` to the last number in FILE; fails unless it equals EXPECTED.
checksum_matches() { # FILE EXPECTED
  printed=$(last_number <"$1")
  [ -n "$printed" ] && same_number "$printed" "$2"
}

# A / B with two decimals, or - when either is not a number.
ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN {
    if (a ~ /^[0-9.]+$/ && b ~ /^[0-9.]+$/ && b > 0) printf "%.2f", a / b; else printf "-" }'
}
