// The start-up list: work that elements register while the scheme is built, run once at Start.
#pragma once

#include <cstddef>
#include <vector>

struct TInitProc {
  void (*Code)(void* obj) = nullptr;
  void* Obj = nullptr;
};

extern std::vector<TInitProc> InitProcs;
extern bool InitDone;

void AddInitProc(TInitProc proc);
// AddInitProc<&TSomething::Method>(obj) for a parameterless member.
template <auto M, class C>
void AddInitProc(C* obj) {
  AddInitProc(TInitProc{[](void* o) { (static_cast<C*>(o)->*M)(); }, obj});
}
// Runs and empties the list (entries added while it runs are run in the same pass).
void RunInitProcs();
