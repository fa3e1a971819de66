// Test harness for the windowless sub-schemes: a recorder element, a runtime reset, a temporary
// current folder, and TTestSheet, which wires the data and score sub-schemes the way the main
// form does, with plain elements standing in for the question groups and the result boxes.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "scheme/answer_effects.h"
#include "scheme/build.h"
#include "scheme/choice_loader.h"
#include "scheme/derived_values.h"
#include "scheme/result_tables.h"
#include "tests/support/temp_folder.h"

// Records every call: the values of the chain it received.
class TRecorder : public THIBase {
 public:
  std::vector<std::vector<TData>> Calls;
  std::vector<uint16_t> Points;  // the link index of each call

  void doRecord(TData& data, uint16_t index);
  THI_Event Link(uint16_t index = 0) { return MakeEvent<&TRecorder::doRecord>(this, index); }
  // Each call as the integers of its chain.
  std::vector<std::vector<int32_t>> Ints() const;
  // Each call's first value as an integer.
  std::vector<int32_t> FirstInts() const;
};

// Answers a fixed value on a data point.
class TConstant : public THIBase {
 public:
  TData Value;
  void GetValue(TData& data, uint16_t) { CopyValue(data, Value); }
  THI_Event Link() { return MakeEvent<&TConstant::GetValue>(this); }
};

// A fresh runtime per test: dispatchers on, no shared variables, an empty start-up list.
class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// RuntimeTest in a temporary current folder, removed afterwards.
class FolderTest : public RuntimeTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes a file in the temporary folder, bytes as given.
  void Write(const std::string& name, std::string_view bytes);
  // Joins lines with CR LF after each.
  static std::string CrLf(std::initializer_list<std::string_view> lines);

  TempFolder Temp;
  std::filesystem::path Dir;
  std::filesystem::path OldDir;
};

// Fires a container's work point k with a value, then frees the value's chain nodes.
void Work(THIMultiElement* c, uint16_t k, TData value = TData{});
// The items of a shared table ("attrib" ...); empty when it is not published.
std::vector<int32_t> Table(std::string_view name);

// The data and score path of the hero sheet without windows. Question q (0 .. 4) has its
// answer-effects sub-scheme; questions 2 and 4 (index 1 and 3) pick their male or female list by
// the gender, as the real groups do on the re-apply command.
class TTestSheet : public TScheme {
 public:
  TTestSheet();

  // Start-up load: the choice loader sends its line commands into the seven lists.
  void Load();
  // The lines stored for line command 3 + list.
  std::vector<std::string> Lines(int list) const;
  // One commit: reset the tables, re-apply every remembered answer, derive. answers[0] is the
  // gender (0 none, 1 male, 2 female); question 1 then also applies its answer 0.
  void Commit(const std::array<int, 5>& answers);
  // Preview of answer k of question q: (box, label index) in report order.
  std::vector<std::pair<int, int32_t>> Preview(int q, int k);
  // Apply answer k of question q alone (no reset, no derivation).
  void Apply(int q, int k);
  // Reset the tables only.
  void ResetTables();

  THIMultiElement* Loader;
  THIMultiElement* Tables;
  THIMultiElement* Derive;
  std::array<THIMultiElement*, 5> Effects{};
  std::array<THIStrList*, 7> Lists{};
  std::array<THIGetIndexData*, 5> BySex{};  // questions 2 and 4 only
  THIMT_IndexToChanel* LineCommands;
  TRecorder* Boxes;  // preview reports; the link index is the box

 private:
  void SelectList(int q, int gender);
};
