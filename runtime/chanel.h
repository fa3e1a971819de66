// Channel/index converters: an input channel becomes a number, a number selects an output.
#pragma once

#include "runtime/element.h"

// Input channel k (the link's index) fires onIndex with k.
class THIChanelToIndex : public THIBase {
 public:
  int32_t Count = 0;
  THI_Event onIndex;

  void doEvent(TData& data, uint16_t index) { RedirectInteger(data, onIndex, index); }
};

// Forwards the Data value to output Index.
class THIIndexToChanel : public THIBase {
 public:
  int32_t Count = 0;
  TData Data;
  THI_Event DataPoint;
  THI_Event IndexPoint;
  TEventArray onEvent;

  void SetCount(int32_t n) {
    Count = n < 0 ? 0 : n;
    onEvent.assign(static_cast<size_t>(Count), THI_Event{});
  }
  void doEvent(TData& data, uint16_t) {
    int32_t i = ReadInteger(data, IndexPoint, 0);
    data = ReadValue(data, DataPoint, &Data);
    if (i >= 0 && i < Count) Redirect(data, onEvent[static_cast<size_t>(i)]);
  }
};

// Input channel k fires onIndex with the chain [k, incoming values...].
class THIMT_ChanelToIndex : public THIBase {
 public:
  int32_t Count = 0;
  THI_Event onIndex;

  void doEvent(TData& data, uint16_t index) {
    TData chain;
    SetInteger(chain, index);
    AppendChain(chain, &data);
    FireData(onIndex, chain);
    FreeChain(chain);
  }
};

// Splits a chain [i, values...]: output i fires with the values.
class THIMT_IndexToChanel : public THIBase {
 public:
  int32_t Count = 0;
  THI_Event IndexPoint;
  THI_Event DataPoint;
  TEventArray onEvent;

  void SetCount(int32_t n) {
    Count = n < 0 ? 0 : n;
    onEvent.assign(static_cast<size_t>(Count), THI_Event{});
  }
  void doEvent(TData& data, uint16_t) {
    int32_t i = ReadInteger(data, IndexPoint, 0);
    TData rest = ReadData(data, DataPoint);
    data = rest;
    if (i >= 0 && i < Count) Redirect(data, onEvent[static_cast<size_t>(i)]);
  }
};
