// Base64 (RFC 4648, with padding), for files embedded in a page as data URLs.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace calc {

std::string Base64(std::span<const uint8_t> bytes);

}  // namespace calc
