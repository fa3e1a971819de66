// THI_Event: the point link, the two dispatchers and the fire/read operations on links.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/data.h"

// The work-method signature: called on the target with the value and the link's point index.
using THandler = void (*)(void* target, TData& data, uint16_t index);

struct THI_Event {
  THandler Handler = nullptr;
  void* Target = nullptr;
  uint16_t Index = 0;
};

// An indexed point: slot k is point k. Sized once by the element's count setter.
using TEventArray = std::vector<THI_Event>;

namespace hi_detail {
template <class M>
struct MemberClass;
template <class C>
struct MemberClass<void (C::*)(TData&, uint16_t)> {
  using type = C;
};
template <auto M>
void Thunk(void* target, TData& data, uint16_t index) {
  using C = typename MemberClass<decltype(M)>::type;
  (static_cast<C*>(target)->*M)(data, index);
}
}  // namespace hi_detail

// MakeEvent<&THIHub::doEvent>(hub, 0): a link to a work or value point of an element.
template <auto M>
THI_Event MakeEvent(typename hi_detail::MemberClass<decltype(M)>::type* target,
                    uint16_t index = 0) {
  return THI_Event{&hi_detail::Thunk<M>, target, index};
}

inline THI_Event MakeEvent(THandler handler, void* target, uint16_t index) {
  return THI_Event{handler, target, index};
}

// ---- dispatchers ----

using TDispatcher = void (*)(const THI_Event& e, TData& data);

// Both hold a do-nothing procedure until InstallDispatchers, and again after ResetDispatchers.
extern TDispatcher EventDispatcher;
extern TDispatcher PointDispatcher;

void InstallDispatchers();
void ResetDispatchers();
bool DispatchersInstalled();

// The chained dispatcher: follows redirects left in the record as a loop.
void FireEventLoop(const THI_Event& e, TData& data);
// The simple dispatcher used for data points.
void CallPointOnce(const THI_Event& e, TData& data);

// ---- firing ----

inline void FireEvent(const THI_Event& e, TData& data) {
  EventDispatcher(e, data);
}
inline void CallPoint(const THI_Event& e, TData& data) {
  PointDispatcher(e, data);
}
void FireNull(const THI_Event& e);
void FireInteger(const THI_Event& e, int32_t v);
void FireString(const THI_Event& e, std::string_view v);
void FireReal(const THI_Event& e, double v);
void FireData(const THI_Event& e, const TData& v);
void FireFont(const THI_Event& e, void* font);

// ---- redirects: a work method's last step, taken by the dispatcher after it returns ----

inline void Redirect(TData& data, const THI_Event& e) {
  data.Kind = static_cast<uint8_t>(data.Kind | RedirectFlag);
  data.RedirectTo = &e;
}
void RedirectInteger(TData& data, const THI_Event& e, int32_t v);
void RedirectString(TData& data, const THI_Event& e, std::string_view v);
// Makes data a copy of v (chain included) and redirects it to e.
void RedirectData(TData& data, const THI_Event& e, const TData& v);

// ---- reading data points ----

int32_t ReadInteger(TData& data, const THI_Event& point, int32_t def = 0);
std::string ReadString(TData& data, const THI_Event& point, std::string_view def = {});
double ReadReal(TData& data, const THI_Event& point, double def = 0.0);
TData ReadData(TData& data, const THI_Event& point, const TData* def = nullptr);
TData ReadValue(TData& data, const THI_Event& point, const TData* def = nullptr);
void* ReadArray(const THI_Event& point);
int32_t ReadPointInteger(const THI_Event& point);
void ForwardPoint(TData& data, const THI_Event& point);
