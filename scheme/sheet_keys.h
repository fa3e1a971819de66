// What the sheet shows, for tools that check data files against it: every caption key the sheet
// translates, the answers of the list each block of choice.ini feeds, and the label of a code.
// All of it is read from the layouts the sheet is built from.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

struct TAnswerList {
  int Question = 0;                       // 1 .. 5
  int Sex = 0;                            // 0 the question's only list, 1 male, 2 female
  std::string_view Caption;               // the question's caption key
  std::vector<std::string_view> Answers;  // caption keys of answers 0 .. n
};

// Every caption key the sheet translates, once each, in the order of the sheet's parts.
std::vector<std::string_view> SheetCaptionKeys();
// Message keys the programs translate when they have something to say (a paste they cannot
// open): used, but a language file may leave them out (the message is then in English).
constexpr std::string_view PasteNoCodeKey = "msg_paste_no_code";
// The page's messages about input it refuses (a data address, files, answers in its address).
constexpr std::string_view DataMissingKey = "msg_data_missing";
constexpr std::string_view DataTooBigKey = "msg_data_too_big";
constexpr std::string_view DataOtherSiteKey = "msg_data_other_site";
constexpr std::string_view DataBadAddressKey = "msg_data_bad_address";
constexpr std::string_view FilesPairKey = "msg_files_pair";
constexpr std::string_view FilesFolderKey = "msg_files_folder";
constexpr std::string_view FilesNotDataKey = "msg_files_not_data";
constexpr std::string_view AnswersRefusedKey = "msg_answers_refused";
inline std::vector<std::string_view> MessageKeys() {
  return {PasteNoCodeKey, DataMissingKey, DataTooBigKey,   DataOtherSiteKey, DataBadAddressKey,
          FilesPairKey,   FilesFolderKey, FilesNotDataKey, AnswersRefusedKey};
}
// The list that block b (0 .. 6) of choice.ini feeds; Question 0 for a number outside.
TAnswerList AnswerListOfBlock(int block);
// The caption key of the result row whose value label shows code, or "" when none does.
std::string_view LabelKeyOfCode(int32_t code);
