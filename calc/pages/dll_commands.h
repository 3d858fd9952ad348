// The program's DLL commands: exports of the skin engine library it carries, declared
// once in dll_commands.def. The program description's table is made from that list, so
// each index below is the index of its command there.
#pragma once

#include <cstddef>

namespace calc {

// The skin engine library's file name, beside the program: the name the build gives it.
inline constexpr char kSkinEngineFile[] = CAPCALC_SKIN_ENGINE_FILE_NAME;

enum DllCommand : size_t {
#define DLL_COMMAND(index, export_name) index,
#include "calc/pages/dll_commands.def"
#undef DLL_COMMAND
};

}  // namespace calc
