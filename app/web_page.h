// The page around the web backend: the URL (query and fragment), files handed over by the page
// (a data URL's pair, a file picker or a drop), settings kept in the browser's storage, the
// scripted command hook and the page's performance marks; the script side is web/page.js.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace web {

// herosheetCommand(line) in the page: the handler's answer is the function's result.
void SetCommandHandler(std::function<std::string(std::string_view line)> handler);
// Called when the page replaced the data files in the current folder (picker or drop).
void SetDataHandler(std::function<void()> handler);

// The page's address without its fragment.
std::string Address();
// The URL fragment without "#" (empty when none).
std::string Fragment();
// Replaces the fragment without a new history entry; empty removes it.
void SetFragment(std::string_view fragment);

// Copies the file at path to the browser's storage when its bytes changed since the last copy
// (or since the page restored it at load); the copy is restored at the next load.
void KeepFile(const std::string& path);

// Shows the page message of key (app/page_input.h) in the page's note.
void Say(std::string_view key);

// performance.mark(name).
void Mark(const char* name);
// Marks name once the page has drawn its next frame.
void MarkAfterFrame(const char* name);

}  // namespace web
