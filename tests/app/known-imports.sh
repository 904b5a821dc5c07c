#!/bin/sh
# Every library a program imports must be a known DLL, one that the system
# always loads from its own directory: any other is looked for beside the
# program first, before the program's first line could restrict the search.
#   known-imports.sh OBJDUMP PROGRAM...
objdump=$1
shift
known='advapi32|clbcatq|combase|comdlg32|coml2|difxapi|gdi32|gdiplus|imagehlp|imm32|kernel32'
known="$known|msctf|msvcrt|normaliz|nsi|ole32|oleaut32|psapi|rpcrt4|sechost|setupapi|shcore"
known="$known|shell32|shlwapi|user32|wldap32|ws2_32"
status=0
for program in "$@"; do
    imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
    [ -n "$imports" ] || { echo "$program: no imports read"; status=1; }
    for library in $imports; do
        if ! printf '%s\n' "$library" | grep -qxE "($known)\.dll"; then
            echo "$program imports $library, which is no known DLL"
            status=1
        fi
    done
done
exit $status
