// Text to lines and name=value arrays: TStrList against a plain model (split, Set, Add, Text),
// THIIntegerArray in text mode (first-match names, by-name Get and Set) and in raw mode.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "elements/integerarray.h"
#include "elements/tstrlist.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
  }
}

// CR or CR LF end a line, a lone LF does not, a zero byte ends the text.
std::vector<std::string> ModelLines(std::string_view text) {
  std::vector<std::string> out;
  std::string cur;
  size_t i = 0;
  bool open = false;
  for (; i < text.size() && text[i] != '\0'; ++i) {
    if (text[i] == '\r') {
      out.push_back(cur);
      cur.clear();
      open = false;
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      cur.push_back(text[i]);
      open = true;
    }
  }
  if (open) out.push_back(cur);
  return out;
}

std::string CutZero(std::string s) {
  size_t z = s.find('\0');
  if (z != std::string::npos) s.resize(z);
  return s;
}

void SameLines(const TStrList& list, const std::vector<std::string>& model) {
  Check(list.Count() == model.size(), "line count differs from the model");
  for (size_t i = 0; i < model.size(); ++i)
    Check(list.Line(i) == model[i], "line differs");
  Check(list.Line(model.size()).empty(), "a line past the end is not empty");
}

void FuzzStrList(FuzzedDataProvider& in) {
  std::string text = in.ConsumeRandomLengthString(1 << 16);
  TStrList list;
  list.SetText(text);
  std::vector<std::string> model = ModelLines(text);
  SameLines(list, model);

  // A short program of edits, some taking a line of the list itself as the new text.
  int steps = in.ConsumeIntegralInRange(0, 64);
  for (int s = 0; s < steps && in.remaining_bytes() > 0; ++s) {
    size_t i = in.ConsumeIntegralInRange<size_t>(0, model.size() + 1);
    switch (in.ConsumeIntegralInRange(0, 4)) {
      case 0: {
        std::string v = in.ConsumeRandomLengthString(9000);
        list.Set(i, v);
        if (i < model.size()) model[i] = CutZero(v);
        break;
      }
      case 1: {
        std::string v = in.ConsumeRandomLengthString(9000);
        list.Add(v);
        model.push_back(CutZero(v));
        break;
      }
      case 2: {  // a line of the list written into another one
        if (model.empty()) break;
        size_t from = in.ConsumeIntegralInRange<size_t>(0, model.size() - 1);
        size_t cut = in.ConsumeIntegralInRange<size_t>(0, model[from].size());
        list.Set(i, list.Line(from).substr(cut));
        if (i < model.size()) model[i] = model[from].substr(cut);
        break;
      }
      case 3: {  // a line of the list appended again
        if (model.empty()) break;
        size_t from = in.ConsumeIntegralInRange<size_t>(0, model.size() - 1);
        list.Add(list.Line(from));
        model.push_back(model[from]);
        break;
      }
      default:
        if (in.ConsumeBool()) {
          list.Clear();
          model.clear();
        }
        break;
    }
  }
  SameLines(list, model);

  // Text() joins the lines with CR LF; read back, it splits again by the same rule (a line
  // added with a CR in it comes back as two).
  std::string joined;
  for (const std::string& l : model)
    joined += l + "\r\n";
  Check(list.Text() == joined, "Text() differs");
  TStrList again;
  again.SetText(joined);
  SameLines(again, ModelLines(joined));
}

void FuzzArray(FuzzedDataProvider& in) {
  std::string text = in.ConsumeRandomLengthString(1 << 16);
  THIIntegerArray a;
  a.ByName = true;
  a.LoadText(text);

  std::vector<std::string> lines = ModelLines(text);
  std::vector<std::string> names;
  std::vector<int32_t> items;
  for (const std::string& l : lines) {
    size_t eq = l.find('=');
    names.push_back(eq == std::string::npos ? l : l.substr(0, eq));
    items.push_back(ParseInt(eq == std::string::npos ? l : l.substr(eq + 1)));
  }
  Check(a.Size() == items.size(), "item count differs");
  for (size_t i = 0; i < items.size(); ++i) {
    Check(a.ItemAt(i) == items[i], "item differs");
    Check(a.NameAt(i) == names[i], "name differs");
  }

  auto first = [&](const std::string& n) -> long {
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i] == n) return static_cast<long>(i);
    return -1;
  };
  // Lookups by the loaded names, by numbers and by texts taken from the input.
  int probes = in.ConsumeIntegralInRange(0, 32);
  for (int p = 0; p < probes; ++p) {
    std::string key;
    switch (in.ConsumeIntegralInRange(0, 2)) {
      case 0:
        if (!names.empty()) key = names[in.ConsumeIntegralInRange<size_t>(0, names.size() - 1)];
        break;
      case 1:
        key = std::to_string(in.ConsumeIntegralInRange<long>(-2, static_cast<long>(names.size())));
        break;
      default:
        key = in.ConsumeRandomLengthString(16);
        break;
    }
    long at = first(key);
    TData got;
    bool ok = a.Intf.Get(MakeString(key), got);
    if (at >= 0) {
      Check(ok && ToInteger(got) == items[static_cast<size_t>(at)], "by-name Get missed");
    } else {
      TData idx = MakeString(key);
      int32_t i = ToIndex(idx);
      bool byPos = i >= 0 && static_cast<size_t>(i) < items.size() && key == FormatInt(i);
      Check(ok == byPos, "Get by position differs");
      if (ok) Check(ToInteger(got) == items[static_cast<size_t>(i)], "Get by position item");
    }
    int32_t v = in.ConsumeIntegral<int32_t>();
    a.Intf.Set(MakeString(key), MakeInteger(v));
    if (at >= 0) {
      items[static_cast<size_t>(at)] = v;
    } else {
      TData idx = MakeString(key);
      int32_t i = ToIndex(idx);
      if (i >= 0 && static_cast<size_t>(i) < items.size()) items[static_cast<size_t>(i)] = v;
    }
    Check(a.Intf.Count() == static_cast<int32_t>(items.size()), "Count changed");
    for (size_t i = 0; i < items.size(); ++i)
      Check(a.ItemAt(i) == items[i], "Set hit the wrong item");
  }

  // Raw mode: whole 4-byte items, the rest ignored.
  std::string raw = in.ConsumeRemainingBytesAsString();
  THIIntegerArray r;
  r.LoadRaw(raw);
  Check(r.Size() == raw.size() / 4, "raw item count");
  for (size_t i = 0; i < r.Size(); ++i) {
    int32_t v;
    std::memcpy(&v, raw.data() + i * 4, 4);
    Check(r.ItemAt(i) == v, "raw item differs");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  if (in.ConsumeBool())
    FuzzStrList(in);
  else
    FuzzArray(in);
  return 0;
}
