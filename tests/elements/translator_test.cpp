// The translation table: choosing the file, the entry rules, Translate.
#include "elements/translator.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "tests/support/ui_fixture.h"

namespace {

void LoadIn(const TempFolder& dir) {
  dir.MakeProgramFolder();
  THITranslator t;
  t.BuiltIn.SetText("btn_clear");
  t.Load();
}

}  // namespace

using TranslatorTest = UiTest;

TEST_F(TranslatorTest, ChosenFileTranslatesItsKeysOnly) {
  TempFolder dir;
  dir.Write("config.ini", "[main]\r\nlanguage=ru\r\n");
  dir.Write("ru.lng", "btn_clear|Clear\r\nch1_caption|Gender\r\n");
  dir.Write("en.lng", "btn_clear|Wrong file\r\n");
  LoadIn(dir);
  EXPECT_TRUE(TranslationLoaded());
  EXPECT_EQ(Translate("btn_clear"), "Clear");
  EXPECT_EQ(Translate("ch1_caption"), "Gender");
  EXPECT_EQ(Translate("ch2_caption"), "ch2_caption");
  EXPECT_EQ(Translate("BTN_CLEAR"), "BTN_CLEAR");  // keys compare with letter case
}

TEST_F(TranslatorTest, EntryRules) {
  TempFolder dir;
  dir.Write("config.ini", "[main]\r\nlanguage=en\r\n");
  dir.Write("en.lng",
            "btn_exit|Back|to list\r\n"
            "btn_localization\r\n"
            "btn_msg_restart|\r\n"
            "\r\n"
            "skl_trade| Trade \r"
            "skl_trade|Second\r\n"
            "wpt_polearms|Pole\narms\r\n"
            "|empty key");
  LoadIn(dir);
  EXPECT_EQ(Translate("btn_exit"), "Back|to list");
  EXPECT_EQ(Translate("btn_localization"), "btn_localization");
  EXPECT_EQ(Translate("btn_msg_restart"), "");
  EXPECT_EQ(Translate("skl_trade"), " Trade ");        // the first line wins, spaces kept
  EXPECT_EQ(Translate("wpt_polearms"), "Pole\narms");  // a lone LF stays in the line
  EXPECT_EQ(Translate(""), "");                        // the empty line came first
  EXPECT_EQ(TranslationCount(), 8u);
}

TEST_F(TranslatorTest, NamesCompareWithLetterCaseButFilesMatchAnyCase) {
  TempFolder dir;
  dir.Write("config.ini", "[main]\r\nlanguage=RU\r\n");
  dir.Write("ru.lng", "btn_clear|Clear\r\n");
  LoadIn(dir);
  EXPECT_FALSE(TranslationLoaded());
  EXPECT_EQ(Translate("btn_clear"), "btn_clear");

  TempFolder upper;
  upper.Write("config.ini", "[main]\r\nlanguage=RU\r\n");
  upper.Write("RU.LNG", "btn_clear|Upper\r\n");
  upper.Write("RU.LNG.bak", "btn_clear|Backup\r\n");
  LoadIn(upper);
  EXPECT_EQ(Translate("btn_clear"), "Upper");
}

TEST_F(TranslatorTest, DottedNamesAndMissingChoices) {
  TempFolder dir;
  dir.Write("config.ini", "[main]\r\nlanguage=pt.br\r\n");
  dir.Write("pt.lng", "btn_clear|pt\r\n");
  dir.Write("pt.br.lng", "btn_clear|pt.br\r\n");
  LoadIn(dir);
  EXPECT_EQ(Translate("btn_clear"), "pt.br");

  // No config.ini: the name is empty and matches only a file named ".lng".
  TempFolder bare;
  bare.Write("en.lng", "btn_clear|Clear\r\n");
  LoadIn(bare);
  EXPECT_FALSE(TranslationLoaded());
  bare.Write(".lng", "btn_clear|Hidden\r\n");
  LoadIn(bare);
  EXPECT_EQ(Translate("btn_clear"), "Hidden");

  // A chosen language without a file: keys unchanged.
  TempFolder none;
  none.Write("config.ini", "[main]\r\nlanguage=de\r\n");
  none.Write("en.lng", "btn_clear|Clear\r\n");
  LoadIn(none);
  EXPECT_EQ(Translate("btn_clear"), "btn_clear");
}

