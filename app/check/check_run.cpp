#include "app/check/check_run.h"

#include <filesystem>
#include <system_error>

#include "app/check/answer_effects_table.h"
#include "app/check/code_file_check.h"
#include "app/check/json_report.h"
#include "app/check/language_check.h"
#include "app/check/source_text.h"
#include "scheme/choice_loader.h"
#include "scheme/sheet_keys.h"

namespace {

const std::string EnglishFile = "en.lng";

// Makes folder the current folder for the life of the object.
class TFolderScope {
 public:
  explicit TFolderScope(const std::string& folder) {
    old_ = std::filesystem::current_path(ec_);
    if (!ec_) std::filesystem::current_path(folder, ec_);
    entered_ = !ec_;
  }
  ~TFolderScope() {
    if (entered_) std::filesystem::current_path(old_, ec_);
  }
  bool Entered() const { return entered_; }

 private:
  std::filesystem::path old_;
  std::error_code ec_;
  bool entered_ = false;
};

}  // namespace

TFolderCheck CheckCurrentFolder() {
  TFolderCheck check;
  TFindings& findings = check.Findings;
  const std::string codeFile(choice_format::CodeFile);
  TSourceText codeSrc = ReadSourceText(codeFile, true, findings);
  THIIntegerArray codes;
  codes.FileName = codeFile;
  codes.TextMode = true;
  codes.ByName = true;
  TData none;
  codes.doLoad(none, 0);
  CheckCodeFile(codeSrc, codes, findings);

  TSourceText choiceSrc = ReadSourceText(std::string(choice_format::ChoiceFile), true, findings);
  check.Blocks = CheckChoiceFile(choiceSrc, codes, codeSrc.Readable, findings);

  const std::vector<std::string_view> keys = SheetCaptionKeys();
  for (const std::string& name : LanguageFileNames())
    CheckLanguageFile(ReadSourceText(name, false, findings), keys, findings);
  findings.Sort();
  return check;
}

int RunCheck(const std::string& folder, TCheckOutput mode, std::ostream& out, std::ostream& err) {
  TFolderScope scope(folder);
  if (!scope.Entered()) {
    err << "herosheet-check: cannot open the folder " << folder << "\n";
    return 2;
  }
  TFolderCheck check = CheckCurrentFolder();
  if (mode == TCheckOutput::Findings) {
    for (const TFinding& f : check.Findings.All())
      out << FormatFinding(f) << "\n";
    return check.Findings.ExitStatus();
  }
  TFindings ignored;
  TSourceText english = ReadSourceText(EnglishFile, false, ignored);
  TTexts texts = LanguageTexts(english);
  const TTexts* names = english.Readable ? &texts : nullptr;
  std::vector<TListTable> lists = ComputeAnswerEffects();
  if (mode == TCheckOutput::Json) {
    out << JsonReport(check.Findings, lists, names);
  } else {
    out << EffectsMarkdown(lists, names);
    for (const TFinding& f : check.Findings.All())
      err << FormatFinding(f) << "\n";
  }
  return check.Findings.ExitStatus();
}
