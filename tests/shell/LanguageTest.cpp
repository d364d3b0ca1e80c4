#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ShellTestSupport.h"
#include "platform/Classes.h"
#include "platform/Encoding.h"
#include "platform/SysUtils.h"
#include "shell/UBuiltinTexts.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/USettings.h"

using shelltest::WriteBytes;

namespace {

std::vector<String> Table() {
  std::vector<String> t;
  for (int i = 0; i < Language_List->Count(); ++i) t.push_back(Language_List->Strings(i));
  return t;
}

TEST(LanguageTable, DefaultStrings) {
  Load_Default_Strings();
  ASSERT_EQ(Language_List->Count(), 5600);
  EXPECT_EQ(Language_Count, 5500);
  EXPECT_EQ(Language_List->Strings(0), u"Begin");
  EXPECT_EQ(Language_List->Strings(83), u" ");
  EXPECT_EQ(Language_List->Strings(735), u" ");
  EXPECT_EQ(Language_List->Strings(5599), u" ");
  EXPECT_EQ(Language_List->Strings(9), u"None Configuration Opened ");
  EXPECT_EQ(Language_List->Strings(306), u" / ");
  EXPECT_EQ(Language_List->Strings(1408), u"Error LoRaWAN!! Diagnostic Position must be between 0 and %d");
}

TEST(LanguageTable, DefaultStringsReplaceEverythingLoadedBefore) {
  Load_Default_Strings();
  Language_List->SetStrings(0, u"changed");
  Language_List->Add(u"extra");
  Load_Default_Strings();
  EXPECT_EQ(Language_List->Count(), 5600);
  EXPECT_EQ(Language_List->Strings(0), u"Begin");
}

// One line of a language file and what it does to the table: nullopt index means no change.
struct GrammarCase {
  const char* Line;  // UTF-8
  std::optional<int> Index;
  const char* Text;
};

const GrammarCase kGrammar[] = {
    {"STR12 = Text", 12, "Text"},
    {"   STR12 = Text   ", 12, "Text"},
    {"\tSTR12 = Text\t", 12, "Text"},
    {"STR 12 = Text", 12, "Text"},
    {"STR12 = a = b", 12, "a = b"},
    // The character in front of "=" is never part of the index.
    {"STR12=Text", 1, "Text"},
    {"STR123=Text", 12, "Text"},
    {"STR5=Text", std::nullopt, nullptr},
    {"STR = Text", std::nullopt, nullptr},
    {"str12 = Text", std::nullopt, nullptr},
    {"Str12 = Text", std::nullopt, nullptr},
    {"STR12 Text", std::nullopt, nullptr},
    {"STR1a = Text", std::nullopt, nullptr},
    {"STR5500 = Text", std::nullopt, nullptr},
    {"STR5599 = Text", std::nullopt, nullptr},
    {"STR-1 = Text", std::nullopt, nullptr},
    {"STR5499 = Text", 5499, "Text"},
    {"STR0 = Text", 0, "Text"},
    {"; STR12 = Text", std::nullopt, nullptr},
    // Empty text leaves the entry alone; pilcrows give blanks and the empty text.
    {"STR12 =", std::nullopt, nullptr},
    {"STR12 =    ", std::nullopt, nullptr},
    {"STR12 = \xC2\xB6\xC2\xB6", 12, ""},
    {"STR12 = \xC2\xB6 a \xC2\xB6", 12, " a "},
    {"STR12 = ab\xC2\xB6" "cd", 12, "ab"},
    {"STR12 = \xC2\xB6" "ab", 12, "ab"},
    {"STR305 = \xC2\xB6Seite \xC2\xB6 /#/ page counter", 305, "Seite "},
    // Notes are cut before the pilcrow step.
    {"STR12 = Text /#/ note", 12, "Text"},
    {"STR12 = \xC2\xB6Text /#/ \xC2\xB6", 12, "Text"},
    {"STR12 = /#/ note", 12, ""},
    {"STR12 = Text/#/", 12, "Text"},
};

TEST(LanguageFile, GrammarCaseTable) {
  TScratchFolder dir;
  Load_Default_Strings();
  const std::vector<String> defaults = Table();
  for (const GrammarCase& c : kGrammar) {
    SCOPED_TRACE(c.Line);
    Load_Default_Strings();
    WriteBytes(dir / "case.lng", std::string(c.Line) + "\r\n");
    ASSERT_TRUE(Load_Language_File(Utf8ToString((dir / "case.lng").string())));
    std::vector<String> expected = defaults;
    if (c.Index) expected[*c.Index] = Utf8ToString(c.Text);
    const std::vector<String> actual = Table();
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
      EXPECT_EQ(StringToUtf8(actual[i]), StringToUtf8(expected[i])) << "entry " << i;
  }
}

TEST(LanguageFile, LaterLineWinsAndAnyLineEndingSplits) {
  TScratchFolder dir;
  Load_Default_Strings();
  WriteBytes(dir / "x.lng", "STR12 = First\rSTR13 = Second\nSTR12 = Third\r\nSTR14 = Fourth");
  ASSERT_TRUE(Load_Language_File(Utf8ToString((dir / "x.lng").string())));
  EXPECT_EQ(Language_List->Strings(12), u"Third");
  EXPECT_EQ(Language_List->Strings(13), u"Second");
  EXPECT_EQ(Language_List->Strings(14), u"Fourth");
}

// Files without a byte order mark are read on their bytes, files in UTF-16 on their decoded text:
// the same text must give the same table either way, the entries named and nothing else changed.
struct LanguageBytesCase {
  const char* Name;
  std::string Bytes;
  std::vector<std::pair<int, const char*>> Entries;  // index, UTF-8 text
};

const LanguageBytesCase kBytes[] = {
    // A character in front of "=" is one UTF-16 unit whatever its length in bytes...
    {"accent before =", "STR12\xC3\xA9=Text\r\n", {{12, "Text"}}},
    {"euro before =", "STR12\xE2\x82\xAC=Text\r\n", {{12, "Text"}}},
    // ...but a character outside the BMP is two, and the first stays in the index.
    {"emoji before =", "STR12\xF0\x9F\x98\x80=Text\r\n", {}},
    {"accent inside the index", "STR1\xC3\xA9" "2 = Text\r\n", {}},
    {"stray byte before = in UTF-8", "STR12\x80=x\r\nSTR3 = \xC3\xA9\xC3\xA9\r\n", {{12, "x"}, {3, "éé"}}},
    {"hex and long indexes", "STR$C  = hex\nSTR 0x0D = x\rSTR0000000014 = long\nSTR-1 = neg\n",
     {{12, "hex"}, {13, "x"}, {14, "long"}}},
    {"ANSI", "STR12\xE9=Caf\xE9 \xB6x\xB6\r\nSTR13 = \xB6\x80 \xB6 /#/ note\r\n", {{12, "Café "}, {13, "€ "}}},
    // Two well-formed sequences against three stray bytes: ANSI, where C2 B6 is two letters.
    {"ANSI with UTF-8 look-alikes", "STR1 = \xC2\xB6" "a\xC2\xB6\r\nSTR2 = \xE9\xE9\xE9\r\n", {{1, "Â"}, {2, "ééé"}}},
    {"UTF-8 with a stray byte", "STR1 = a\x80" "b\r\nSTR2 = \xC3\xA9\xC3\xA9\r\n", {{1, "a\xEF\xBF\xBD" "b"}, {2, "éé"}}},
    {"encoded surrogate and overlong form", "STR1 = a\xED\xA0\x80z\r\nSTR2 = b\xE0\x80\x80y\r\n",
     {{1, "a\xEF\xBF\xBDz"}, {2, "b\xEF\xBF\xBDy"}}},
    {"four-byte and cut sequences", "STR1 = \xF0\x9F\x98\x80 ok\r\nSTR2 = cut\xC3\r\nSTR3 = \xC2\xB6\xE2\x82\xAC\xC2\xB6\r\n",
     {{1, "\xF0\x9F\x98\x80 ok"}, {2, "cut\xEF\xBF\xBD"}, {3, "€"}}},
    {"UTF-8 byte order mark over stray bytes", "\xEF\xBB\xBFSTR1 = \xE9\xE9\r\nSTR2 = \xC3\xA9\r\n",
     {{1, "\xEF\xBF\xBD\xEF\xBF\xBD"}, {2, "é"}}},
    {"blanks, notes and empty texts", "  \tSTR1 =\t \xC2\xB6 a \xC2\xB6 /#/ n\r\n\r\nSTR2 = /#/\rSTR3 =  \nSTR4 = \xC2\xB6",
     {{1, " a "}, {2, ""}, {4, ""}}},
};

TEST(LanguageFile, BytesAndTheirUtf16FormGiveTheSameTable) {
  TScratchFolder dir;
  Load_Default_Strings();
  const std::vector<String> defaults = Table();
  for (const LanguageBytesCase& c : kBytes) {
    SCOPED_TRACE(c.Name);
    std::vector<String> expected = defaults;
    for (const auto& [index, text] : c.Entries) expected[index] = Utf8ToString(text);
    const std::string utf16 = EncodeText(DecodeText(c.Bytes), teUTF16LE);
    for (const std::string& bytes : {c.Bytes, utf16}) {
      Load_Default_Strings();
      WriteBytes(dir / "case.lng", bytes);
      ASSERT_TRUE(Load_Language_File(Utf8ToString((dir / "case.lng").string())));
      const std::vector<String> actual = Table();
      ASSERT_EQ(actual.size(), expected.size());
      for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_EQ(StringToUtf8(actual[i]), StringToUtf8(expected[i])) << "entry " << i << (bytes == utf16 ? " (UTF-16)" : "");
    }
  }
}

TEST(LanguageFile, EveryEncodingGivesTheSameTable) {
  const char* const kFiles[] = {"Deutsch_UTF8.lng", "Deutsch_UTF8BOM.lng", "Deutsch_UTF16LE.lng",
                                "Deutsch_UTF16BE.lng", "Deutsch_1252.lng"};
  std::vector<String> first;
  for (const char* f : kFiles) {
    SCOPED_TRACE(f);
    Load_Default_Strings();
    ASSERT_TRUE(Load_Language_File(Utf8ToString(shelltest::Fixture(std::string("lang/") + f))));
    const std::vector<String> t = Table();
    EXPECT_EQ(StringToUtf8(t[0]), "Anfang");
    EXPECT_EQ(StringToUtf8(t[9]), "Keine Konfiguration geöffnet ");
    EXPECT_EQ(StringToUtf8(t[12]), "Information für Sie");
    EXPECT_EQ(StringToUtf8(t[304]), "Gewählte Sprache : ");
    EXPECT_EQ(StringToUtf8(t[1500]), "Zeile belegt. Überschreiben? «ja»");
    EXPECT_EQ(StringToUtf8(t[5499]), "Letzter");
    EXPECT_EQ(t[5500], Builtin_Texts()[5500]);
    if (first.empty())
      first = t;
    else
      EXPECT_TRUE(t == first);
  }
}

TEST(LanguageFile, PlaceholdersOfLoadedTextsAreFilledLiterally) {
  Load_Default_Strings();
  ASSERT_TRUE(Load_Language_File(Utf8ToString(shelltest::Fixture("lang/Deutsch_UTF8.lng"))));
  // "%s" and "%n" in a translated text stay text; only "%d" takes the number.
  EXPECT_EQ(FormatLiteralD(Language_List->Strings(1408), {1536}), u"Fehler!! Position zwischen 0 und 1536 (%s %n)");
}

TEST(LanguageFile, UnreadableFileLeavesTheTable) {
  TScratchFolder dir;
  Load_Default_Strings();
  EXPECT_FALSE(Load_Language_File(Utf8ToString((dir / "missing.lng").string())));
  std::filesystem::create_directories(dir / "folder.lng");
  EXPECT_FALSE(Load_Language_File(Utf8ToString((dir / "folder.lng").string())));
  EXPECT_EQ(Language_List->Strings(0), u"Begin");
  EXPECT_EQ(Language_List->Count(), 5600);
}

class LoadLanguage : public ::testing::Test {
 protected:
  void SetUp() override { shelltest::ResetState(dir_.Folder()); }
  void WriteLanguage(const std::string& name, const std::string& content) {
    WriteBytes(dir_ / "LANGUAGE" / (name + ".lng"), content);
  }
  TScratchFolder dir_;
};

TEST_F(LoadLanguage, ChosenLanguageFileApplies) {
  WriteLanguage("Deutsch", "STR0 = Anfang\r\n");
  Language_Name = u"Deutsch";
  Load_Language();
  EXPECT_EQ(Language_Name, u"Deutsch");
  EXPECT_EQ(Language_List->Strings(0), u"Anfang");
  EXPECT_EQ(Language_List->Strings(1), u"Step 1");
}

TEST_F(LoadLanguage, MissingLanguageFallsBackToEnglishFile) {
  WriteLanguage("English", "STR0 = Start\r\n");
  Language_Name = u"German";
  Load_Language();
  EXPECT_EQ(Language_Name, u"English");
  EXPECT_EQ(Language_List->Strings(0), u"Start");
  EXPECT_EQ(Language_List->Strings(1), u"Step 1");
}

TEST_F(LoadLanguage, NoFilesAtAllGiveBuiltInEnglish) {
  Language_Name = u"German";
  Load_Language();
  EXPECT_EQ(Language_Name, u"English");
  EXPECT_TRUE(Table() == Builtin_Texts());
}

TEST_F(LoadLanguage, SecondLoadLeavesNothingOfTheFirst) {
  WriteLanguage("Deutsch", "STR0 = Anfang\r\nSTR9 = Keine\r\n");
  WriteLanguage("Italiano", "STR1 = Passo 1\r\n");
  Language_Name = u"Deutsch";
  Load_Language();
  ASSERT_EQ(Language_List->Strings(0), u"Anfang");
  Language_Name = u"Italiano";
  Load_Language();
  std::vector<String> expected = Builtin_Texts();
  expected[1] = u"Passo 1";
  EXPECT_TRUE(Table() == expected);
}

// The language name comes from the settings file: a name that is a path loads nothing outside
// LANGUAGE, and the program falls back to English as for a missing file.
TEST_F(LoadLanguage, NamesThatArePathsLoadNothingOutsideTheFolder) {
  WriteLanguage("English", "STR0 = Start\r\n");
  WriteBytes(dir_ / "outside.lng", "STR0 = Outside\r\n");
  WriteBytes(dir_ / "LANGUAGE" / "sub" / "inner.lng", "STR0 = Inner\r\n");
  WriteBytes(dir_ / "LANGUAGE" / ".lng", "STR0 = Hidden\r\n");
  const String names[] = {u"../outside",
                          u"..\\outside",
                          u"sub/inner",
                          Utf8ToString((dir_ / "outside").string()),
                          u"English" + String(1, u'\0') + u"/../../outside",
                          u""};
  for (const String& name : names) {
    SCOPED_TRACE(StringToUtf8(name));
    Language_Name = name;
    Load_Language();
    EXPECT_EQ(Language_Name, u"English");
    EXPECT_EQ(Language_List->Strings(0), u"Start");
  }
  // The same through the settings file the name is read from.
  WriteBytes(dir_ / "Kelvane.xml",
             "<Conf_Settings><lastlang><language>../outside</language></lastlang></Conf_Settings>");
  Read_Settings();
  ASSERT_EQ(Language_Name, u"../outside");
  Load_Language();
  EXPECT_EQ(Language_Name, u"English");
  EXPECT_EQ(Language_List->Strings(0), u"Start");
  // A plain name of a file in the folder still loads.
  WriteLanguage("Deutsch.v2", "STR0 = Anfang\r\n");
  Language_Name = u"Deutsch.v2";
  Load_Language();
  EXPECT_EQ(Language_Name, u"Deutsch.v2");
  EXPECT_EQ(Language_List->Strings(0), u"Anfang");
}

}  // namespace
