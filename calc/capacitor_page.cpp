// The capacitor parameter page: rated current, in-delta current, reactances, output and
// operating current at the system voltage, tuning frequency, compensation need and four
// protection settings, from the page's inputs.
#include "calc/click_record.h"
#include "calc/control_io.h"
#include "calc/handlers.h"
#include "calc/main_window.h"

namespace calc {
namespace {

constexpr int32_t kStar = 0;
constexpr int32_t kDelta = 1;

// The page's working values. Their widths decide the digits shown: typed numbers and the
// rated current are held in single precision, the frequency and the CT ratio as 32-bit
// integers; every formula is evaluated in double precision on these stored values.
float UN, QN, Kr, Usys, cosPhi1, cosPhi2, P, IN;
int32_t f, nCT;

int32_t Connection() { return ReadSelection(组合框_接线方式); }

double Root3() { return SquareRoot(3.0); }

void ReadInputs() {
  UN = ReadNumber(编辑框_电容电压);
  QN = ReadNumber(编辑框_电容容量);
  Kr = ReadNumber(编辑框_电抗率);
  Usys = ReadNumber(编辑框_系统电压);
  f = ReadInteger(编辑框_频率);
  nCT = ReadInteger(编辑框_CT变比);
  cosPhi1 = ReadNumber(编辑框_COS1);
  cosPhi2 = ReadNumber(编辑框_COS2);
  P = ReadNumber(编辑框_P);
}

void RatedCurrent() {
  double rated = Connection() == kStar ? (double{QN} / UN) / 3 : (double{QN} / UN) / Root3();
  WriteNumber(编辑框_电容电流, rated);
  IN = RoundToSingle(rated);
}

void InDeltaCurrent() {
  if (Connection() == kDelta) {
    WriteNumber(编辑框_电容电流1, IN / Root3());
  } else {
    WriteText(编辑框_电容电流1, "");
  }
}

double ReactanceBase() { return (double{UN} * UN) / (double{QN} / 3); }

void Reactances() {
  WriteNumber(编辑框_XC, ReactanceBase() * 1000);
  WriteNumber(编辑框_XL, ((ReactanceBase() * Kr) * 1000) / 100);
}

void OutputAtSystemVoltage() {
  double r = 1 - (double{Kr} / 100);
  double output = Connection() == kStar
                      ? (((((double{QN} * Usys) / Root3()) * Usys) / Root3()) / (double{UN} * UN)) / r
                      : (((double{QN} * Usys) * Usys) / (double{UN} * UN)) / r;
  WriteNumber(编辑框_电容输出, output);
}

// From the output as shown (13 digits), read back in single precision.
void OperatingCurrent() {
  float shown_output = ReadNumber(编辑框_电容输出);
  WriteNumber(编辑框_电容电流2, (double{shown_output} / Usys) / Root3());
}

void TuningFrequency() { WriteNumber(编辑框_调谐频率, f * SquareRoot((1 / double{Kr}) * 100)); }

double Tangent(float cosPhi) { return SquareRoot(1 - double{cosPhi} * cosPhi) / cosPhi; }

void CompensationNeeded() { WriteNumber(编辑框_补偿容量, P * (Tangent(cosPhi1) - Tangent(cosPhi2))); }

void ProtectionSettings() {
  double secondary = double{IN} / nCT;
  WriteNumber(编辑框_电容电流6, secondary * 3);
  WriteNumber(编辑框_电容电流7, secondary * 1.5);
  WriteNumber(编辑框_电容电流8, (secondary * Root3()) * 3);
  WriteNumber(编辑框_电容电流9, (secondary * Root3()) * 1.5);
}

}  // namespace

rt::HandlerResult OnCapacitorParametersClicked(const rt::EventArgs&) {
  ClickRecording recording;
  ReadInputs();
  RatedCurrent();
  InDeltaCurrent();
  Reactances();
  OutputAtSystemVoltage();
  OperatingCurrent();
  TuningFrequency();
  CompensationNeeded();
  ProtectionSettings();
  return std::nullopt;
}

}  // namespace calc
