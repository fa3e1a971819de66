#include "scheme/build.h"

#include <string>

namespace build {

THIHub* Hub(TScheme& s, uint8_t outputs) {
  auto* e = s.Add<THIHub>();
  e->SetCount(outputs);
  return e;
}

THIDoData* DoData(TScheme& s, const TData& data) {
  auto* e = s.Add<THIDoData>();
  CopyValue(e->Data, data);
  return e;
}

THIMemory* Memory(TScheme& s) {
  return s.Add<THIMemory>();
}

THIMemory* Memory(TScheme& s, const TData& initial) {
  auto* e = s.Add<THIMemory>();
  e->SetDefault(initial);
  return e;
}

THIGlobalVar* GlobalVar(TScheme& s, std::string_view name) {
  auto* e = s.Add<THIGlobalVar>();
  e->SetName(name);
  return e;
}

THIIf_else* IfElse(TScheme& s, uint8_t type, const TData& op2) {
  auto* e = s.Add<THIIf_else>();
  e->Type = type;
  CopyValue(e->Op2, op2);
  return e;
}

THIFor* For(TScheme& s, int32_t start, int32_t end) {
  auto* e = s.Add<THIFor>();
  e->Start = start;
  e->End = end;
  e->Step = 1;
  e->IncludeEnd = true;
  e->TakeIncoming = false;
  return e;
}

THICounter* Counter(TScheme& s, int32_t value, int32_t min, int32_t max, int32_t step,
                    uint8_t direction) {
  auto* e = s.Add<THICounter>();
  e->Value = value;
  e->Min = min;
  e->Max = max;
  e->Step = step;
  e->Direction = direction;
  return e;
}

THIChanelToIndex* ChanelToIndex(TScheme& s, int32_t count) {
  auto* e = s.Add<THIChanelToIndex>();
  e->Count = count;
  return e;
}

THIIndexToChanel* IndexToChanel(TScheme& s, int32_t count) {
  auto* e = s.Add<THIIndexToChanel>();
  e->SetCount(count);
  return e;
}

THIMT_ChanelToIndex* MTChanelToIndex(TScheme& s, int32_t count) {
  auto* e = s.Add<THIMT_ChanelToIndex>();
  e->Count = count;
  return e;
}

THIMT_IndexToChanel* MTIndexToChanel(TScheme& s, int32_t count) {
  auto* e = s.Add<THIMT_IndexToChanel>();
  e->SetCount(count);
  return e;
}

THIMath* Math(TScheme& s, uint8_t operation, double op1, double op2, uint8_t resultType) {
  auto* e = s.Add<THIMath>();
  e->Operation = operation;
  e->Op1 = op1;
  e->Op2 = op2;
  e->ResultType = resultType;
  e->SetDefault(0.0);
  return e;
}

THIIntegerArray* IntegerArray(TScheme& s, std::string_view fileName, bool textMode, bool byName) {
  auto* e = s.Add<THIIntegerArray>();
  e->FileName = std::string(fileName);
  e->TextMode = textMode;
  e->ByName = byName;
  return e;
}

THIStrList* StrList(TScheme& s, std::string_view fileName) {
  auto* e = s.Add<THIStrList>();
  e->FileName = std::string(fileName);
  e->SetStrings("");
  return e;
}

THIArrayEnum* ArrayEnum(TScheme& s, uint8_t direction) {
  auto* e = s.Add<THIArrayEnum>();
  e->Direction = direction;
  return e;
}

THIArrayRW* ArrayRW(TScheme& s, const TData& index) {
  auto* e = s.Add<THIArrayRW>();
  CopyValue(e->Index, index);
  return e;
}

THIGetIndexData* GetIndexData(TScheme& s, uint16_t count) {
  auto* e = s.Add<THIGetIndexData>();
  e->SetCount(count);
  return e;
}

THIStrPart* StrPart(TScheme& s, std::string_view separator, uint8_t mode) {
  auto* e = s.Add<THIStrPart>();
  e->Char = std::string(separator);
  e->Mode = mode;
  return e;
}

THIFormatStr* FormatStr(TScheme& s, int32_t count, std::string_view mask) {
  auto* e = s.Add<THIFormatStr>();
  e->SetCount(count);
  e->Mask = std::string(mask);
  return e;
}

THILength* Length(TScheme& s) {
  return s.Add<THILength>();
}

THIPosition* Position(TScheme& s, std::string_view subStr, int32_t startPos, uint8_t foundOnly,
                      uint8_t restart) {
  auto* e = s.Add<THIPosition>();
  e->SubStr = std::string(subStr);
  e->StartPos = startPos;
  e->FoundOnly = foundOnly;
  e->Restart = restart;
  return e;
}

THIMultiElement* Container(TScheme& s, TControl* parentWindow, int events, int dataPoints) {
  auto* e = s.Add<THIMultiElement>(parentWindow);
  e->Deferred = 0;
  e->ParentScheme = &s;
  e->SetCounts(events, dataPoints);
  return e;
}

}  // namespace build
