// The font element's dialog answered from the runner's input: what the dialog shows, how an
// answer line becomes the font onFont carries, and what a cancel or a stray line does.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/font_dialog_input.h"
#include "controls/font.h"
#include "tests/support/ui_fixture.h"

namespace {

struct FontDialogCase {
  const char* what;
  uint8_t showDialog;
  std::vector<std::string> input;      // the lines after the command that ran doFont
  std::optional<TFontRec> fired;       // onFont's font, or nothing when it did not fire
  std::string output;                  // what the runner printed
  std::optional<std::string> runNext;  // the line run after the command
};

TFontRec Font(const char* name, uint8_t size, uint8_t style, uint32_t color, uint8_t charset) {
  TFontRec f;
  f.Name = name;
  f.Size = size;
  f.Style = style;
  f.Color = color;
  f.CharSet = charset;
  return f;
}

using FontDialogTest = UiTest;

TEST_F(FontDialogTest, TheRunnersAnswerBecomesTheFont) {
  const std::string shown = "font dialog: Tahoma 9 1 255\n";
  auto refused = [&](const std::string& why) {
    return shown + "error: " + why + "; the dialog was cancelled\n";
  };
  const std::vector<FontDialogCase> cases = {
      {"no dialog: the values pass",
       0,
       {"font Arial 12 0 0"},
       Font("Tahoma", 9, 1, 255, 204),
       "",
       "font Arial 12 0 0"},
      {"a face with spaces, every style bit",
       1,
       {"font Courier New 12 15 0x00FF00"},
       Font("Courier New", 12, 15, 0xFF00, 204),
       shown,
       std::nullopt},
      {"tenths cut, decimal colour",
       1,
       {"font Arial  10.5 2 16711680"},
       Font("Arial", 10, 2, 0xFF0000, 204),
       shown,
       std::nullopt},
      {"cancel fires nothing", 1, {"font cancel"}, std::nullopt, shown, std::nullopt},
      {"the end of the input cancels", 1, {}, std::nullopt, shown, std::nullopt},
      {"another command cancels and runs next",
       1,
       {"click q1.1"},
       std::nullopt,
       refused("the font dialog is open: answer font FACE SIZE STYLE COLOR or font cancel"),
       "click q1.1"},
      {"size",
       1,
       {"font Arial 0 0 0"},
       std::nullopt,
       refused("font size \"0\" is not 1 to 255 points"),
       std::nullopt},
      {"style",
       1,
       {"font Arial 12 16 0"},
       std::nullopt,
       refused("font style \"16\" is not 0 to 15"),
       std::nullopt},
      {"colour",
       1,
       {"font Arial 12 0 0x1000000"},
       std::nullopt,
       refused("font colour \"0x1000000\" is not 0 to 0xFFFFFF"),
       std::nullopt},
      {"no face",
       1,
       {"font 12 0 0"},
       std::nullopt,
       refused("font needs FACE SIZE STYLE COLOR, or cancel"),
       std::nullopt},
  };
  for (const FontDialogCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::deque<std::string> lines(c.input.begin(), c.input.end());
    TFontDialogInput dialogs([&](std::string& l) {
      if (lines.empty()) return false;
      l = lines.front();
      lines.pop_front();
      return true;
    });
    THIFont font;
    font.Font = Font("Tahoma", 9, 1, 255, 204);
    font.ShowDialog = c.showDialog;
    Probe probe;
    font.onFont = probe.work();
    Send<&THIFont::doFont>(&font, TData());
    EXPECT_EQ(probe.count(), c.fired ? 1u : 0u);
    if (c.fired) {
      EXPECT_EQ(font.Last(), *c.fired);
    }
    EXPECT_EQ(dialogs.TakeOutput(), c.output);
    std::string next;
    EXPECT_EQ(dialogs.NextLine(next), c.runNext.has_value());
    if (c.runNext) {
      EXPECT_EQ(next, *c.runNext);
    }
  }
}

}  // namespace
