#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/platform/platform.h"

namespace {

namespace fs = std::filesystem;

// A file in the temporary folder, gone with the benchmark.
class FileToReplace {
 public:
  explicit FileToReplace(const std::string& name) : path_(fs::temp_directory_path() / name) {}
  ~FileToReplace() { fs::remove(path_); }
  // The temporary folder's name is ASCII: the same text inside.
  std::string inside() const { return path_.string(); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// A sheet saved over the earlier one: a temporary file written, synced, renamed, and the
// folder synced. The waits for the disk dominate, so the time is the wall clock's.
void BM_ReplaceFileAtomically(benchmark::State& state) {
  const std::vector<uint8_t> content(static_cast<size_t>(state.range(0)), 'x');
  const FileToReplace file("capcalc-bench-replace.html");
  for (auto _ : state)
    benchmark::DoNotOptimize(rt::platform::ReplaceFileAtomically(file.inside(), content));
}
BENCHMARK(BM_ReplaceFileAtomically)
    ->Arg(20'000)
    ->Arg(500'000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The same bytes written in place, truncating, as the sheet was saved before: what the
// safety costs.
void BM_TruncateAndWrite(benchmark::State& state) {
  const std::string content(static_cast<size_t>(state.range(0)), 'x');
  const FileToReplace file("capcalc-bench-truncate.html");
  for (auto _ : state) {
    std::ofstream out(file.path(), std::ios::binary | std::ios::trunc);
    out << content;
  }
}
BENCHMARK(BM_TruncateAndWrite)
    ->Arg(20'000)
    ->Arg(500'000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
