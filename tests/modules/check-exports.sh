#!/usr/bin/env bash
# The export tables of the processing modules name exactly their entry points, and the
# modules need no DLL beyond the system's own and the C++ runtime shipped beside the program.
#
#   check-exports.sh <objdump> <system folder>
set -u
objdump=$1
system=$2
failed=0
check() {
  local dll=$1 expected=$2 names imports
  names=$("$objdump" -p "$system/$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          sed -n 's/^[[:space:]]*\[ *[0-9]*\] \(.*\)$/\1/p' | sort | tr '\n' ' ')
  imports=$("$objdump" -p "$system/$dll" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' |
            grep -v -E '^(libgcc_s_[a-z0-9]+-1|libstdc\+\+-6|libwinpthread-1)\.dll$' | sort | tr '\n' ' ')
  if [ "$names" = "$expected " ] && [ "$imports" = "kernel32.dll msvcrt.dll " ]; then
    echo "$dll: $names(imports: $imports) ok"
  else
    echo "$dll: FAIL: exports '$names' (want '$expected'), imports '$imports'"
    failed=1
  fi
}
check Pelrin.dll "_TCProcessResampling"
check Dastrel.dll "_TCExpectedSize _TCProcess"
check filter.dll "_StartFilter"
exit $failed