TEST_F(TranslatorTest, TheTableIsFixedOnceLoaded) {
  TempFolder dir;
  dir.Write("config.ini", "[main]\r\nlanguage=en\r\n");
  dir.Write("en.lng", "btn_clear|Clear\r\n");
  LoadIn(dir);
  dir.Write("en.lng", "btn_clear|Changed\r\n");
  EXPECT_EQ(Translate("btn_clear"), "Clear");
}

TEST_F(TranslatorTest, LanguageFolderAndBuiltIn) {
  TempFolder dir;
  dir.MakeProgramFolder();
  std::filesystem::create_directories(dir.Path() + "lang");
  dir.Write("config.ini", "[main]\r\nlanguage=en\r\n");
  dir.Write("lang/en.lng", "btn_clear|From folder\r\n");
  THITranslator t;
  t.Folder = "lang";
  t.Load();
  EXPECT_EQ(Translate("btn_clear"), "From folder");

  THITranslator builtIn;
  builtIn.Language = "x";
  builtIn.BuiltIn.SetText("btn_clear|Built in\r\nbtn_exit");
  builtIn.Load();
  EXPECT_EQ(Translate("btn_clear"), "Built in");
  EXPECT_EQ(Translate("btn_exit"), "btn_exit");
}

TEST_F(TranslatorTest, MaskMatching) {
  EXPECT_TRUE(MatchesMask("ru.lng", "*.lng"));
  EXPECT_TRUE(MatchesMask("RU.LNG", "*.lng"));
  EXPECT_TRUE(MatchesMask(".lng", "*.lng"));
  EXPECT_FALSE(MatchesMask("ru.lngx", "*.lng"));
  EXPECT_FALSE(MatchesMask("ru_lng", "*.lng"));
  EXPECT_TRUE(MatchesMask("a.b.lng", "*.lng"));
  EXPECT_TRUE(MatchesMask("abc", "a?c"));
  EXPECT_FALSE(MatchesMask("ac", "a?c"));
  EXPECT_TRUE(MatchesMask("aXbYc", "a*b*c"));
  // A '*' or '?' in the name is an ordinary character; a '*' in the mask stays a wildcard.
  EXPECT_TRUE(MatchesMask("*x.lng", "*.lng"));
  EXPECT_TRUE(MatchesMask("l*ab.", "?*."));
  EXPECT_TRUE(MatchesMask("?.lng", "*.lng"));
  EXPECT_FALSE(MatchesMask("*", "?*?"));
}

