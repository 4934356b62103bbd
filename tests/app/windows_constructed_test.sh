#!/usr/bin/env bash
# Every window class of the program is made somewhere in the program itself, so no window is
# reachable only from a test. Window classes: those derived from QWidget, QDialog or the two
# window bases; a class with a pure virtual function is a base, not a window.
set -euo pipefail
top=${1:?source folder}
cd "$top"
folders=(app bar core library panel playback tools)
missing=0
checked=0
while IFS=: read -r header class; do
  if grep -q '= 0;' <(sed -n "/^class $class\b/,/^};/p" "$header"); then continue; fi
  checked=$((checked + 1))
  if ! grep -rqE "(make_unique<$class>|new $class\(|\b$class [a-z]\w*[({])" \
      --include='*.cpp' --include='*.h' "${folders[@]}"; then
    echo "window class $class ($header) is never made outside tests/"
    missing=1
  fi
done < <(grep -rHoP '^class \K\w+(?= : public (QWidget|QDialog|ToolWindow|FolderPicker)\b)' \
  --include='*.h' "${folders[@]}")
if [ "$checked" -lt 8 ]; then
  echo "only $checked window classes found: the search for them is broken"
  exit 1
fi
exit $missing
