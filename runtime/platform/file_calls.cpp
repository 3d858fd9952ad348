#include "runtime/platform/file_calls.h"

#include <utility>

#include "runtime/platform/file_calls_for_tests.h"

namespace rt::platform {
namespace {

const FileCalls* g_replacement = nullptr;

}  // namespace

const FileCalls& Calls() { return g_replacement ? *g_replacement : SystemFileCalls(); }

ReplacedFileCalls::ReplacedFileCalls(const FileCalls& calls)
    : previous_(std::exchange(g_replacement, &calls)) {}

ReplacedFileCalls::~ReplacedFileCalls() { g_replacement = previous_; }

}  // namespace rt::platform
