// formc: compiles the window description into the window template block and a header of
// the control ids.
//
//   formc --handlers calc/pages/handlers.def --root REPO --block OUT.tpl --header OUT.h
//         [--depfile OUT.d] DESCRIPTION.form
//
// Exits with 1 and a "file:line: message" on the first fault in the description.
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "forms/template.h"
#include "tools/formc/description.h"

namespace {

constexpr const char* kUsage =
    "usage: formc --handlers FILE --root DIR --block OUT --header OUT [--depfile OUT] "
    "DESCRIPTION\n";

struct Options {
  std::map<std::string, std::string> named;
  std::string description;
};

// Options without a description mean the command line was misused.
Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg.rfind("--", 0) == 0 && i + 1 < argc) {
      options.named[arg.substr(2)] = argv[++i];
    } else if (options.description.empty()) {
      options.description = arg;
    } else {
      return {};
    }
  }
  for (const char* required : {"handlers", "root", "block", "header"})
    if (!options.named.count(required)) return {};
  return options;
}

formc::SourceFile ReadSource(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw formc::Error(path + ": cannot open");
  std::ostringstream text;
  text << in.rdbuf();
  return {path, text.str()};
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw formc::Error(path + ": cannot write");
}

std::string DepfilePath(std::string path) {
  for (size_t at = 0; (at = path.find(' ', at)) != std::string::npos; at += 2)
    path.insert(at, "\\");
  return path;
}

// Make-style dependencies, so that the build redoes the block when a named picture changes.
std::string Depfile(const Options& options, const formc::Compiled& compiled) {
  std::string rule = DepfilePath(options.named.at("block")) + ":";
  rule += " " + DepfilePath(options.description);
  rule += " " + DepfilePath(options.named.at("handlers"));
  for (const std::string& file : compiled.files_read) rule += " " + DepfilePath(file);
  return rule + "\n";
}

void Run(const Options& options) {
  const auto handlers = formc::ReadHandlerNames(ReadSource(options.named.at("handlers")));
  const auto compiled =
      formc::Compile(ReadSource(options.description), handlers, options.named.at("root"));
  const auto block = forms::SerializeTemplate(compiled.tmpl);
  WriteFile(options.named.at("block"), std::string(block.begin(), block.end()));
  WriteFile(options.named.at("header"), compiled.ids_header);
  if (options.named.count("depfile"))
    WriteFile(options.named.at("depfile"), Depfile(options, compiled));
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  if (options.description.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    Run(options);
  } catch (const std::exception& e) {
    std::cerr << "formc: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
