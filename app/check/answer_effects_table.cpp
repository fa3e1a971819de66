#include "app/check/answer_effects_table.h"

#include <array>
#include <memory>

#include "elements/array.h"
#include "runtime/globalvar.h"
#include "scheme/answer_effects.h"
#include "scheme/build.h"
#include "scheme/choice_loader.h"
#include "scheme/result_boxes.h"
#include "scheme/result_tables.h"

namespace {

constexpr int Lists = choice_format::Blocks;
constexpr int Boxes = 4;

// The loader, the seven lists it feeds, the result tables and one answer-effects sub-scheme per
// list, wired as the main form wires them.
class TEffectsScheme : public TScheme {
 public:
  TEffectsScheme() {
    Loader = build::Container(*this, nullptr, 1, 0);
    Tables = build::Container(*this, nullptr, 0, 0);
    LineCommands = build::MTIndexToChanel(*this, choice_format::FirstLineCommand + Lists);
    Loader->onEvent[0] = MakeEvent<&THIMT_IndexToChanel::doEvent>(LineCommands);
    for (int b = 0; b < Lists; ++b) {
      List[b] = build::StrList(*this, "");
      LineCommands->onEvent[static_cast<size_t>(choice_format::FirstLineCommand + b)] =
          MakeEvent<&THIStrList::doAdd>(List[b]);
      Effects[b] = build::Container(*this, nullptr, 4, 1);
      Effects[b]->Data[0] = MakeEvent<&THIStrList::GetArray>(List[b]);
      Effects[b]->SetMake(&MakeSubScheme<TAnswerEffects>);
    }
    Loader->SetMake(&MakeSubScheme<TChoiceLoader>);
    Tables->SetMake(&MakeSubScheme<TResultTables>);
  }

  static void Work(THIMultiElement* c, uint16_t k, TData value = TData{}) {
    FireEvent(build::ContainerWork(c, k), value);
  }

  THIMultiElement* Loader;
  THIMultiElement* Tables;
  THIMT_IndexToChanel* LineCommands;
  std::array<THIStrList*, Lists> List{};
  std::array<THIMultiElement*, Lists> Effects{};
};

// The non-zero items of the four shared tables, as codes.
std::vector<TEffect> NonZeroItems() {
  std::vector<TEffect> out;
  for (int b = 0; b < Boxes; ++b) {
    const TResultBoxLayout& box = ResultBoxLayout(b);
    TData* entry = GlobalVarEntry(box.Table);
    if (entry->Kind != data_array) continue;
    auto* table = static_cast<TArrayIntf*>(entry->Ref);
    for (int32_t i = 0; i < table->Count(); ++i) {
      TData item;
      table->Get(MakeInteger(i), item);
      int32_t amount = ToInteger(item);
      if (amount != 0) out.push_back({(box.OwnCommand - 1) * 100 + i, amount});
    }
  }
  return out;
}

std::string MarkdownCell(std::string text) {
  std::string out;
  for (char c : text) {
    if (c == '|') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

std::vector<TListTable> ComputeAnswerEffects() {
  InstallDispatchers();
  ClearGlobalVars();
  std::vector<TListTable> lists;
  {
    auto scheme = std::make_unique<TEffectsScheme>();
    TEffectsScheme::Work(scheme->Loader, 0);
    for (int b = 0; b < Lists; ++b) {
      TListTable t;
      t.Block = b;
      t.List = AnswerListOfBlock(b);
      const TStrList& stored = scheme->List[static_cast<size_t>(b)]->Lines;
      for (size_t i = 0; i < stored.Count(); ++i)
        t.Stored.push_back(stored.Get(i));
      for (size_t k = 0; k < t.List.Answers.size(); ++k) {
        TEffectsScheme::Work(scheme->Tables, 0);
        TEffectsScheme::Work(scheme->Effects[static_cast<size_t>(b)], 2,
                             MakeInteger(static_cast<int32_t>(k)));
        t.Answers.push_back({static_cast<int>(k), t.List.Answers[k], NonZeroItems()});
      }
      lists.push_back(std::move(t));
    }
  }
  ClearGlobalVars();
  ResetDispatchers();
  return lists;
}

std::string CaptionText(std::string_view key, const TTexts* english) {
  if (english) {
    auto it = english->find(key);
    if (it != english->end()) return it->second;
  }
  return std::string(key);
}

std::string CodeName(int32_t code, const TTexts* english) {
  std::string_view key = LabelKeyOfCode(code);
  if (english && !key.empty()) {
    auto it = english->find(key);
    if (it != english->end()) return it->second;
  }
  return std::to_string(code);
}

std::string EffectsText(const std::vector<TEffect>& effects, const TTexts* english) {
  std::string s;
  for (const TEffect& e : effects) {
    if (!s.empty()) s += ", ";
    s += (e.Amount > 0 ? "+" : "") + std::to_string(e.Amount) + " " + CodeName(e.Code, english);
  }
  return s;
}

std::string ListTitle(const TAnswerList& list, const TTexts* english) {
  std::string s = "Question " + std::to_string(list.Question);
  if (list.Sex == 1) s += ", male list";
  if (list.Sex == 2) s += ", female list";
  return s + ": " + CaptionText(list.Caption, english);
}

std::string EffectsMarkdown(const std::vector<TListTable>& lists, const TTexts* english) {
  std::string md;
  for (const TListTable& t : lists) {
    if (!md.empty()) md += "\n";
    md += "## " + MarkdownCell(ListTitle(t.List, english)) + "\n\n";
    md += "| No. | Caption key | Answer | Effects |\n|---|---|---|---|\n";
    for (const TAnswerRow& a : t.Answers)
      md += "| " + std::to_string(a.Answer) + " | " + MarkdownCell(std::string(a.Key)) + " | " +
            MarkdownCell(CaptionText(a.Key, english)) + " | " +
            MarkdownCell(EffectsText(a.Effects, english)) + " |\n";
  }
  return md;
}
