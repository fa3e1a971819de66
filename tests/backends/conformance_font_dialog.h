// The font dialog's answer path in the conformance suite. Besides the members conformance.h
// lists, a driver supplies:
//
//   static constexpr bool kFontDialog;       the backend has a font dialog
//   static constexpr bool kDialogColor;      its dialog picks a colour (else the shown one returns)
//   static std::string DialogFace(int i);    two faces (0, 1) its dialog lists
//   void AnswerFontDialog(const TFontChoice* answer);
//                                            the user's answer to the next dialog: pick these
//                                            (face, size, weight, italic, underline, colour) and
//                                            confirm, or cancel for nullptr
//   TFontRec FontDialogShown();              face and size the last dialog showed at its opening
//   int FontDialogsShown();                  how many dialogs were shown
#pragma once

#include "tests/backends/conformance_suite.h"

template <class D>
class BackendFontDialog : public BackendConformance<D> {};

TYPED_TEST_SUITE_P(BackendFontDialog);

TYPED_TEST_P(BackendFontDialog, ConfirmGivesTheChoiceCancelGivesNothing) {
  auto& d = this->drv;
  TFontRec shown;
  shown.Name = TypeParam::DialogFace(0);
  shown.Size = 10;
  shown.Color = 0x008000;
  shown.CharSet = 0;
  TFontChoice pick;
  pick.Face = TypeParam::DialogFace(1);
  pick.PointTenths = 120;
  pick.Weight = 700;
  pick.Italic = true;
  pick.Underline = true;
  pick.Color = 0x0000FF;

  struct Case {
    const char* name;
    const TFontChoice* answer;
  };
  const Case cases[] = {{"cancel", nullptr}, {"confirm", &pick}};
  int dialogs = 0;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    d.AnswerFontDialog(k.answer);
    TFontChoice got;
    got.Face = "untouched";
    bool confirmed = d.Backend().PickFont(this->form.get(), shown, got);
    if (!TypeParam::kFontDialog) {
      EXPECT_FALSE(confirmed);
      EXPECT_EQ(d.FontDialogsShown(), 0);
      continue;
    }
    EXPECT_EQ(d.FontDialogsShown(), ++dialogs);
    EXPECT_EQ(d.FontDialogShown().Name, shown.Name);
    EXPECT_EQ(d.FontDialogShown().Size, shown.Size);
    ASSERT_EQ(confirmed, k.answer != nullptr);
    if (!confirmed) {
      EXPECT_EQ(got.Face, "untouched");
      continue;
    }
    EXPECT_EQ(got.Face, pick.Face);
    EXPECT_EQ(got.PointTenths, 120);
    EXPECT_GE(got.Weight, 700);
    EXPECT_TRUE(got.Italic);
    EXPECT_TRUE(got.Underline);
    EXPECT_FALSE(got.StrikeOut);
    EXPECT_EQ(got.Color, TypeParam::kDialogColor ? pick.Color : shown.Color);
  }
}

REGISTER_TYPED_TEST_SUITE_P(BackendFontDialog, ConfirmGivesTheChoiceCancelGivesNothing);
