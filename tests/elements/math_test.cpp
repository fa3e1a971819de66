// THIMath: operand reading, the three operations and the integer rounding.
#include "elements/math.h"
#include "tests/elements/element_fixture.h"

class MathTest : public ElementTest {
 protected:
  THIMath m;
  Probe out;
  void SetUp() override {
    ElementTest::SetUp();
    m.onResult = out.Link();
  }
  TData Run(TData in = TData{}) {
    out.got.clear();
    Fire<&THIMath::doOperation>(m, in);
    EXPECT_EQ(out.got.size(), 1u);
    return out.got.empty() ? TData{} : out.got[0];
  }
  static TData Chain(TData a, TData& b) {
    a.Next = &b;
    return a;
  }
};

TEST_F(MathTest, MultiplyIncomingByDefault) {
  m.Operation = 2;
  m.Op2 = 2;
  TData r = Run(MakeInteger(7));
  EXPECT_EQ(r.Kind, data_int);
  EXPECT_EQ(r.IntValue, 14);
}

TEST_F(MathTest, SubtractWithIncomingOrLinkedFirstOperand) {
  m.Operation = 1;
  m.Op2 = 100;
  EXPECT_EQ(Run(MakeInteger(103)).IntValue, 3);
  Source s;
  s.value = MakeInteger(37);
  m.Op1Point = s.Link();
  EXPECT_EQ(Run(MakeInteger(103)).IntValue, -63);
  // A linked point answering Break falls back to the incoming value.
  s.value.Kind = data_break;
  EXPECT_EQ(Run(MakeInteger(103)).IntValue, 3);
}

TEST_F(MathTest, ZeroDefaultsTakeTheIncomingChain) {
  TData four = MakeInteger(4);
  EXPECT_EQ(Run(Chain(MakeInteger(3), four)).IntValue, 7);
  EXPECT_EQ(Run(MakeInteger(3)).IntValue, 3);
  EXPECT_EQ(Run().IntValue, 0);
  EXPECT_EQ(Run(MakeString("12abc")).IntValue, 12);
}

TEST_F(MathTest, IntegerResultRoundsHalfToEvenAndKeepsLow32Bits) {
  TData two = MakeInteger(2);
  EXPECT_EQ(Run(Chain(MakeReal(0.5), two)).IntValue, 2);
  EXPECT_EQ(Run(Chain(MakeReal(1.5), two)).IntValue, 4);
  TData zero = MakeInteger(0);
  EXPECT_EQ(Run(Chain(MakeReal(-2.5), zero)).IntValue, -2);
  m.Operation = 2;
  m.Op2 = 65536;
  EXPECT_EQ(Run(MakeInteger(65537)).IntValue, 65536);  // 2^32 + 2^16 keeps 2^16
}

TEST_F(MathTest, RealResultIsSentUnrounded) {
  m.ResultType = 1;
  TData two = MakeInteger(2);
  TData r = Run(Chain(MakeReal(0.5), two));
  EXPECT_EQ(r.Kind, data_real);
  EXPECT_DOUBLE_EQ(r.RealValue, 2.5);
  EXPECT_DOUBLE_EQ(ToReal(Ask<&THIMath::GetResult>(m)), 2.5);
}

TEST_F(MathTest, ResultPointAnswersDefaultThenLastResult) {
  m.SetDefault(2.5);
  TData d = Ask<&THIMath::GetResult>(m);
  EXPECT_EQ(d.Kind, data_int);
  EXPECT_EQ(d.IntValue, 2);
  // The result is already stored when onResult fires.
  struct Reader : THIBase {
    THIMath* m = nullptr;
    int32_t seen = 0;
    void doWork(TData&, uint16_t) { seen = ToInteger(Ask<&THIMath::GetResult>(*m)); }
  } reader;
  reader.m = &m;
  m.onResult = MakeEvent<&Reader::doWork>(&reader);
  Fire<&THIMath::doOperation>(m, MakeInteger(41));
  EXPECT_EQ(reader.seen, 41);
}
