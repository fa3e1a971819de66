// The Win32 backend: every TControl is a real window of the class its kind names ("STATIC",
// "BUTTON", "COMBOBOX", "tooltips_class32", and the layer's own form and application classes).
// Native() of a control is its HWND.
//
// Implements: every control kind; every change bit (styles again with SetWindowLongPtr, fonts
// cached per record, colours through WM_CTLCOLOR* and the own painting of labels and panels,
// tool tips through the common controls with a maximum width so that their line breaks hold,
// opacity where SetLayeredWindowAttributes exists, window state, the icon resource a top window
// names, else "MAINICON", else the system's); stacking (SetWindowPos); focus, capture, system move;
// text extents, the screen's pixels per inch and the frame from the system; input from the window
// messages, leave from TrackMouseEvent, hover and tool tips timed by THoverTiming on thread timers
// (the tip control shows its tool when told, at the mouse); tracking tips with TTM_TRACKPOSITION
// and TTM_TRACKACTIVATE below their tracked point while on; a disabled form (a modal form is up)
// gets no input from the system (EnableWindow); a window hidden or destroyed under the mouse gets
// its leave at once; the font dialog (ChooseFontA). The clipboard as CF_UNICODETEXT (UTF-8 and
// "\n" inside, CR LF outside); messages as MessageBoxA over the owner's top window. For assistive
// technology, the layer's role, name, description and state (checked, unavailable, invisible,
// focusable, focused) as annotations of each control's client object through the system's
// IAccPropServices (forms, combo boxes and group boxes keep the system's role and state), again
// with a change event when one changes. Checked only against a recording service: wine creates
// the service, refuses the annotations (E_NOTIMPL) and describes every control as a plain
// client object named by its window text; the program runs on without them.
// Cannot: turn a combo box between list and edit field after creation (the class fixes it),
// show characters outside the system code page (the ANSI calls take "?"), announce a summary of
// the rows a click changed, or let a screen reader press a painted button.
// Not drawn: `Ctl3D` and a panel's bevels (`BevelInner`, `BevelOuter`, `BevelWidth`,
// `BorderWidth`) never reach the window layer (the elements keep them; the sheet's panel has no
// bevel); a form has no background picture (no element could set one).
//
// Test runs can ask for two extra services through the environment:
//   HS_WIN32_TRACE=<file>   appends one line per input notification and per visible change
//                           (click, select, hover, leave, text, font, check, show, close);
//   HS_WIN32_CLOSE=<file>   once that file exists, the first visible form is sent WM_CLOSE as
//                           if its close box had been clicked.
#pragma once

#include <string>
#include <string_view>

#include "ui/backend.h"

// The process's Win32 backend (installed with SetBackend by the program's entry).
TBackend& Win32Backend();

// The trace line prefix of a control: its kind and the ids from its top window down, such as
// "radio F1.4.2" (the form is F plus its id among the application's windows).
std::string Win32TraceName(const TControl& c);
// How the system takes the controls' descriptions for assistive technology: 0 (S_OK) while
// every annotation was kept, else the failing HRESULT (of creating the annotation service, or of
// the last annotation it refused).
long Win32AccessStatus();
// Tests: the annotations go to service (nullptr: to the system's service again).
struct IAccPropServices;
void SetWin32AccessService(IAccPropServices* service);
// Starts (or, with an empty path, stops) the trace; the environment variable does the same.
void SetWin32Trace(const std::string& path);

// Texts of the layer are UTF-8 (the language files are); the ANSI window calls take the system
// code page. Valid UTF-8 with non-ASCII bytes is converted (characters the code page lacks become
// "?"); anything else, plain ASCII or bytes already in the code page, passes unchanged.
std::string ToAnsiText(std::string_view text);
