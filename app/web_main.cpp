// herosheet.html: the hero sheet in a browser page, on the web backend. The program folder and
// the current folder are both /herosheet, filled from the data bundle before main; config.ini
// and registry.ini there are kept in the browser's storage. The page's URL fragment follows the
// answers, and a fragment present at load is committed after the start-up reset.
#include <memory>
#include <string>
#include <string_view>

#include "app/page_input.h"
#include "app/share_link.h"
#include "app/sheet_runner.h"
#include "app/web_page.h"
#include "platform/os.h"
#include "platform/registry.h"
#include "ui/backends/web/backend_web.h"

namespace {

// The page's mouse and keyboard as the sheet's input: real DOM events at the controls' spots.
class TPageInput : public TSheetInput {
 public:
  void MoveTo(TControl& c, int x, int y) override { WebBackend().PointerMove(c, x, y); }
  void Click(TControl& c) override { WebBackend().PointerClick(c); }
  void PressKey(int key, bool shift, bool ctrl) override {
    WebBackend().KeyStroke(key, shift, ctrl);
  }
  bool PickItem(TControl& combo, int index) override { return WebBackend().PickItem(combo, index); }
  bool CloseForm(TControl& form) override { return form.Close(true); }
  void Leave() override { WebBackend().PointerLeave(); }
};

std::unique_ptr<TSheetRunner> g_sheet;
bool g_opening = false;
std::string g_fragment;

// The page follows the sheet: the fragment holds the answers, config.ini and the registry store
// go to storage.
void FollowSheet() {
  if (g_opening || !g_sheet || g_sheet->Closed()) return;
  std::string f = AnswerFragment(CheckedAnswers(*g_sheet->Sheet()));
  if (f != g_fragment) {
    g_fragment = f;
    web::SetFragment(f);
  }
  web::KeepFile(os::ProgramFolder() + "config.ini");
  web::KeepFile(os::RegistryStorePath());
}

void StartSheet(std::string_view link) {
  g_sheet.reset();
  g_opening = true;
  g_sheet = std::make_unique<TSheetRunner>(std::make_unique<TPageInput>());
  g_sheet->SetAddress(web::Address());
  if (!link.empty()) {
    auto answers = ParseAnswerCode(link);
    if (!answers || !OpenAnswers(*g_sheet->Sheet(), g_sheet->Input(), *answers))
      web::Say(AnswersRefusedKey);
  }
  g_opening = false;
  g_fragment = "\x01";  // unknown: the next follow writes it
  FollowSheet();
}

// Window geometry for the page's tests: name, element id, left and top in the form's client
// area, width, height and whether it shows; one line each.
std::string Geometry() {
  std::string out;
  for (const auto& [name, c] : g_sheet->Names()) {
    int x = 0, y = 0;
    c->OriginIn(nullptr, x, y);
    out += name + "\t" + std::to_string(WebBackend().ElementId(*c)) + "\t" + std::to_string(x) +
           "\t" + std::to_string(y) + "\t" + std::to_string(c->Width()) + "\t" +
           std::to_string(c->Height()) + "\t" + (c->Showing() ? "1" : "0") + "\n";
  }
  return out + ".\n";
}

std::string Command(std::string_view line) {
  if (!g_sheet) return "error: the form is closed\n";
  if (line == "geometry") return g_sheet->Closed() ? "error: the form is closed\n" : Geometry();
  std::string out = g_sheet->Execute(line);
  FollowSheet();
  return out;
}

}  // namespace

int main() {
  web::Mark("herosheet-main");
  SetBackend(&WebBackend());
  WebBackend().SetAfterInput(FollowSheet);
  web::SetCommandHandler(Command);
  web::SetDataHandler([] { StartSheet({}); });
  // The page draws no frame before main returns, so the mark asked for now comes right after the
  // frame that shows the sheet, before the work the build left for later.
  web::MarkAfterFrame("herosheet-first-frame");
  StartSheet(web::Fragment());
  web::Mark("herosheet-built");
  return 0;
}
