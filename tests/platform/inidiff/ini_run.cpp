#include "tests/platform/inidiff/ini_run.h"

#include <cstdio>
#include <cstdlib>

#include "platform/os.h"

namespace inidiff {
namespace {

bool PutFile(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

Answer RunOp(const Op& op, const std::string& path) {
  Answer a;
  switch (op.Kind) {
    case OpKind::ReadString:
      a.Text = os::ReadProfileString(op.Section, op.Key, op.Value, path);
      break;
    case OpKind::ReadInt: {
      auto deflt = static_cast<int32_t>(std::strtol(op.Value.c_str(), nullptr, 10));
      a.Text = std::to_string(os::ReadProfileInt(op.Section, op.Key, deflt, path));
      break;
    }
    case OpKind::Write: {
      a.Written = os::WriteProfileString(op.Section, op.Key, op.Value, path);
      std::string bytes;
      if (os::ReadWholeFile(path, bytes)) a.File = std::move(bytes);
      break;
    }
  }
  return a;
}

}  // namespace

std::optional<Outcome> RunCase(const Case& c) {
  // A fresh name per case: the Windows calls keep recently used files cached.
  std::string path = "c" + std::to_string(c.Id) + ".ini";
  std::remove(path.c_str());
  if (c.File && !PutFile(path, *c.File)) return std::nullopt;
  Outcome out;
  out.Id = c.Id;
  for (const Op& op : c.Ops)
    out.Answers.push_back(RunOp(op, path));
  std::remove(path.c_str());
  return out;
}

}  // namespace inidiff
