#include "elements/formatstr.h"

#include <cstddef>

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
  // every argument. Those are held to a bound of twice the size of mask and arguments (one that
  // would pass it stays as it is); the mask's own placeholders are always filled.
  size_t limit = mask.size();
  for (const std::string& a : args)
    limit += a.size();
  limit = 2 * limit + 4096;
  std::vector<bool> inArg(r.size(), false);  // bytes that came from an inserted argument
  for (size_t n = 0; n < args.size(); ++n) {
    std::string place(1, '%');
    place.append(std::to_string(n + 1));
    const std::string& arg = args[n];
    // One left-to-right pass into a fresh text keeps this linear in the text's size.
    std::string out;
    std::vector<bool> outArg;
    out.reserve(r.size());
    outArg.reserve(r.size());
    auto copy = [&](size_t from, size_t to) {
      out.append(r, from, to - from);
      outArg.insert(outArg.end(), inArg.begin() + static_cast<std::ptrdiff_t>(from),
                    inArg.begin() + static_cast<std::ptrdiff_t>(to));
    };
    size_t p = 0;
    for (;;) {
      size_t at = r.find(place, p);
      if (at == std::string::npos) break;
      size_t after = at + place.size();
      bool tooBig =
          inArg[at] && out.size() + (at - p) + 1 + arg.size() + (r.size() - after) > limit;
      if ((after < r.size() && IsDigit(r[after])) || tooBig) {
        copy(p, after);
        p = after;
        continue;
      }
      copy(p, at);
      out.push_back('\1');
      out.append(arg);
      outArg.insert(outArg.end(), arg.size() + 1, true);
      p = after;
    }
    copy(p, r.size());
    r.swap(out);
    inArg.swap(outArg);
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
