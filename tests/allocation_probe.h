// Measures the largest single heap allocation made while a piece of code runs, so that tests
// can show that a parser never allocates from a count it has not checked.
#pragma once

#include <cstddef>
#include <functional>

namespace testing_support {

size_t LargestAllocationDuring(const std::function<void()>& run);

}  // namespace testing_support
