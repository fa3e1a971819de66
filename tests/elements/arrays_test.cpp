// TArray through THIIntegerArray, and the users THIArrayRW, THIArrayEnum, THIGetIndexData.
#include <cstring>

#include "elements/arrayenum.h"
#include "elements/arrayrw.h"
#include "elements/getindexdata.h"
#include "elements/integerarray.h"
#include "elements/strlist.h"
#include "tests/elements/element_fixture.h"
#include "tests/support/temp_folder.h"

using V = std::vector<std::string>;

namespace {
V Dump(const TArray& a) {
  V out;
  for (size_t i = 0; i < a.Size(); ++i)
    out.push_back(std::string(a.NameAt(i)) + ":" + std::to_string(a.ItemAt(i)));
  return out;
}
std::string GetText(TArray& a, const TData& index) {
  TData r;
  bool ok = a.Intf.Get(index, r);
  if (!ok) return r.Kind == data_null ? "fail" : "fail-but-set";
  return ToString(r);
}
}  // namespace

class IntegerArrayTest : public ElementTest {
 protected:
  TempFolder t;
  THIIntegerArray arr;
  void Load(std::string_view bytes) {
    arr.FileName = t.Write("a.ini", bytes);
    Fire<&THIIntegerArray::doLoad>(arr);
  }
};

TEST_F(IntegerArrayTest, TextLinesGiveNamesAndValues) {
  arr.TextMode = true;
  Load("a=5\r\nb=-3\r\nc\r\nd=\r\ne=12x\r\n");
  EXPECT_EQ(Dump(arr), (V{"a:5", "b:-3", "c:0", "d:0", "e:12"}));
  Load("x==7\r =9\r\n");
  EXPECT_EQ(Dump(arr), (V{"x:0", " :9"}));
  Load("12\r");
  EXPECT_EQ(Dump(arr), (V{"12:12"}));
}

TEST_F(IntegerArrayTest, ByNameLookupRules) {
  arr.TextMode = true;
  arr.ByName = true;
  Load("a=5\rb=-3\rc=8\rb=100\r");
  EXPECT_EQ(GetText(arr, MakeString("b")), "-3");  // the first of two names
  EXPECT_EQ(GetText(arr, MakeInteger(1)), "-3");
  EXPECT_EQ(GetText(arr, MakeString("01")), "fail");
  EXPECT_EQ(GetText(arr, MakeString("1")), "-3");
  EXPECT_EQ(GetText(arr, MakeString("B")), "fail");  // names compare exactly
  EXPECT_EQ(GetText(arr, MakeString("zz")), "fail");
  arr.Intf.Set(MakeString("b"), MakeInteger(9));
  EXPECT_EQ(Dump(arr), (V{"a:5", "b:9", "c:8", "b:100"}));
  arr.Intf.Set(MakeString("03"), MakeInteger(1));  // Set takes the position without the check
  EXPECT_EQ(Dump(arr), (V{"a:5", "b:9", "c:8", "b:1"}));
}

TEST_F(IntegerArrayTest, NumericNamesWinOverPositions) {
  arr.TextMode = true;
  arr.ByName = true;
  Load("1=10\r0=20\r");
  EXPECT_EQ(GetText(arr, MakeInteger(1)), "10");
  EXPECT_EQ(GetText(arr, MakeString("0")), "20");
}

TEST_F(IntegerArrayTest, PositionsWithoutNames) {
  arr.TextMode = true;
  Load("a=1\rb=2\r");
  EXPECT_EQ(GetText(arr, MakeString("1")), "2");
  EXPECT_EQ(GetText(arr, MakeString("x")), "fail");
  EXPECT_EQ(GetText(arr, MakeString("a")), "fail");
  EXPECT_EQ(GetText(arr, MakeInteger(-1)), "fail");
  EXPECT_EQ(GetText(arr, MakeInteger(2)), "fail");
  EXPECT_EQ(GetText(arr, TData{}), "fail");
  arr.Intf.Set(MakeInteger(2), MakeInteger(5));  // never grows
  arr.Intf.Set(MakeInteger(-1), MakeInteger(5));
  EXPECT_EQ(arr.Intf.Count(), 2);
  arr.Intf.Add(MakeString("77z"));
  EXPECT_EQ(Dump(arr), (V{"a:1", "b:2", ":77"}));
}

