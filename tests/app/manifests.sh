#!/bin/sh
# The program asks for the highest rights the user has and draws at the
# system's DPI; the console tool runs as it is started, so that a script or a
# console is never interrupted by an elevation prompt.
#   manifests.sh VELMORA VELMORA-DUMP
status=0
check() {
    grep -q -a "$2" "$1" || { echo "$1 lacks $2"; status=1; }
}
check "$1" 'requestedExecutionLevel level="highestAvailable"'
check "$1" '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true'
check "$2" 'requestedExecutionLevel level="asInvoker"'
exit $status
