// capcalc-script --batch on a table of 1,000 banks, every page and variant in turn, from
// process start to exit: the sheets calculated, written as JSON and HTML, whole, on the
// disk, and the summary.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Row `i`'s page, variant and inputs after its name; the counts vary from row to row.
std::string BankFields(int i) {
  const std::string counts = std::to_string(2 + i % 15) + "," + std::to_string(1 + i % 4);
  const char8_t* const kVariants[] = {u8"无熔丝", u8"外熔丝", u8"内熔丝"};
  const std::string variant = Utf8(kVariants[(i / 5) % 3]);
  const std::string fuseless = (i / 5) % 3 == 0 ? "0.6" : "";
  const std::string internal = (i / 5) % 3 == 2 ? "12,6" : ",";
  const std::string factors = "," + fuseless + ",,," + internal;  // β, Kv, Klm, m, n
  switch (i % 5) {
    case 0:
      return Utf8(u8"开口三角,") + variant + ",11,11,0.1," + counts + factors + ",,,,,,,,,,,,";
    case 1:
      return Utf8(u8"电压差动,") + variant + ",11,11,0.1," + counts + factors + ",,,,,,,,,,,,";
    case 2: return Utf8(u8"中性线,") + variant + ",,,," + counts + factors + ",100,40,,,,,,,,,,";
    case 3: return Utf8(u8"桥差,") + variant + ",,,," + counts + factors + ",288.7,40,,,,,,,,,,";
    default:
      return Utf8(u8",,,,,,,,,,,,,,11,334,6,10.5,50,200,0.8,0.95,5000,") +
             (i % 2 ? Utf8(u8"角形接线") : Utf8(u8"星形接线"));
  }
}

// Into an empty folder, or (`replacing`) over the sheets of the run before.
void BM_Batch1000Banks(benchmark::State& state, bool replacing) {
  // Beside the build, on a disk as an engineer's, not in a memory file system.
  const fs::path folder = fs::current_path() / "capcalc-bench-batch";
  fs::remove_all(folder);
  fs::create_directories(folder / "out");
  {
    std::ofstream table(folder / "banks.csv", std::ios::binary);
    table << Utf8(
        u8"name,page,variant,Uψ,U1,U2,M,N,β,Kv,Klm,m,n,Iψ,CT,UN,QN,Kr,Usys,f,nCT,"
        u8"cosφ1,cosφ2,P,connection\n");
    for (int i = 0; i < 1000; ++i) {
      const std::string fields = BankFields(i);
      // Page 1's rows have no page in BankFields' pattern; give it here.
      table << "bank" << i << "," << (i % 5 == 4 ? Utf8(u8"电容器参数") + fields : fields) << "\n";
    }
  }
  const std::string command = std::string(CAPCALC_SCRIPT_PROGRAM) + " --batch '" +
                              (folder / "banks.csv").string() + "' '" + (folder / "out").string() +
                              "' 2>/dev/null";
  if (replacing && std::system(command.c_str()) != 0) state.SkipWithError("the batch failed");
  for (auto _ : state) {
    if (!replacing) {
      state.PauseTiming();
      fs::remove_all(folder / "out");
      fs::create_directory(folder / "out");
      state.ResumeTiming();
    }
    if (std::system(command.c_str()) != 0) state.SkipWithError("the batch failed");
  }
  fs::remove_all(folder);
}
BENCHMARK_CAPTURE(BM_Batch1000Banks, into_an_empty_folder, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_Batch1000Banks, over_the_earlier_sheets, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