TEST_F(IntegerArrayTest, NameIndexFollowsAddAndClear) {
  arr.ByName = true;
  arr.Intf.Set(MakeInteger(0), MakeInteger(1));  // empty: nothing
  EXPECT_EQ(arr.Intf.Count(), 0);
  EXPECT_EQ(GetText(arr, MakeString("")), "fail");
  arr.Intf.Add(MakeInteger(4));
  arr.Intf.Add(MakeInteger(6));
  EXPECT_EQ(GetText(arr, MakeString("")), "4");  // added entries share the empty name
  arr.TextMode = true;
  Load("k=1\r");
  EXPECT_EQ(GetText(arr, MakeString("")), "fail");
  for (int i = 0; i < 1000; ++i)
    arr.Intf.Add(MakeInteger(i));
  EXPECT_EQ(GetText(arr, MakeString("k")), "1");
  EXPECT_EQ(GetText(arr, MakeString("")), "0");
  Fire<&THIIntegerArray::doClear>(arr);
  EXPECT_EQ(arr.Intf.Count(), 0);
  EXPECT_EQ(GetText(arr, MakeString("k")), "fail");
}

TEST_F(IntegerArrayTest, ManyNamesResolveToTheirFirstEntry) {
  arr.TextMode = true;
  arr.ByName = true;
  std::string text;
  for (int i = 0; i < 5000; ++i)
    text += "n" + std::to_string(i % 2500) + "=" + std::to_string(i) + "\r\n";
  Load(text);
  ASSERT_EQ(arr.Intf.Count(), 5000);
  for (int i = 0; i < 2500; i += 97)
    EXPECT_EQ(GetText(arr, MakeString("n" + std::to_string(i))), std::to_string(i));
}

TEST_F(IntegerArrayTest, TextInMemoryAppendsAndFileLoadReplaces) {
  arr.ByName = true;
  arr.Intf.Add(MakeInteger(1));
  arr.LoadText("a=2\rb=3\ra=4");
  EXPECT_EQ(Dump(arr), (V{":1", "a:2", "b:3", "a:4"}));
  EXPECT_EQ(GetText(arr, MakeString("a")), "2");
  arr.TextMode = true;
  Load(std::string("x=7\r\ny=8\0z=9", 13));  // a zero byte ends the text
  EXPECT_EQ(Dump(arr), (V{"x:7", "y:8"}));
  EXPECT_EQ(GetText(arr, MakeString("a")), "fail");
  arr.Intf.Add(MakeInteger(5));
  arr.LoadText("w=6");
  EXPECT_EQ(Dump(arr), (V{"x:7", "y:8", ":5", "w:6"}));
  EXPECT_EQ(GetText(arr, MakeString("w")), "6");
  EXPECT_EQ(GetText(arr, MakeString("y")), "8");
}

TEST_F(IntegerArrayTest, RawModeReadsFourByteItems) {
  int32_t items[3] = {1, -2, 0x7fffffff};
  std::string bytes(reinterpret_cast<const char*>(items), sizeof items);
  Load(bytes + "\x01\x02");  // trailing bytes short of an item are ignored
  EXPECT_EQ(Dump(arr), (V{":1", ":-2", ":2147483647"}));
}

TEST_F(IntegerArrayTest, MissingFileKeepsItemsEmptyFileEmptiesThem) {
  arr.TextMode = true;
  Load("a=1\r");
  Fire<&THIIntegerArray::doLoad>(arr, MakeString(t.Path("missing.ini")));
  arr.FileName = t.Path("missing.ini");
  Fire<&THIIntegerArray::doLoad>(arr);
  t.MakeFolder("dir");
  arr.FileName = t.Path("dir");
  Fire<&THIIntegerArray::doLoad>(arr);
  EXPECT_EQ(Dump(arr), (V{"a:1"}));
  Load("");
  EXPECT_EQ(arr.Intf.Count(), 0);
}

