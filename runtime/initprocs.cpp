#include "runtime/initprocs.h"

std::vector<TInitProc> InitProcs;
bool InitDone = false;

void AddInitProc(TInitProc proc) {
  InitProcs.push_back(proc);
}

void RunInitProcs() {
  // The length is read again before every call: entries may add entries.
  for (std::size_t i = 0; i < InitProcs.size(); ++i) {
    TInitProc p = InitProcs[i];
    if (p.Code) p.Code(p.Obj);
  }
  InitProcs.clear();
  InitDone = true;
}
