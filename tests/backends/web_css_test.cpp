// The web backend's CSS values: fonts as the Qt backend maps them, in pixels at 96 DPI;
// colours (system colours in the classic scheme); decorations, cursors and alignment.
#include <gtest/gtest.h>

#include "ui/backends/web/web_css.h"
#include "ui/control.h"

namespace {

TFontRec Font(const char* name, uint8_t size, uint8_t style = 0) {
  TFontRec f;
  f.Name = name;
  f.Size = size;
  f.Style = style;
  return f;
}

TEST(WebCss, FontsArePixelSizedAndMappedToTheSharedFaces) {
  struct TCase {
    TFontRec Font;
    const char* Css;
  } cases[] = {
      {Font("MS Sans Serif", 8),
       "11px \"Liberation Sans\", \"Liberation Sans\", Arial, sans-serif"},
      {Font("ms sans serif", 10, fsBold),
       "bold 13px \"Liberation Sans\", \"Liberation Sans\", Arial, sans-serif"},
      {Font("Tahoma", 9, fsBold | fsItalic),
       "italic bold 12px \"Liberation Sans\", \"Liberation Sans\", Arial, sans-serif"},
      {Font("Times New Roman", 12),
       "16px \"Liberation Serif\", \"Liberation Sans\", Arial, sans-serif"},
      {Font("Courier New", 8), "11px \"Liberation Mono\", \"Liberation Sans\", Arial, sans-serif"},
      {Font("Verdana", 8), "11px \"Verdana\", \"Liberation Sans\", Arial, sans-serif"},
      // A zero size falls back to the 8 pt height; quotes cannot end the family early.
      {Font("MS Sans Serif", 0),
       "11px \"Liberation Sans\", \"Liberation Sans\", Arial, sans-serif"},
      {Font("Evil\"; color: red", 8),
       "11px \"Evil; color: red\", \"Liberation Sans\", Arial, sans-serif"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(CssFont(c.Font), c.Css) << c.Font.Name << " " << int(c.Font.Size);
}

TEST(WebCss, ColoursAreRgbOfTheBgrValue) {
  EXPECT_EQ(CssColor(0x000000), "#000000");
  EXPECT_EQ(CssColor(0x008000), "#008000");
  EXPECT_EQ(CssColor(0xF0FBFF), "#fffbf0");  // blue in the high byte of the value
  EXPECT_EQ(CssColor(0x0000FF), "#ff0000");
  EXPECT_EQ(CssColor(0x12345678), "#785634");  // bits above the colour are dropped
  EXPECT_EQ(CssColor(clBtnFace), "#f0f0f0");
  EXPECT_EQ(CssColor(clWindow), "#ffffff");
  EXPECT_EQ(CssColor(clInfoBk), "#ffffe1");
}

TEST(WebCss, DecorationsCursorsAndAlignment) {
  EXPECT_EQ(CssDecoration(Font("x", 8)), "none");
  EXPECT_EQ(CssDecoration(Font("x", 8, fsBold)), "none");
  EXPECT_EQ(CssDecoration(Font("x", 8, fsUnderline)), "underline");
  EXPECT_EQ(CssDecoration(Font("x", 8, fsStrikeOut)), "line-through");
  EXPECT_EQ(CssDecoration(Font("x", 8, fsUnderline | fsStrikeOut)), "underline line-through");

  EXPECT_EQ(CssCursor(crDefault), "default");
  EXPECT_EQ(CssCursor(crHand), "pointer");
  EXPECT_EQ(CssCursor(crIBeam), "text");
  EXPECT_EQ(CssCursor(crSizeAll), "move");
  EXPECT_EQ(CssCursor(12345), "default");

  EXPECT_EQ(CssAlign(taLeft), "left");
  EXPECT_EQ(CssAlign(taRight), "right");
  EXPECT_EQ(CssAlign(taCenter), "center");
  EXPECT_EQ(CssAlign(77), "left");
}

}  // namespace
