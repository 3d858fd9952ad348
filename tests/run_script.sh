#!/bin/sh
# Runs a script through the headless driver and compares its output with the expected.
# Usage: run_script.sh DRIVER SCRIPT EXPECTED OUTPUT
"$1" "$2" > "$4" || exit 1
diff -u "$3" "$4"
