// Reading data points: linked answers, defaults and consuming incoming chains.
#include "runtime_fixture.h"

using Read = RuntimeTest;

TEST_F(Read, EmptyDefaultConsumesIncomingValue) {
  THI_Event unlinked;
  TData d = MakeInteger(7);
  EXPECT_EQ(ReadInteger(d, unlinked, 0), 7);
  EXPECT_EQ(d.Kind, data_null);
}

TEST_F(Read, NonEmptyDefaultWinsAndLeavesDataAlone) {
  THI_Event unlinked;
  TData d = MakeInteger(7);
  EXPECT_EQ(ReadInteger(d, unlinked, 3), 3);
  EXPECT_EQ(d.Kind, data_int);
  EXPECT_EQ(d.IntValue, 7);
  EXPECT_EQ(ReadString(d, unlinked, "dflt"), "dflt");
  EXPECT_EQ(ReadReal(d, unlinked, 0.5), 0.5);
}

TEST_F(Read, SuccessiveReadsWalkAChain) {
  THI_Event unlinked;
  std::vector<TData> nodes = {MakeInteger(1), MakeInteger(2), MakeInteger(3)};
  TData d = Chain(nodes);
  EXPECT_EQ(ReadInteger(d, unlinked), 1);
  EXPECT_EQ(ReadInteger(d, unlinked), 2);
  EXPECT_EQ(ReadInteger(d, unlinked), 3);
  EXPECT_EQ(ReadInteger(d, unlinked), 0);
  EXPECT_EQ(ReadString(d, unlinked), "");
  // the nodes belong to their builder and are untouched
  EXPECT_EQ(nodes[1].IntValue, 2);
}

TEST_F(Read, BreakAnswerBehavesLikeUnlinked) {
  Source s;
  s.value.Kind = data_break;
  TData d = MakeString("in");
  EXPECT_EQ(ReadString(d, s.point()), "in");
  EXPECT_EQ(d.Kind, data_null);
  d = MakeInteger(4);
  EXPECT_EQ(ReadInteger(d, s.point(), 9), 9);
  EXPECT_EQ(s.calls, 2);
}

TEST_F(Read, NullAnswerGivesEmptyAndKeepsData) {
  Source s;
  TData d = MakeInteger(4);
  EXPECT_EQ(ReadInteger(d, s.point(), 5), 0);
  EXPECT_EQ(ReadString(d, s.point(), "x"), "");
  EXPECT_EQ(ReadReal(d, s.point(), 1.0), 0.0);
  EXPECT_EQ(d.IntValue, 4);
  EXPECT_EQ(d.Kind, data_int);
}

TEST_F(Read, ReadDataTakesWholeChain) {
  THI_Event unlinked;
  std::vector<TData> nodes = {MakeInteger(1), MakeInteger(2)};
  TData d = Chain(nodes);
  TData r = ReadData(d, unlinked);
  EXPECT_EQ(r.IntValue, 1);
  EXPECT_EQ(r.Next, &nodes[1]);
  EXPECT_EQ(d.Kind, data_null);
  EXPECT_EQ(d.Next, nullptr);

  TData def = MakeString("def");
  TData d2 = MakeInteger(3);
  TData r2 = ReadData(d2, unlinked, &def);
  EXPECT_EQ(r2.StrValue, "def");
  EXPECT_EQ(d2.IntValue, 3);
}

TEST_F(Read, ReadValueTakesOneValue) {
  THI_Event unlinked;
  std::vector<TData> nodes = {MakeInteger(1), MakeInteger(2)};
  TData d = Chain(nodes);
  TData r = ReadValue(d, unlinked);
  EXPECT_EQ(r.IntValue, 1);
  EXPECT_EQ(r.Next, nullptr);
  EXPECT_EQ(d.IntValue, 2);

  Source s;
  std::vector<TData> answer = {MakeInteger(8), MakeInteger(9)};
  s.value = Chain(answer);
  TData r2 = ReadValue(d, s.point());
  EXPECT_EQ(r2.IntValue, 8);
  EXPECT_EQ(r2.Next, nullptr);
}

TEST_F(Read, ReadValueOfNullStaysNull) {
  THI_Event unlinked;
  TData tail = MakeInteger(5);
  TData d;
  d.Next = &tail;  // a NULL head with a dangling chain link
  TData r = ReadValue(d, unlinked);
  EXPECT_EQ(r.Kind, data_null);
  EXPECT_EQ(d.Kind, data_null);
  EXPECT_EQ(d.Next, nullptr);
}

TEST_F(Read, ArrayAndPointInteger) {
  Source s;
  int dummy = 0;
  SetArray(s.value, &dummy);
  EXPECT_EQ(ReadArray(s.point()), &dummy);
  s.value = MakeInteger(3);
  EXPECT_EQ(ReadArray(s.point()), nullptr);
  EXPECT_EQ(ReadPointInteger(s.point()), 3);
  EXPECT_EQ(ReadArray(THI_Event{}), nullptr);
  EXPECT_EQ(ReadPointInteger(THI_Event{}), 0);
}

TEST_F(Read, ForwardPointFillsOrAnswersBreak) {
  Source s;
  s.value = MakeString("v");
  TData d;
  ForwardPoint(d, s.point());
  EXPECT_EQ(d.StrValue, "v");
  TData e;
  ForwardPoint(e, THI_Event{});
  EXPECT_EQ(e.Kind, data_break);
}
