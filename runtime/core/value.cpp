#include "runtime/core/value.h"

namespace rt {

Value CallCommand(Command command, int argc, const Value* args) {
  Value result{};
  command(&result, argc, args);
  return result;
}

}  // namespace rt
