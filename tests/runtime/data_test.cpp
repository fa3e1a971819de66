// Value records, conversions and number rules.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/data.h"

TEST(Kinds, NumbersAndNamesAreFixed) {
  EXPECT_STREQ(DataKindName(data_null), "NULL");
  EXPECT_STREQ(DataKindName(data_real), "Real");
  EXPECT_STREQ(DataKindName(data_array), "Array");
  EXPECT_STREQ(DataKindName(data_font), "Font");
  EXPECT_STREQ(DataKindName(data_break), "Break");
  EXPECT_EQ(data_break, 21);
  EXPECT_STREQ(DataKindName(22), "");
  EXPECT_STREQ(DataKindName(-1), "");
}

TEST(Records, SetOperationsClearChainAndRedirect) {
  TData other;
  TData d;
  d.Next = &other;
  SetInteger(d, 5);
  EXPECT_EQ(d.Kind, data_int);
  EXPECT_EQ(d.Next, nullptr);
  d.Next = &other;
  SetString(d, "x");
  EXPECT_EQ(d.Next, nullptr);
  EXPECT_EQ(d.StrValue, "x");
  d.Next = &other;
  SetNull(d);
  EXPECT_EQ(d.Kind, data_null);
  EXPECT_EQ(d.Next, nullptr);
}

TEST(Records, CopyValueTakesOneValueWithoutItsChain) {
  TData tail = MakeInteger(2);
  TData head = MakeString("a");
  head.Next = &tail;
  TData copy;
  CopyValue(copy, head);
  EXPECT_EQ(copy.Kind, data_str);
  EXPECT_EQ(copy.StrValue, "a");
  EXPECT_EQ(copy.Next, nullptr);
}

TEST(ParseInt, SignDigitsAndStop) {
  EXPECT_EQ(ParseInt(""), 0);
  EXPECT_EQ(ParseInt("abc"), 0);
  EXPECT_EQ(ParseInt("+15"), 15);
  EXPECT_EQ(ParseInt("-0012x"), -12);
  EXPECT_EQ(ParseInt(" 5"), 0);
  EXPECT_EQ(ParseInt("12 apples"), 12);
  EXPECT_EQ(ParseInt("-7x"), -7);
  EXPECT_EQ(ParseInt("--7"), 0);
}