TEST_F(IntegerArrayTest, ArrayPointRefersToTheInterface) {
  TData a = Ask<&THIIntegerArray::GetArray>(arr);
  ASSERT_EQ(a.Kind, data_array);
  EXPECT_EQ(a.Ref, &arr.Intf);
}

class ArrayUsersTest : public ElementTest {
 protected:
  THIIntegerArray arr;
  Source arraySource;
  Probe items, ends;
  void SetUp() override {
    ElementTest::SetUp();
    for (int v : {10, 20, 30})
      arr.Intf.Add(MakeInteger(v));
    arraySource.value = Ask<&THIIntegerArray::GetArray>(arr);
  }
};

TEST_F(ArrayUsersTest, ReadFiresTheItemOrNothing) {
  THIArrayRW rw;
  rw.ArrayPoint = arraySource.Link();
  rw.onItem = items.Link();
  Fire<&THIArrayRW::doRead>(rw, MakeInteger(1));
  EXPECT_EQ(items.Texts(), (V{"20"}));
  EXPECT_EQ(ToString(Ask<&THIArrayRW::GetItem>(rw)), "20");
  Fire<&THIArrayRW::doRead>(rw, MakeInteger(3));
  Fire<&THIArrayRW::doRead>(rw, MakeString("x"));
  EXPECT_EQ(items.got.size(), 1u);
  EXPECT_EQ(Ask<&THIArrayRW::GetItem>(rw).Kind, data_null);
  // The default index property.
  rw.Index = MakeInteger(2);
  Fire<&THIArrayRW::doRead>(rw, MakeInteger(0));
  EXPECT_EQ(items.Texts(), (V{"20", "30"}));
}

TEST_F(ArrayUsersTest, WriteReadsIndexThenValueAndNeverGrows) {
  THIArrayRW rw;
  rw.ArrayPoint = arraySource.Link();
  TData in = MakeInteger(1);
  TData v = MakeInteger(99);
  in.Next = &v;
  Fire<&THIArrayRW::doWrite>(rw, in);
  TData past = MakeInteger(3);
  past.Next = &v;
  Fire<&THIArrayRW::doWrite>(rw, past);
  EXPECT_EQ(Dump(arr), (V{":10", ":99", ":30"}));
  Fire<&THIArrayRW::doAdd>(rw, MakeInteger(40));
  EXPECT_EQ(Dump(arr), (V{":10", ":99", ":30", ":40"}));
}

TEST_F(ArrayUsersTest, NoArrayMeansNothingHappens) {
  THIArrayRW rw;
  rw.onItem = items.Link();
  Fire<&THIArrayRW::doRead>(rw, MakeInteger(0));
  Fire<&THIArrayRW::doAdd>(rw, MakeInteger(0));
  Source notArray;
  notArray.value = MakeInteger(5);
  rw.ArrayPoint = notArray.Link();
  Fire<&THIArrayRW::doRead>(rw, MakeInteger(0));
  Fire<&THIArrayRW::doAdd>(rw, MakeInteger(0));
  EXPECT_TRUE(items.got.empty());
  EXPECT_EQ(arr.Intf.Count(), 3);
  THIArrayEnum en;
  en.onEndEnum = ends.Link();
  Fire<&THIArrayEnum::doEnum>(en);
  EXPECT_TRUE(ends.got.empty());
}

