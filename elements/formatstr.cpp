#include "elements/formatstr.h"

namespace {
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
}  // namespace

std::string FormatMask(std::string_view mask, const std::vector<std::string>& args) {
  // "%%" becomes a zero byte, the marker of a literal percent sign.
  std::string r;
  r.reserve(mask.size());
  for (size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] == '%' && i + 1 < mask.size() && mask[i + 1] == '%') {
      r.push_back('\0');
      ++i;
    } else {
      r.push_back(mask[i]);
    }
  }
  // Placeholders inside inserted arguments are filled too, which can multiply the text with
  // every argument. The result is held to a few times the size of mask and arguments: a
  // placeholder whose text would pass that bound stays as it is.
  size_t limit = mask.size() + 4096;
  for (const std::string& a : args)
    limit += a.size();
  limit *= 4;
  for (size_t n = 0; n < args.size(); ++n) {
    std::string place(1, '%');
    place.append(std::to_string(n + 1));
    const std::string& arg = args[n];
    // One left-to-right pass into a fresh text keeps this linear in the text's size.
    std::string out;
    out.reserve(r.size());
    size_t p = 0;
    for (;;) {
      size_t at = r.find(place, p);
      if (at == std::string::npos) break;
      size_t after = at + place.size();
      if (after < r.size() && IsDigit(r[after])) {
        out.append(r, p, after - p);
        p = after;
        continue;
      }
      if (out.size() + (at - p) + 1 + arg.size() + (r.size() - after) > limit) {
        out.append(r, p, after - p);
        p = after;
        continue;
      }
      out.append(r, p, at - p);
      out.push_back('\1');
      out.append(arg);
      p = after;
    }
    out.append(r, p, std::string::npos);
    r.swap(out);
  }
  std::string result;
  result.reserve(r.size());
  for (char c : r) {
    if (c == '\1') continue;
    result.push_back(c == '\0' ? '%' : c);
  }
  return result;
}

void THIFormatStr::SetCount(int32_t n) {
  Count = n < 0 ? 0 : n;
  StrPoint.assign(static_cast<size_t>(Count), THI_Event{});
}

void THIFormatStr::doFormat(TData& data, uint16_t) {
  std::vector<std::string> args;
  args.reserve(StrPoint.size());
  for (const THI_Event& point : StrPoint)
    args.push_back(ReadString(data, point));
  RedirectString(data, onFormat, FormatMask(Mask, args));
}
