#include "runtime/event.h"

namespace {

void DoNothing(const THI_Event&, TData&) {}

}  // namespace

TDispatcher EventDispatcher = &DoNothing;
TDispatcher PointDispatcher = &DoNothing;

void InstallDispatchers() {
  EventDispatcher = &FireEventLoop;
  PointDispatcher = &CallPointOnce;
}

void ResetDispatchers() {
  EventDispatcher = &DoNothing;
  PointDispatcher = &DoNothing;
}

bool DispatchersInstalled() {
  return EventDispatcher == &FireEventLoop;
}

void FireEventLoop(const THI_Event& e, TData& data) {
  const THI_Event* ev = &e;
  while (ev && ev->Handler) {
    ev->Handler(ev->Target, data, ev->Index);
    if (!(data.Kind & RedirectFlag)) break;
    data.Kind = static_cast<uint8_t>(data.Kind & ~RedirectFlag);
    ev = data.RedirectTo;
  }
  // A redirect towards an unlinked event ends here with the flag cleared.
  data.Kind = static_cast<uint8_t>(data.Kind & ~RedirectFlag);
}

void CallPointOnce(const THI_Event& e, TData& data) {
  if (e.Handler) e.Handler(e.Target, data, e.Index);
}

// ---- firing ----

void FireNull(const THI_Event& e) {
  if (!e.Handler) return;
  TData d;
  FireEvent(e, d);
}

void FireInteger(const THI_Event& e, int32_t v) {
  if (!e.Handler) return;
  TData d;
  SetInteger(d, v);
  FireEvent(e, d);
}

void FireString(const THI_Event& e, std::string_view v) {
  if (!e.Handler) return;
  TData d;
  SetString(d, v);
  FireEvent(e, d);
}

void FireReal(const THI_Event& e, double v) {
  if (!e.Handler) return;
  TData d;
  SetReal(d, v);
  FireEvent(e, d);
}

void FireData(const THI_Event& e, const TData& v) {
  if (!e.Handler) return;
  TData d = v;
  d.Kind = static_cast<uint8_t>(d.Kind & ~RedirectFlag);
  d.RedirectTo = nullptr;
  FireEvent(e, d);
}

void FireFont(const THI_Event& e, void* font) {
  if (!e.Handler) return;
  TData d;
  SetFont(d, font);
  FireEvent(e, d);
}

// ---- redirects ----

void RedirectInteger(TData& data, const THI_Event& e, int32_t v) {
  data.Kind = data_int | RedirectFlag;
  data.IntValue = v;
  data.Next = nullptr;
  data.RedirectTo = &e;
}

void RedirectString(TData& data, const THI_Event& e, std::string_view v) {
  data.StrValue.assign(v.data(), v.size());
  data.Kind = data_str | RedirectFlag;
  data.Next = nullptr;
  data.RedirectTo = &e;
}

void RedirectData(TData& data, const THI_Event& e, const TData& v) {
  if (&data != &v) data = v;
  data.Kind = static_cast<uint8_t>((data.Kind & ~RedirectFlag) | RedirectFlag);
  data.RedirectTo = &e;
}

// ---- reading ----

namespace {

// Asks a linked point; true when it answered something other than Break.
bool AskPoint(const THI_Event& point, TData& answer) {
  if (!point.Handler) return false;
  SetNull(answer);
  CallPoint(point, answer);
  return answer.Kind != data_break;
}

}  // namespace

void PopValue(TData& d);

int32_t ReadInteger(TData& data, const THI_Event& point, int32_t def) {
  TData answer;
  if (AskPoint(point, answer)) return ToInteger(answer);
  if (def == 0 && data.Kind != data_null) {
    int32_t r = ToInteger(data);
    PopValue(data);
    return r;
  }
  return def;
}

std::string ReadString(TData& data, const THI_Event& point, std::string_view def) {
  TData answer;
  if (AskPoint(point, answer)) return ToString(answer);
  if (def.empty() && data.Kind != data_null) {
    std::string r = ToString(data);
    PopValue(data);
    return r;
  }
  return std::string(def);
}

double ReadReal(TData& data, const THI_Event& point, double def) {
  TData answer;
  if (AskPoint(point, answer)) return ToReal(answer);
  if (def == 0.0 && data.Kind != data_null) {
    double r = ToReal(data);
    PopValue(data);
    return r;
  }
  return def;
}

TData ReadData(TData& data, const THI_Event& point, const TData* def) {
  TData answer;
  if (AskPoint(point, answer)) return answer;
  if (!def || def->Kind == data_null) {
    TData r = data;
    r.RedirectTo = nullptr;
    SetNull(data);
    return r;
  }
  TData r = *def;
  r.RedirectTo = nullptr;
  return r;
}

TData ReadValue(TData& data, const THI_Event& point, const TData* def) {
  TData answer;
  if (AskPoint(point, answer)) {
    answer.Next = nullptr;
    return answer;
  }
  if (!def || def->Kind == data_null) {
    TData r;
    CopyValue(r, data);
    if (data.Kind == data_null) data.Next = nullptr;
    PopValue(data);
    return r;
  }
  TData r;
  CopyValue(r, *def);
  return r;
}

void* ReadArray(const THI_Event& point) {
  if (!point.Handler) return nullptr;
  TData answer;
  CallPoint(point, answer);
  return answer.Kind == data_array ? answer.Ref : nullptr;
}

int32_t ReadPointInteger(const THI_Event& point) {
  TData answer;
  CallPoint(point, answer);
  return ToInteger(answer);
}

void ForwardPoint(TData& data, const THI_Event& point) {
  if (point.Handler)
    CallPoint(point, data);
  else
    data.Kind = data_break;
}
