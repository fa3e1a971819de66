// A control listener that writes every notification as one short line ("Label: down 1 5,7
// keys 1"; " late" at the end when the control had no window), for tests that drive a backend
// and check what reached the window layer.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "ui/control.h"

class Recorder : public TControlListener {
 public:
  std::vector<std::string> Log;
  bool AllowClose = true;

  void CtlMouseDown(TControl& c, const TMouseInfo& m) override {
    Add(c, "down " + std::to_string(m.Button) + " " + Xy(m) + " keys " + std::to_string(m.Keys));
  }
  void CtlMouseMove(TControl& c, const TMouseInfo& m) override {
    Add(c, "move " + Xy(m) + " keys " + std::to_string(m.Keys));
  }
  void CtlMouseUp(TControl& c, const TMouseInfo& m) override {
    Add(c, "up " + std::to_string(m.Button) + " " + Xy(m) + " keys " + std::to_string(m.Keys));
  }
  void CtlMouseWheel(TControl& c, const TMouseInfo& m) override {
    Add(c, "wheel " + std::to_string(m.Wheel) + " " + Xy(m));
  }
  void CtlMouseHover(TControl& c) override { Add(c, "hover"); }
  void CtlMouseLeave(TControl& c) override { Add(c, "leave"); }
  void CtlKeyDown(TControl& c, int key) override { Add(c, "key " + std::to_string(key)); }
  void CtlKeyUp(TControl& c, int key) override { Add(c, "keyup " + std::to_string(key)); }
  void CtlChar(TControl& c, std::string_view t) override { Add(c, "char " + std::string(t)); }
  void CtlFocus(TControl& c, bool gained) override { Add(c, gained ? "focus" : "blur"); }
  void CtlShow(TControl& c, bool shown) override { Add(c, shown ? "show" : "hide"); }
  bool CtlClose(TControl& c, bool asked) override {
    Add(c, asked ? "close asked" : "close");
    return AllowClose;
  }
  void CtlClick(TControl& c) override { Add(c, "click"); }
  void CtlSelChange(TControl& c) override { Add(c, "pick " + std::to_string(c.ItemIndex())); }
  void CtlModalEnd(TControl& c, int result) override {
    Add(c, "modal end " + std::to_string(result));
  }

  bool AnyLate() const {
    return std::any_of(Log.begin(), Log.end(), [](const std::string& l) {
      return l.size() >= 5 && l.compare(l.size() - 5, 5, " late") == 0;
    });
  }
  bool Has(const std::string& line) const {
    return std::find(Log.begin(), Log.end(), line) != Log.end();
  }
  int Count(const std::string& line) const {
    return static_cast<int>(std::count(Log.begin(), Log.end(), line));
  }
  // The lines of one control (by its text), without the prefix.
  std::vector<std::string> Of(const std::string& text) const {
    std::vector<std::string> out;
    std::string prefix = text + ": ";
    for (const std::string& l : Log)
      if (l.rfind(prefix, 0) == 0) out.push_back(l.substr(prefix.size()));
    return out;
  }

 private:
  static std::string Xy(const TMouseInfo& m) {
    return std::to_string(m.X) + "," + std::to_string(m.Y);
  }
  // What reaches a control without a window is marked: nothing may reach it then.
  void Add(TControl& c, const std::string& what) {
    Log.push_back(c.Text() + ": " + what + (c.HasWindow() ? "" : " late"));
  }
};
