#include "app/web_page.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "app/page_input.h"
#include "platform/os.h"

// clang-format off
EM_JS(char*, hs_page_fragment, (), {
  const h = location.hash.replace(/^#/, "");
  const n = lengthBytesUTF8(h) + 1;
  const p = _malloc(n);
  stringToUTF8(h, p, n);
  return p;
});
EM_JS(char*, hs_page_address, (), {
  const a = location.href.split("#")[0];
  const n = lengthBytesUTF8(a) + 1;
  const p = _malloc(n);
  stringToUTF8(a, p, n);
  return p;
});
EM_JS(void, hs_page_set_fragment, (const char* f), {
  const text = UTF8ToString(f);
  if (location.hash.replace(/^#/, "") === text) return;
  const url = location.pathname + location.search + (text ? "#" + text : "");
  history.replaceState(history.state, "", url);
});
EM_JS(void, hs_page_keep, (const char* path), { HsPage.keep(UTF8ToString(path)); });
EM_JS(void, hs_page_say, (const char* key), { HsPage.say(UTF8ToString(key)); });
EM_JS(void, hs_page_mark, (const char* name), { performance.mark(UTF8ToString(name)); });
EM_JS(void, hs_page_mark_after_frame, (const char* name), {
  const n = UTF8ToString(name);
  requestAnimationFrame(() => setTimeout(() => performance.mark(n), 0));
});
// clang-format on

namespace {

std::function<std::string(std::string_view)>& CommandHandler() {
  static std::function<std::string(std::string_view)> h;
  return h;
}

std::function<void()>& DataHandler() {
  static std::function<void()> h;
  return h;
}

std::string& CommandAnswer() {
  static std::string s;
  return s;
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE const char* herosheet_command(const char* line) {
  CommandAnswer() = CommandHandler() ? CommandHandler()(line ? line : "") : std::string();
  return CommandAnswer().c_str();
}

extern "C" EMSCRIPTEN_KEEPALIVE void hs_web_data_replaced() {
  if (DataHandler()) DataHandler()();
}

// The page's questions before it takes input: where ?data= points (the folder, or "!" and the
// refusal's key), whether a pair of files is data, a message's text, the data files' size bound.
// The first two and the bound are asked before main (the page's preRun): they use no object
// that start-up constructs.
extern "C" EMSCRIPTEN_KEEPALIVE const char* hs_web_data_address(const char* page,
                                                                const char* param) {
  static std::string answer;
  TDataAddress a = CheckDataAddress(page ? page : "", param ? param : "");
  answer = a.Refusal.empty() ? a.Folder : "!" + std::string(a.Refusal);
  return answer.c_str();
}

extern "C" EMSCRIPTEN_KEEPALIVE int hs_web_is_data(const char* choice, int choiceSize,
                                                   const char* array, int arraySize) {
  return IsDataPair({choice, static_cast<size_t>(choiceSize)},
                    {array, static_cast<size_t>(arraySize)});
}

extern "C" EMSCRIPTEN_KEEPALIVE const char* hs_web_message(const char* key) {
  static std::string text;
  text = PageMessage(key ? key : "");
  return text.c_str();
}

extern "C" EMSCRIPTEN_KEEPALIVE double hs_web_data_max() {
  return static_cast<double>(os::kDataFileMax);
}

namespace web {

void SetCommandHandler(std::function<std::string(std::string_view)> handler) {
  CommandHandler() = std::move(handler);
}

void SetDataHandler(std::function<void()> handler) {
  DataHandler() = std::move(handler);
}

std::string Address() {
  char* p = hs_page_address();
  std::string s = p ? p : "";
  std::free(p);
  return s;
}

std::string Fragment() {
  char* p = hs_page_fragment();
  std::string s = p ? p : "";
  std::free(p);
  return s;
}

void SetFragment(std::string_view fragment) {
  std::string f(fragment);
  hs_page_set_fragment(f.c_str());
}

void KeepFile(const std::string& path) {
  static std::unordered_map<std::string, std::string> kept;
  std::string bytes;
  if (!os::ReadWholeFile(path, bytes)) return;
  auto it = kept.find(path);
  if (it == kept.end()) {
    kept[path] = bytes;  // as the page restored it at load
    return;
  }
  if (it->second == bytes) return;
  it->second = bytes;
  hs_page_keep(path.c_str());
}

void Say(std::string_view key) {
  std::string k(key);
  hs_page_say(k.c_str());
}

void Mark(const char* name) {
  hs_page_mark(name);
}

void MarkAfterFrame(const char* name) {
  hs_page_mark_after_frame(name);
}

}  // namespace web
