// Construction helpers for scheme classes. Each helper creates one element in a scheme (so the
// scheme owns it and destroys it in reverse creation order), sets the properties that schemes set
// on it, runs its count or default setter, and returns it for linking. Properties not taken by a
// helper keep the element's defaults and can still be set on the returned pointer.
//
//   auto* hub = build::Hub(*this, 3);
//   auto* loop = build::For(*this, 0, 24);
//   hub->onEvent[0] = MakeEvent<&THIFor::doFor>(loop);
//   loop->onEvent = build::ParentEvent(boundary, 1);
#pragma once

#include <cstdint>
#include <string_view>

#include "elements/arrayenum.h"
#include "elements/arrayrw.h"
#include "elements/formatstr.h"
#include "elements/getindexdata.h"
#include "elements/integerarray.h"
#include "elements/length.h"
#include "elements/math.h"
#include "elements/position.h"
#include "elements/strlist.h"
#include "elements/strpart.h"
#include "runtime/chanel.h"
#include "runtime/counter.h"
#include "runtime/dodata.h"
#include "runtime/for.h"
#include "runtime/globalvar.h"
#include "runtime/hub.h"
#include "runtime/if_else.h"
#include "runtime/memory.h"
#include "runtime/multi.h"
#include "runtime/scheme.h"

namespace build {

// ---- flow and routing ----

THIHub* Hub(TScheme& s, uint8_t outputs);
// Sends data unless its Data point is linked; a NULL data sends the incoming value.
THIDoData* DoData(TScheme& s, const TData& data = TData{});
// A memory without a default (Value and Default stay NULL).
THIMemory* Memory(TScheme& s);
THIMemory* Memory(TScheme& s, const TData& initial);
THIGlobalVar* GlobalVar(TScheme& s, std::string_view name);
// Compares the first operand with op2 by type (THIIf_else::Equal ...); Op1 stays NULL.
THIIf_else* IfElse(TScheme& s, uint8_t type, const TData& op2);
// Visits start .. end with step 1, end included; the incoming value never supplies the bounds.
THIFor* For(TScheme& s, int32_t start, int32_t end);
THICounter* Counter(TScheme& s, int32_t value, int32_t min, int32_t max, int32_t step,
                    uint8_t direction);
THIChanelToIndex* ChanelToIndex(TScheme& s, int32_t count);
THIIndexToChanel* IndexToChanel(TScheme& s, int32_t count);
THIMT_ChanelToIndex* MTChanelToIndex(TScheme& s, int32_t count);
THIMT_IndexToChanel* MTIndexToChanel(TScheme& s, int32_t count);

// ---- arithmetic, arrays and text ----

// operation: 0 add, 1 subtract, 2 multiply; resultType: 0 integer, 1 real. Default is 0.
THIMath* Math(TScheme& s, uint8_t operation, double op1, double op2, uint8_t resultType);
THIIntegerArray* IntegerArray(TScheme& s, std::string_view fileName, bool textMode, bool byName);
// A line list with the given default file name and no lines.
THIStrList* StrList(TScheme& s, std::string_view fileName);
THIArrayEnum* ArrayEnum(TScheme& s, uint8_t direction = 0);
// index: the default index (NULL: taken from the incoming value).
THIArrayRW* ArrayRW(TScheme& s, const TData& index = TData{});
THIGetIndexData* GetIndexData(TScheme& s, uint16_t count);
THIStrPart* StrPart(TScheme& s, std::string_view separator, uint8_t mode);
THIFormatStr* FormatStr(TScheme& s, int32_t count, std::string_view mask);
THILength* Length(TScheme& s);
THIPosition* Position(TScheme& s, std::string_view subStr, int32_t startPos, uint8_t foundOnly,
                      uint8_t restart);

// ---- sub-scheme containers ----

// A container owned by scheme s whose sub-scheme is built as soon as it gets its make function;
// events and dataPoints size its onEvent and Data arrays.
THIMultiElement* Container(TScheme& s, TControl* parentWindow, int events, int dataPoints);

// Link to the boundary's event point k: fires the container's onEvent[k] outside.
inline THI_Event ParentEvent(THIEditMulti* boundary, uint16_t k) {
  return MakeEvent<&THIEditMulti::doEvent>(boundary, k);
}
// Link to the boundary's data point k: answers what the container's Data[k] answers outside.
inline THI_Event ParentData(THIEditMulti* boundary, uint16_t k) {
  return MakeEvent<&THIEditMulti::Data>(boundary, k);
}
// Link to a container's work point k.
inline THI_Event ContainerWork(THIMultiElement* container, uint16_t k) {
  return MakeEvent<&THIMultiElement::doWork>(container, k);
}

}  // namespace build
