// DLL commands: exports of shared libraries that the program calls as its own commands,
// bound on first call and kept bound until the end of the program.
#pragma once

#include <span>

#include "runtime/core/frame.h"

namespace rt {

void InitDllCommandTables(std::span<const DllCommandDeclaration> commands);

// The export's address, binding the command first if needed. A library that cannot be
// loaded and an export that is missing end the program with the same runtime error.
void* BindDllCommand(size_t index);

// Releases every library loaded for a command and clears the tables.
void ReleaseDllCommands();

// Calls command `index` with the signature its declaration promises. The signature is
// fixed at build time, so the argument layout cannot drift from the export's.
template <class Signature, class... Args>
auto CallDllCommand(size_t index, Args... args) {
  return reinterpret_cast<Signature*>(BindDllCommand(index))(args...);
}

}  // namespace rt