TEST_F(TranslatorTest, BundledLanguageFilesCoverEveryCaptionKey) {
  const char* keys[] = {"btn_clear",
                        "btn_settings",
                        "ch1_caption",
                        "ch_unknown",
                        "tf_male",
                        "tf_female",
                        "ch2_caption",
                        "ch2_noble",
                        "ch2_merchant",
                        "ch2_veteran",
                        "ch2_hunter",
                        "ch2_nomad",
                        "ch2_thief",
                        "ch3_caption",
                        "ch3_page",
                        "ch3_apprentice",
                        "ch3_helper",
                        "ch3_urchin",
                        "ch3_steppe_child",
                        "ch4_caption",
                        "ch4_squire",
                        "ch4_troubadour",
                        "ch4_student",
                        "ch4_peddler",
                        "ch4_craftsman",
                        "ch4_poacher",
                        "ch5_caption",
                        "ch5_revenge",
                        "ch5_loss",
                        "ch5_wanderlust",
                        "ch5_disown",
                        "ch5_greed",
                        "ca_caption",
                        "ca_strength",
                        "ca_agility",
                        "ca_intelligence",
                        "ca_charisma",
                        "ca_points",
                        "skl_caption",
                        "skl_ironflesh",
                        "skl_power_strike",
                        "skl_power_throw",
                        "skl_power_draw",
                        "skl_weapon_master",
                        "skl_shield",
                        "skl_athletics",
                        "skl_riding",
                        "skl_horse_archery",
                        "skl_looting",
                        "skl_trainer",
                        "skl_tracking",
                        "skl_tactics",
                        "skl_pathfinding",
                        "skl_spotting",
                        "skl_inventory_management",
                        "skl_wound_treatment",
                        "skl_surgery",
                        "skl_first_aid",
                        "skl_engineer",
                        "skl_persuasion",
                        "skl_prisoner_management",
                        "skl_leadership",
                        "skl_trade",
                        "skl_points",
                        "wpt_caption",
                        "wpt_one_handed_weapons",
                        "wpt_two_handed_weapons",
                        "wpt_polearms",
                        "wpt_archery",
                        "wpt_crossbows",
                        "wpt_throwing",
                        "wpt_weapon_points",
                        "oth_caption",
                        "oth_hitpoints",
                        "oth_gold",
                        "oth_renown",
                        "oth_honor",
                        "btn_exit",
                        "btn_localization",
                        "btn_msg_restart",
                        "btn_msg_not_saved"};
  for (const char* lang : {"en", "ru"}) {
    TempFolder dir;
    std::string text;
    ASSERT_TRUE(os::ReadWholeFile(std::string(HS_DATA_DIR) + "/" + lang + ".lng", text)) << lang;
    dir.Write(std::string(lang) + ".lng", text);
    dir.Write("config.ini", std::string("[main]\r\nlanguage=") + lang + "\r\n");
    LoadIn(dir);
    for (const char* k : keys) {
      std::string t = Translate(k);
      EXPECT_NE(t, k) << lang << ": " << k;
      EXPECT_FALSE(t.empty()) << lang << ": " << k;
    }
  }
}

namespace {

struct RegistryChoiceCase {
  const char* what;
  uint8_t storage;
  std::string root, path, value;
  const char* clearText;  // what btn_clear shows after loading
};

}  // namespace

TEST_F(TranslatorTest, RegistryStorageChoosesTheLanguage) {
  TempFolder dir;
  dir.MakeProgramFolder();
  dir.Write("config.ini", "[main]\r\nlanguage=en\r\n");
  dir.Write("en.lng", "btn_clear|From the ini file\r\n");
  dir.Write("ru.lng", "btn_clear|From the registry\r\n");
  const std::string key = "Software\\HsRegistryTranslator-" + dir.Root().filename().string();
  ASSERT_TRUE(os::WriteRegistryString(os::RegistryRoot::CurrentUser, key, "language", "ru"));
  const std::vector<RegistryChoiceCase> cases = {
      {"the value names the file", 0, "HKEY_CURRENT_USER", key, "language", "From the registry"},
      {"the ini file is not read", 0, "HKEY_CURRENT_USER", key, "missing", "btn_clear"},
      {"an unknown root reads nothing", 0, "HKEY_NOWHERE", key, "language", "btn_clear"},
      {"root names are exact", 0, "hkey_current_user", key, "language", "btn_clear"},
      {"a missing key reads nothing", 0, "HKEY_CURRENT_USER", key + "\\none", "language",
       "btn_clear"},
      {"a hostile path reads nothing", 0, "HKEY_CURRENT_USER", key + "\\..", "language",
       "btn_clear"},
      {"Storage 1 reads config.ini", 1, "config.ini", "main", "language", "From the ini file"},
  };
  for (const RegistryChoiceCase& c : cases) {
    SCOPED_TRACE(c.what);
    THITranslator t;
    t.Storage = c.storage;
    t.IniFile = c.root;
    t.Section = c.path;
    t.Key = c.value;
    t.Load();
    EXPECT_EQ(Translate("btn_clear"), c.clearText);
  }
#ifdef _WIN32
  std::system(("reg delete \"HKCU\\" + key + "\" /f >NUL 2>&1").c_str());
#endif
}