TEST(ParseInt, WrapsAroundOn32Bits) {
  EXPECT_EQ(ParseInt("2147483647"), 2147483647);
  EXPECT_EQ(ParseInt("2147483648"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ParseInt("4294967296"), 0);
  EXPECT_EQ(ParseInt("4294967297"), 1);
  EXPECT_EQ(ParseInt("-2147483648"), std::numeric_limits<int32_t>::min());
}

TEST(FormatInt, FullRange) {
  EXPECT_EQ(FormatInt(0), "0");
  EXPECT_EQ(FormatInt(-45), "-45");
  EXPECT_EQ(FormatInt(2147483647), "2147483647");
  EXPECT_EQ(FormatInt(std::numeric_limits<int32_t>::min()), "-2147483648");
}

TEST(ParseReal, ScanRules) {
  EXPECT_EQ(ParseReal(""), 0.0);
  EXPECT_EQ(ParseReal("1,5"), 15.0);
  EXPECT_EQ(ParseReal("12abc"), 12.0);
  EXPECT_EQ(ParseReal("2.5e3"), 2500.0);
  EXPECT_EQ(ParseReal("-0.25"), -0.25);
  EXPECT_EQ(ParseReal("1.2.3"), 1.2);
  EXPECT_EQ(ParseReal(" +7"), 7.0);
  EXPECT_EQ(ParseReal("5E-1"), 0.5);
}

TEST(ParseReal, HugeExponentDoesNotHang) {
  EXPECT_TRUE(std::isinf(ParseReal("1e2147483647")));
  EXPECT_EQ(ParseReal("1e-2147483647"), 0.0);
  std::string longFraction = "0." + std::string(100000, '3');
  EXPECT_NEAR(ParseReal(longFraction), 1.0 / 3, 1e-12);
}

TEST(ParseReal, NeverNaN) {
  // Zero times an overflowing power, and an overflowed mantissa times an underflowing one.
  EXPECT_EQ(ParseReal("E1121"), 0.0);
  EXPECT_EQ(ParseReal("0e400"), 0.0);
  EXPECT_EQ(ParseReal("-0.0e99999"), 0.0);
  EXPECT_EQ(ParseReal(std::string(400, '9') + "e-400"), 0.0);
  EXPECT_TRUE(std::isinf(ParseReal(std::string(400, '9') + "e5")));
}

TEST(FormatReal, Examples) {
  EXPECT_EQ(FormatReal(0.0), "0");
  EXPECT_EQ(FormatReal(2.5), "2.5");
  EXPECT_EQ(FormatReal(7.0), "7");
  EXPECT_EQ(FormatReal(0.5), "0.5");
  EXPECT_EQ(FormatReal(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FormatReal(123.456), "123.456");
  EXPECT_EQ(FormatReal(-0.25), "-0.25");
  EXPECT_EQ(FormatReal(1e20), "100000000000000000000");
  EXPECT_EQ(FormatReal(0.1), "0.1");
  EXPECT_EQ(FormatReal(3.0), "3");
  EXPECT_EQ(FormatReal(0.001), "0.001");
  EXPECT_EQ(FormatReal(-1234567.5), "-1234567.5");
}

TEST(FormatReal, FifteenSignificantDigits) {
  EXPECT_EQ(FormatReal(2.0 / 3), "0.666666666666667");
  EXPECT_EQ(FormatReal(123456789012345678.0), "123456789012346000");
}

TEST(RoundToInt32, HalvesToEvenAndLow32Bits) {
  EXPECT_EQ(RoundToInt32(2.5), 2);
  EXPECT_EQ(RoundToInt32(3.5), 4);
  EXPECT_EQ(RoundToInt32(-2.5), -2);
  EXPECT_EQ(RoundToInt32(2.51), 3);
  EXPECT_EQ(RoundToInt32(4294967296.0 + 7), 7);
  EXPECT_EQ(RoundToInt32(2147483648.0), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(RoundToInt32(-1.0), -1);
  EXPECT_EQ(RoundToInt32(std::nan("")), 0);
  EXPECT_EQ(RoundToInt32(1e300), 0);
}

TEST(Conversions, ToInteger) {
  EXPECT_EQ(ToInteger(MakeString("")), 0);
  EXPECT_EQ(ToInteger(MakeString("abc")), 0);
  EXPECT_EQ(ToInteger(MakeString("+15")), 15);
  EXPECT_EQ(ToInteger(MakeString("-0012x")), -12);
  EXPECT_EQ(ToInteger(MakeReal(2.5)), 2);
  EXPECT_EQ(ToInteger(MakeReal(2.51)), 3);
  EXPECT_EQ(ToInteger(TData{}), 0);
  TData reserved;
  reserved.Kind = data_color;
  reserved.IntValue = 99;
  EXPECT_EQ(ToInteger(reserved), 0);
}

TEST(Conversions, ToStringAndToReal) {
  EXPECT_EQ(ToString(MakeReal(3.0)), "3");
  EXPECT_EQ(ToString(MakeReal(0.1)), "0.1");
  EXPECT_EQ(ToString(MakeInteger(-8)), "-8");
  EXPECT_EQ(ToString(TData{}), "");
  EXPECT_EQ(ToReal(MakeInteger(2147483647)), 2147483647.0);
  EXPECT_EQ(ToReal(MakeString("1.5")), 1.5);
  EXPECT_EQ(ToReal(TData{}), 0.0);
}

TEST(Conversions, ToIndex) {
  EXPECT_EQ(ToIndex(MakeString("")), -1);
  EXPECT_EQ(ToIndex(MakeString("abc")), -1);
  EXPECT_EQ(ToIndex(MakeString("0")), 0);
  EXPECT_EQ(ToIndex(MakeString("7")), 7);
  EXPECT_EQ(ToIndex(MakeString("00")), 0);
  EXPECT_EQ(ToIndex(TData{}), -1);
  EXPECT_EQ(ToIndex(MakeReal(1.5)), 2);
  EXPECT_EQ(ToIndex(MakeInteger(3)), 3);
}

TEST(Conversions, ToBool) {
  EXPECT_FALSE(ToBool(MakeInteger(0)));
  EXPECT_TRUE(ToBool(MakeInteger(-1)));
  EXPECT_TRUE(ToBool(TData{}));
  EXPECT_TRUE(ToBool(MakeString("")));
  EXPECT_TRUE(ToBool(MakeString("0")));
  EXPECT_TRUE(ToBool(MakeReal(0.0)));
}

TEST(ValuesEqual, SameKindSameValueOnly) {
  EXPECT_FALSE(ValuesEqual(MakeInteger(1), MakeString("1")));
  EXPECT_TRUE(ValuesEqual(TData{}, TData{}));
  EXPECT_TRUE(ValuesEqual(MakeInteger(5), MakeInteger(5)));
  EXPECT_TRUE(ValuesEqual(MakeString("ab"), MakeString("ab")));
  EXPECT_FALSE(ValuesEqual(MakeString("ab"), MakeString("AB")));
  EXPECT_FALSE(ValuesEqual(MakeString(std::string("a\0b", 3)), MakeString("a")));
  EXPECT_TRUE(ValuesEqual(MakeReal(0.5), MakeReal(0.5)));
  TData a;
  SetArray(a, &a);
  EXPECT_FALSE(ValuesEqual(a, a));
}

TEST(Chains, AppendCopiesSourceAndStopsAtNull) {
  TData src3 = MakeInteger(3);
  TData src2 = MakeInteger(2);
  src2.Next = &src3;
  TData head = MakeInteger(1);
  AppendChain(head, &src2);
  ASSERT_NE(head.Next, nullptr);
  EXPECT_NE(head.Next, &src2);  // copies, not the source nodes
  EXPECT_EQ(head.Next->IntValue, 2);
  ASSERT_NE(head.Next->Next, nullptr);
  EXPECT_EQ(head.Next->Next->IntValue, 3);
  EXPECT_EQ(head.Next->Next->Next, nullptr);
  EXPECT_EQ(src2.Next, &src3);  // source untouched
  FreeChain(head);
  EXPECT_EQ(head.Next, nullptr);
  EXPECT_EQ(head.IntValue, 1);

  TData nullSource;
  TData head2 = MakeInteger(9);
  AppendChain(head2, &nullSource);
  EXPECT_EQ(head2.Next, nullptr);
}

TEST(Chains, AppendToNullHeadTakesFirstValue) {
  TData b = MakeString("b");
  TData a = MakeString("a");
  a.Next = &b;
  TData head;
  AppendChain(head, &a);
  EXPECT_EQ(head.StrValue, "a");
  ASSERT_NE(head.Next, nullptr);
  EXPECT_EQ(head.Next->StrValue, "b");
  FreeChain(head);
}
