#include "fixture.h"

#include <fstream>

#include "elements/array.h"
#include "runtime/initprocs.h"

void TRecorder::doRecord(TData& data, uint16_t index) {
  std::vector<TData> values;
  for (const TData* p = &data; p; p = p->Next) {
    TData v;
    CopyValue(v, *p);
    values.push_back(v);
  }
  Calls.push_back(std::move(values));
  Points.push_back(index);
}

std::vector<std::vector<int32_t>> TRecorder::Ints() const {
  std::vector<std::vector<int32_t>> out;
  for (const auto& call : Calls) {
    std::vector<int32_t> ints;
    for (const TData& v : call)
      ints.push_back(ToInteger(v));
    out.push_back(ints);
  }
  return out;
}

std::vector<int32_t> TRecorder::FirstInts() const {
  std::vector<int32_t> out;
  for (const auto& call : Calls)
    out.push_back(call.empty() ? 0 : ToInteger(call[0]));
  return out;
}

void RuntimeTest::SetUp() {
  ClearGlobalVars();
  InitProcs.clear();
  InitDone = false;
  InstallDispatchers();
}

void RuntimeTest::TearDown() {
  ResetDispatchers();
  ClearGlobalVars();
  InitProcs.clear();
  InitDone = false;
}

void FolderTest::SetUp() {
  RuntimeTest::SetUp();
  OldDir = std::filesystem::current_path();
  Dir = Temp.Root();
  std::filesystem::current_path(Dir);
}

void FolderTest::TearDown() {
  std::filesystem::current_path(OldDir);
  RuntimeTest::TearDown();
}

void FolderTest::Write(const std::string& name, std::string_view bytes) {
  std::ofstream f(Dir / name, std::ios::binary);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string FolderTest::CrLf(std::initializer_list<std::string_view> lines) {
  std::string s;
  for (std::string_view l : lines) {
    s += l;
    s += "\r\n";
  }
  return s;
}

void Work(THIMultiElement* c, uint16_t k, TData value) {
  TData d = value;  // the receivers may rewrite their record; value keeps the chain's nodes
  FireEvent(build::ContainerWork(c, k), d);
  FreeChain(value);
}

std::vector<int32_t> Table(std::string_view name) {
  std::vector<int32_t> out;
  TData* entry = GlobalVarEntry(name);
  if (entry->Kind != data_array) return out;
  auto* a = static_cast<TArrayIntf*>(entry->Ref);
  for (int32_t i = 0; i < a->Count(); ++i) {
    TData item;
    a->Get(MakeInteger(i), item);
    out.push_back(ToInteger(item));
  }
  return out;
}

TTestSheet::TTestSheet() {
  Loader = build::Container(*this, nullptr, 1, 0);
  Tables = build::Container(*this, nullptr, 0, 0);
  LineCommands = build::MTIndexToChanel(*this, 10);
  for (int l = 0; l < 7; ++l)
    Lists[l] = build::StrList(*this, "");
  Boxes = Add<TRecorder>();
  for (int q = 0; q < 5; ++q) {
    if (q == 1 || q == 3) BySex[q] = build::GetIndexData(*this, 2);
    Effects[q] = build::Container(*this, nullptr, 4, 1);
  }
  Derive = build::Container(*this, nullptr, 0, 0);

  // Line commands 3 .. 9 fill the seven lists.
  Loader->onEvent[0] = MakeEvent<&THIMT_IndexToChanel::doEvent>(LineCommands);
  for (int l = 0; l < 7; ++l)
    LineCommands->onEvent[3 + l] = MakeEvent<&THIStrList::doAdd>(Lists[l]);

  // The lists of the questions: 1 -> list 0, 2 -> lists 1/2, 3 -> 3, 4 -> lists 4/5, 5 -> 6.
  const int single[5] = {0, -1, 3, -1, 6};
  for (int q = 0; q < 5; ++q) {
    if (single[q] >= 0) {
      Effects[q]->Data[0] = MakeEvent<&THIStrList::GetArray>(Lists[single[q]]);
    } else {
      int male = q == 1 ? 1 : 4;
      BySex[q]->DataPoint[0] = MakeEvent<&THIStrList::GetArray>(Lists[male]);
      BySex[q]->DataPoint[1] = MakeEvent<&THIStrList::GetArray>(Lists[male + 1]);
      Effects[q]->Data[0] = MakeEvent<&THIGetIndexData::GetValue>(BySex[q]);
    }
    for (uint16_t b = 0; b < 4; ++b)
      Effects[q]->onEvent[b] = Boxes->Link(b);
  }

  Loader->SetMake(&MakeSubScheme<TChoiceLoader>);
  Tables->SetMake(&MakeSubScheme<TResultTables>);
  for (auto* e : Effects)
    e->SetMake(&MakeSubScheme<TAnswerEffects>);
  Derive->SetMake(&MakeSubScheme<TDerivedValues>);
}

void TTestSheet::Load() {
  Work(Loader, 0);
}

std::vector<std::string> TTestSheet::Lines(int list) const {
  std::vector<std::string> out;
  const TStrList& l = Lists[static_cast<size_t>(list)]->Lines;
  for (size_t i = 0; i < l.Count(); ++i)
    out.push_back(l.Get(i));
  return out;
}

void TTestSheet::SelectList(int q, int gender) {
  if (!BySex[q]) return;
  TData d = MakeInteger(gender - 1);
  BySex[q]->doIndex(d, 0);
}

void TTestSheet::ResetTables() {
  Work(Tables, 0);
}

void TTestSheet::Apply(int q, int k) {
  Work(Effects[q], 2, MakeInteger(k));
}

void TTestSheet::Commit(const std::array<int, 5>& answers) {
  ResetTables();
  int gender = answers[0];
  Apply(0, gender);
  if (gender != 0) Apply(0, 0);
  for (int q = 1; q < 5; ++q) {
    SelectList(q, gender);
    Apply(q, answers[q]);
  }
  Work(Derive, 0, MakeInteger(2));
}

std::vector<std::pair<int, int32_t>> TTestSheet::Preview(int q, int k) {
  Boxes->Calls.clear();
  Boxes->Points.clear();
  Work(Effects[q], 0, MakeInteger(k));
  std::vector<std::pair<int, int32_t>> out;
  std::vector<int32_t> labels = Boxes->FirstInts();
  for (size_t i = 0; i < labels.size(); ++i)
    out.emplace_back(Boxes->Points[i], labels[i]);
  return out;
}
