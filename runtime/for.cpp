#include "runtime/for.h"

void THIFor::doFor(TData& data, uint16_t) {
  if (!TakeIncoming) SetNull(data);
  Counter = ReadInteger(data, StartPoint, Start);
  int64_t limit = ReadInteger(data, EndPoint, End);
  // 64-bit arithmetic so that a loop up to the largest integer still ends.
  int64_t c = Counter;
  if (Step > 0) {
    if (!IncludeEnd) --limit;
    while (c <= limit) {
      FireInteger(onEvent, static_cast<int32_t>(c));
      c = static_cast<int64_t>(Counter) + Step;
      Counter = static_cast<int32_t>(c);
    }
  } else if (Step < 0) {
    if (!IncludeEnd) ++limit;
    while (c >= limit) {
      FireInteger(onEvent, static_cast<int32_t>(c));
      c = static_cast<int64_t>(Counter) + Step;
      Counter = static_cast<int32_t>(c);
    }
  }
  RedirectInteger(data, onStop, Counter);
}