TEST_F(ArrayUsersTest, EnumWalksBothWays) {
  THIArrayEnum en;
  en.ArrayPoint = arraySource.Link();
  en.onEndEnum = ends.Link();
  // Each item together with the Index point's answer at that moment.
  struct Watcher : THIBase {
    THIArrayEnum* en = nullptr;
    V seen;
    void doWork(TData& d, uint16_t) {
      seen.push_back(ToString(d) + "@" + ToString(Ask<&THIArrayEnum::GetIndex>(*en)));
    }
  } w;
  w.en = &en;
  en.onItem = MakeEvent<&Watcher::doWork>(&w);
  Fire<&THIArrayEnum::doEnum>(en);
  EXPECT_EQ(w.seen, (V{"10@0", "20@1", "30@2"}));
  ASSERT_EQ(ends.got.size(), 1u);
  EXPECT_EQ(ends.got[0].Kind, data_null);
  en.Direction = 1;
  w.seen.clear();
  Fire<&THIArrayEnum::doEnum>(en);
  EXPECT_EQ(w.seen, (V{"30@2", "20@1", "10@0"}));
}

TEST_F(ArrayUsersTest, EnumOfEmptyArrayOnlyEnds) {
  Fire<&THIIntegerArray::doClear>(arr);
  THIArrayEnum en;
  en.ArrayPoint = arraySource.Link();
  en.onItem = items.Link();
  en.onEndEnum = ends.Link();
  Fire<&THIArrayEnum::doEnum>(en);
  en.Direction = 1;
  Fire<&THIArrayEnum::doEnum>(en);
  EXPECT_TRUE(items.got.empty());
  EXPECT_EQ(ends.got.size(), 2u);
}

TEST_F(ArrayUsersTest, EnumSeesChangesMadeDuringTheWalk) {
  THIArrayEnum en;
  en.ArrayPoint = arraySource.Link();
  struct Grower : THIBase {
    TArrayIntf* a = nullptr;
    V seen;
    void doWork(TData& d, uint16_t) {
      seen.push_back(ToString(d));
      if (a->Count() < 5) a->Add(MakeInteger(a->Count() * 100));
    }
  } g;
  g.a = &arr.Intf;
  en.onItem = MakeEvent<&Grower::doWork>(&g);
  Fire<&THIArrayEnum::doEnum>(en);
  EXPECT_EQ(g.seen, (V{"10", "20", "30", "300", "400"}));
}

TEST_F(ArrayUsersTest, EnumOverStringListLines) {
  THIStrList list;
  list.SetStrings("a\rb\r");
  Source s;
  s.value = Ask<&THIStrList::GetArray>(list);
  THIArrayEnum en;
  en.ArrayPoint = s.Link();
  en.onItem = items.Link();
  Fire<&THIArrayEnum::doEnum>(en);
  EXPECT_EQ(items.Texts(), (V{"a", "b"}));
}

TEST_F(ElementTest, GetIndexDataSelectsOneInput) {
  THIGetIndexData g;
  g.SetCount(4);
  Source two;
  two.value = MakeString("two");
  g.DataPoint[2] = two.Link();
  EXPECT_EQ(Ask<&THIGetIndexData::GetValue>(g).Kind, data_null);
  Fire<&THIGetIndexData::doIndex>(g, MakeInteger(2));
  EXPECT_EQ(ToString(Ask<&THIGetIndexData::GetValue>(g)), "two");
  Fire<&THIGetIndexData::doIndex>(g, MakeInteger(1));
  EXPECT_EQ(Ask<&THIGetIndexData::GetValue>(g).Kind, data_break);  // unlinked input
  Fire<&THIGetIndexData::doIndex>(g, MakeInteger(4));
  EXPECT_EQ(Ask<&THIGetIndexData::GetValue>(g).Kind, data_null);
  Fire<&THIGetIndexData::doIndex>(g, MakeInteger(2));
  Fire<&THIGetIndexData::doIndex>(g, MakeInteger(-1));
  EXPECT_EQ(Ask<&THIGetIndexData::GetValue>(g).Kind, data_null);
  Fire<&THIGetIndexData::doIndex>(g, MakeInteger(2));
  g.SetCount(2);
  EXPECT_EQ(g.Selected, -1);
}
