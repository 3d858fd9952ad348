#include "calc/program.h"

#include <cfenv>

#include "calc/handlers.h"
#include "calc/main_window.h"
#include "forms/main_window_template.h"
#include "skin/skin_data.h"

namespace calc {
namespace {

constexpr rt::Handler kHandlers[] = {
#define HANDLER(name) &name,
#include "calc/handlers.def"
#undef HANDLER
};

constexpr rt::DllCommandDeclaration kDllCommands[] = {
    {"SkinEngine.so", "SkinEngine_SetAero"},
    {"SkinEngine.so", "SkinEngine_AttachRes"},
};

// Nothing needs setting up before the program starts, nor tidying when it ends; the
// runtime still calls both at their moments.
void InitialiseGlobals() {}
void CleanUp() {}
int StartSubroutine() { return 0; }

// Round to nearest and every floating-point exception masked: a division by zero or an
// invalid operation gives an infinity or not-a-number that flows into the results.
void ResetFloatingPoint() {
  std::fesetround(FE_TONEAREST);
  fedisableexcept(FE_ALL_EXCEPT);
  std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace

const rt::ProgramDescription& Program() {
  static const rt::ConstantRange kConstants[] = {
      {forms::MainWindowTemplate().data(), forms::MainWindowTemplate().size()},
      {skin::SkinEngineImage().data(), skin::SkinEngineImage().size()},
      {skin::AllEmbeddedSkins().data(), skin::AllEmbeddedSkins().size()},
  };
  static const rt::ProgramDescription kProgram = {kHandlers, kConstants, forms::MainWindowTemplate(),
                                                   kDllCommands, "capcalc"};
  return kProgram;
}

void StartProgram(rt::DisplayMode mode) {
  rt::InitRuntime(Program(), mode);
  ResetFloatingPoint();
  InitialiseGlobals();
  rt::SetEndRoutine(CleanUp);
  StartSubroutine();
  rt::LoadStartWindow(kMainWindowId);
}

}  // namespace calc
