#!/bin/bash
# The layers as the build must keep them: the platform uses nothing above it, the core no
# toolkit and no user-interface layer, and only the platform's system folders ask the
# operating system for its services; the calculator's model and its sheet use neither the
# toolkit nor the window (the pages, the control access, the sheet windows). The archives
# are checked as well as the sources: a toolkit symbol that reached the core or the model
# by any way fails too.
# Usage: check_layers.sh SOURCE_DIR PLATFORM_ARCHIVE CORE_ARCHIVE MODEL_ARCHIVE SHEET_ARCHIVE
set -uo pipefail
source_dir=$1 platform_archive=$2 core_archive=$3 model_archive=$4 sheet_archive=$5
failures=0
failed() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
cd "$source_dir"

# Files under the folders given that include what the pattern matches.
including() {  # pattern folder...
  local pattern=$1; shift
  grep -rlE --include='*.cpp' --include='*.h' "^#include [<\"]($pattern)" "$@"
}

found=$(including 'FL/|X11/|runtime/ui/' runtime/core runtime/platform)
[ -z "$found" ] || failed "the core or the platform includes the toolkit or the user-interface layer: $found"
found=$(including 'runtime/core/|runtime/ui/' runtime/platform)
[ -z "$found" ] || failed "the platform includes a layer above it: $found"
system_headers='dlfcn\.h|iconv\.h|dirent\.h|sys/file\.h|sys/stat\.h|fcntl\.h|unistd\.h|cfenv|fenv\.h|link\.h|limits\.h'
system_headers+='|windows\.h|shellapi\.h|io\.h|float\.h|runtime/platform/(posix|win32)/'
found=$(including "$system_headers" runtime calc forms tools/capcalc-script tools/formc |
        grep -vE '^runtime/platform/(posix|win32)/')
[ -z "$found" ] || failed "the system's services are called outside the platform layer: $found"

found=$(including 'FL/|X11/|runtime/ui/|runtime/core/property_access\.h|runtime/core/loaded_windows\.h|calc/pages/|calc/sheet_window/' calc/model calc/sheet)
[ -z "$found" ] || failed "the model or the sheet includes the toolkit, the window or the pages: $found"
found=$(including 'calc/sheet/' calc/model)
[ -z "$found" ] || failed "the model includes the sheet above it: $found"

toolkit_symbols=$(nm -uC "$platform_archive" "$core_archive" | grep -E 'Fl_|fl_|\bX[A-Z][a-z]')
[ -z "$toolkit_symbols" ] || failed "the core or the platform refers to the toolkit: $toolkit_symbols"
window_symbols=$(nm -uC "$model_archive" "$sheet_archive" | grep -E 'Fl_|fl_|\bX[A-Z][a-z]|rt::GetProperty|rt::SetProperty|calc::ReadText')
[ -z "$window_symbols" ] || failed "the model or the sheet refers to the toolkit or the window: $window_symbols"
[ $failures -eq 0 ]
