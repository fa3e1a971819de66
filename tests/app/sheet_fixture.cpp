#include "sheet_fixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/os.h"
#include "ui/backend.h"
#include "ui/backends/headless/backend_headless.h"

const TWindowState& TDump::operator[](const std::string& name) const {
  static const TWindowState none{"<missing>", {}};
  auto it = Windows.find(name);
  return it == Windows.end() ? none : it->second;
}

std::vector<std::string> TDump::BoldNames(std::string_view prefix) const {
  std::vector<std::string> out;
  for (const std::string& n : Order)
    if (n.rfind(prefix, 0) == 0 && Windows.at(n).Bold()) out.push_back(n);
  return out;
}

TDump ParseDump(const std::string& text) {
  TDump d;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line == ".") break;
    size_t t1 = line.find('\t');
    size_t t2 = line.find('\t', t1 + 1);
    if (t1 == std::string::npos || t2 == std::string::npos) continue;
    std::string name = line.substr(0, t1);
    TWindowState w;
    w.Text = line.substr(t1 + 1, t2 - t1 - 1);
    std::istringstream flags(line.substr(t2 + 1));
    std::string f;
    while (flags >> f) {
      size_t eq = f.find('=');
      if (eq != std::string::npos) w.Flags[f.substr(0, eq)] = f.substr(eq + 1);
    }
    d.Order.push_back(name);
    d.Windows[name] = w;
  }
  return d;
}

void SheetTest::SetUp() {
  SetBackend(&HeadlessBackend());  // a test on another backend installs it after this
  OldDir = std::filesystem::current_path();
  DataDir = Temp.Root() / "data";
  ProgramDir = Temp.Root() / "prefix" / "bin";
  ShareDir = Temp.Root() / "prefix" / "share" / "herosheet";
  UserConfigDir = Temp.Root() / "config" / "herosheet";
  std::filesystem::create_directories(DataDir);
  std::filesystem::create_directories(ProgramDir);
  std::filesystem::current_path(DataDir);
  os::SetProgramFolder(ProgramDir.string() + "/");
  // Any language file makes the program folder a portable one; no test chooses this one.
  WriteProgram("keep-portable.lng", "");
  if (const char* x = std::getenv("XDG_CONFIG_HOME")) {
    HadXdg = true;
    OldXdg = x;
  }
  setenv("XDG_CONFIG_HOME", (Temp.Root() / "config").string().c_str(), 1);
}

void SheetTest::MakeInstalled() {
  std::filesystem::remove(ProgramDir / "keep-portable.lng");
  std::filesystem::create_directories(ShareDir);
}

void SheetTest::TearDown() {
  Sheet.reset();
  SetBackend(nullptr);
  os::SetProgramFolder("");
  if (HadXdg)
    setenv("XDG_CONFIG_HOME", OldXdg.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
  std::filesystem::current_path(OldDir);
  // A test may start over (TearDown, SetUp) in fresh folders.
  std::error_code ec;
  std::filesystem::permissions(ProgramDir, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(DataDir, ec);
  std::filesystem::remove_all(Temp.Root() / "prefix", ec);
  std::filesystem::remove_all(Temp.Root() / "config", ec);
}

static void WriteFile(const std::filesystem::path& p, std::string_view bytes) {
  std::ofstream f(p, std::ios::binary);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void SheetTest::WriteData(const std::string& name, std::string_view bytes) {
  WriteFile(DataDir / name, bytes);
}

void SheetTest::WriteProgram(const std::string& name, std::string_view bytes) {
  WriteFile(ProgramDir / name, bytes);
}

static std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string SheetTest::ReadProgram(const std::string& name) const {
  return ReadFile(ProgramDir / name);
}

void SheetTest::WriteShare(const std::string& name, std::string_view bytes) {
  WriteFile(ShareDir / name, bytes);
}

std::string SheetTest::ReadUserConfig() const {
  return ReadFile(UserConfigDir / "config.ini");
}

void SheetTest::CopySampleData() {
  for (const char* n : {"choice.ini", "array.ini"})
    std::filesystem::copy_file(std::filesystem::path(HS_SAMPLE_DATA_DIR) / n, DataDir / n,
                               std::filesystem::copy_options::overwrite_existing);
}

void SheetTest::Start() {
  Sheet.reset();  // one sheet at a time: the old one's shutdown clears the shared state
  auto input = std::make_unique<TSimulatorInput>();
  Mouse = &input->Simulator();
  Sheet = std::make_unique<TSheetRunner>(std::move(input));
}

std::string SheetTest::Do(std::string_view line) {
  return Sheet->Execute(line);
}

TDump SheetTest::Dump() {
  return ParseDump(Do("dump"));
}

std::string SheetTest::Text(const std::string& name) {
  TControl* c = Sheet->Find(name);
  return c ? c->Text() : std::string("<missing>");
}

std::vector<std::string> SheetTest::Values(const std::string& box, int items) {
  std::vector<std::string> out;
  for (int i = 0; i < items; ++i)
    out.push_back(Text(box + ".value." + std::to_string(i)));
  return out;
}

void TSpy::doEvent(TData& data, uint16_t) {
  std::string entry = Name;
  if (WithValue) entry += "=" + ToString(data);
  if (Note) entry += ":" + Note();
  Log->push_back(entry);
  FireData(Forward, data);
}

TSpy* Spy(std::vector<std::unique_ptr<TSpy>>& spies, std::vector<std::string>* log,
          const std::string& name, THI_Event& slot) {
  spies.push_back(std::make_unique<TSpy>(log, name, slot));
  slot = MakeEvent<&TSpy::doEvent>(spies.back().get());
  return spies.back().get();
}
