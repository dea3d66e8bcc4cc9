#!/usr/bin/env bash
# Checks the include structure: the core never includes the GUI, the programs or Qt; a core
# folder includes only itself and the folders below it; the value panel library uses Qt GUI
# alone. Prints every include that breaks a rule and exits 1 if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(text archive formulas colorings picture deep render files exchange scenes)
rank() {
  local i
  for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
  echo -1
}

bad=0
report() { echo "$1: $2"; bad=$((bad + 1)); }

while IFS= read -r file; do
  folder=${file#src/core/}; folder=${folder%%/*}
  own=$(rank "$folder")
  [ "$own" -ge 0 ] || report "$file" "is in no known core folder"
  while IFS= read -r inc; do
    case $inc in
      '"core/'*)
        target=${inc#\"core/}; target=${target%%/*}
        [ "$(rank "$target")" -le "$own" ] || report "$file" "includes $inc, a higher layer" ;;
      '"'*) report "$file" "includes $inc, outside the core" ;;
      '<Q'*|'<q'*) report "$file" "includes Qt ($inc)" ;;
    esac
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\([<"][^>"]*[>"]\).*/\1/p' "$file")
done < <(find src/core -name '*.h' -o -name '*.cpp' | sort)

while IFS= read -r file; do
  while IFS= read -r inc; do
    case $inc in
      '"core/'*|'"gui/overlay/'*|'<QtGui/'*|'<QFont'*|'<QFontMetrics>'|'<QImage>'|'<QPainter>'|'<QColor>'|'<QString>'|'<QRect>') ;;
      '"'*|'<Q'*) report "$file" "includes $inc: the value panel uses the core and Qt GUI alone" ;;
    esac
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\([<"][^>"]*[>"]\).*/\1/p' "$file")
done < <(find src/gui/overlay -name '*.h' -o -name '*.cpp' | sort)

echo "$bad include(s) against the layers"
[ "$bad" -eq 0 ]
