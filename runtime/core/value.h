// The typed value record in which every runtime command argument and result travels,
// and the command-call protocol shared by the conversions, the file commands and the
// control methods.
#pragma once

#include <cstdint>
#include <cstring>

namespace rt {

// Type words of the value kinds.
enum Kind : uint32_t {
  kOmitted = 0,  // an optional argument left out: all three words 0
  kByte = 0x80000101,
  kShort = 0x80000201,
  kInt = 0x80000301,
  kLong = 0x80000401,
  kFloat = 0x80000501,
  kDouble = 0x80000601,
  kBool = 0x80000002,
  kDateTime = 0x80000003,
  kText = 0x80000004,
  kBytes = 0x80000005,
  kSubPtr = 0x80000006,
};

// Set in a type word to mark an array of the kind in the remaining bits.
constexpr uint32_t kArrayBit = 0x20000000;

// Three 32-bit words. On this 64-bit platform an address does not fit one word, so
// addresses (texts, byte arrays) are carried across data low and data high; 32-bit
// kinds leave data high at 0.
struct Value {
  uint32_t lo = 0;
  uint32_t hi = 0;
  uint32_t type = 0;
};

inline uint64_t Wide(const Value& v) { return (uint64_t{v.hi} << 32) | v.lo; }

inline void SetWide(Value* v, uint64_t bits) {
  v->lo = static_cast<uint32_t>(bits);
  v->hi = static_cast<uint32_t>(bits >> 32);
}

inline void* AddressOf(const Value& v) {
  return reinterpret_cast<void*>(static_cast<uintptr_t>(Wide(v)));
}

inline void SetAddress(Value* v, const void* p) {
  SetWide(v, static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)));
}

inline Value MakeInt(int32_t i) { return {static_cast<uint32_t>(i), 0, kInt}; }
inline Value MakeBool(bool b) { return {b ? 1u : 0u, 0, kBool}; }

inline Value MakeFloat(float f) {
  Value v{0, 0, kFloat};
  std::memcpy(&v.lo, &f, sizeof f);
  return v;
}

inline Value MakeDouble(double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof d);
  Value v{0, 0, kDouble};
  SetWide(&v, bits);
  return v;
}

inline Value MakeLong(int64_t i) {
  Value v{0, 0, kLong};
  SetWide(&v, static_cast<uint64_t>(i));
  return v;
}

inline Value MakeText(const char* text) {
  Value v{0, 0, kText};
  SetAddress(&v, text);
  return v;
}

// `block` is a byte-array block (see bytes.h) or null.
inline Value MakeBytes(const void* block) {
  Value v{0, 0, kBytes};
  SetAddress(&v, block);
  return v;
}

inline int32_t IntOf(const Value& v) { return static_cast<int32_t>(v.lo); }

inline float FloatOf(const Value& v) {
  float f;
  std::memcpy(&f, &v.lo, sizeof f);
  return f;
}

inline double DoubleOf(const Value& v) {
  uint64_t bits = Wide(v);
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

inline const char* TextOf(const Value& v) { return static_cast<const char*>(AddressOf(v)); }

// A runtime command fills `result` from `argc` consecutive argument records. Commands do
// not check the argument count; each reads the arguments it declares.
using Command = void (*)(Value* result, int argc, const Value* args);

// Zeroes the result record, calls the command and hands the record back.
Value CallCommand(Command command, int argc, const Value* args);

}  // namespace rt
