#!/usr/bin/env bash
# The layers of the program point one way only: a file may include headers
# of its own layer and of the layers below it, never of one above. Prints
# every include that points up and exits non-zero when there is one.
#
#   0 foundation        1 widgets           2 engine/display
#   3 engine/sentinels  4 engine/net        5 engine/kernel
#   6 engine/ui         7 the programs: launcher, extras, engine/kernel/motor32.cpp
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

layers=(foundation widgets engine/display engine/sentinels engine/net engine/kernel engine/ui)

rank_of() {  # rank_of <path>
  case $1 in
    launcher/*|extras/*|engine/kernel/motor32.cpp) echo 7; return ;;
  esac
  local i
  for i in "${!layers[@]}"; do
    case $1 in "${layers[$i]}"/*) echo "$i"; return ;; esac
  done
  echo -1
}

declare -A header_rank header_path
for layer in "${layers[@]}" launcher extras; do
  [ -d "$layer" ] || continue
  while IFS= read -r header; do
    name=${header##*/}
    if [ -n "${header_path[$name]:-}" ]; then
      echo "two headers named $name: ${header_path[$name]} and $header"
      exit 1
    fi
    header_path[$name]=$header
    header_rank[$name]=$(rank_of "$header")
  done < <(find "$layer" -name '*.h' | sort)
done

status=0
for layer in "${layers[@]}" launcher extras; do
  [ -d "$layer" ] || continue
  while IFS= read -r file; do
    rank=$(rank_of "$file")
    while IFS=: read -r line text; do
      name=${text#*\"}
      name=${name%%\"*}
      name=${name##*/}
      target=${header_rank[$name]:-}
      [ -n "$target" ] || continue
      if [ "$target" -gt "$rank" ]; then
        echo "$file:$line includes ${header_path[$name]}, a layer above it"
        status=1
      fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file")
  done < <(find "$layer" \( -name '*.h' -o -name '*.cpp' \) | sort)
done
[ "$status" -eq 0 ] && echo "layers: every include points down"
exit "$status"
