#include "calc/pages/program.h"

#include "calc/pages/calculator_state.h"
#include "calc/pages/dll_commands.h"
#include "calc/pages/handlers.h"
#include "calc/pages/main_window.h"
#include "forms/main_window_template.h"
#include "runtime/platform/platform.h"
#include "runtime/ui/loop/toolkit_interface.h"
#include "skin/skin_data.h"

namespace calc {
namespace {

constexpr rt::Handler kHandlers[] = {
#define HANDLER(name) &name,
#include "calc/pages/handlers.def"
#undef HANDLER
};

constexpr rt::DllCommandDeclaration kDllCommands[] = {
#define DLL_COMMAND(index, export_name) {kSkinEngineFile, export_name},
#include "calc/pages/dll_commands.def"
#undef DLL_COMMAND
};

// The calculator's state is made before the program starts and goes at its end.
void InitialiseGlobals() { MakeCalculatorState(); }
void CleanUp() { rt::SetProgramState(nullptr); }
int StartSubroutine() { return 0; }

}  // namespace

const rt::ProgramDescription& Program() {
  static const rt::ConstantRange kConstants[] = {
      {forms::MainWindowTemplate().data(), forms::MainWindowTemplate().size()},
      {skin::SkinEngineImage().data(), skin::SkinEngineImage().size()},
      {skin::AllEmbeddedSkins().data(), skin::AllEmbeddedSkins().size()},
  };
  static const rt::ProgramDescription kProgram = {
      kHandlers, kConstants, forms::MainWindowTemplate(), kDllCommands, "capcalc"};
  return kProgram;
}

void StartProgram(rt::DisplayMode mode) {
  rt::InitRuntime(Program(), rt::ToolkitInterface(mode));
  // Divisions by zero and invalid operations give infinities and not-a-numbers that flow
  // into the results.
  rt::platform::SetFloatingPointEnvironment();
  InitialiseGlobals();
  rt::SetEndRoutine(CleanUp);
  StartSubroutine();
  rt::LoadStartWindow(kMainWindowId);
}

}  // namespace calc
