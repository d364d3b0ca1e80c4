#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "shell/UBuiltinTexts.h"

namespace fs = std::filesystem;

namespace {

TBuiltinTextFile File(const char* name, const std::string& bytes) {
  return {name, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
}

std::vector<std::pair<int, String>> Parse(const std::string& bytes, std::vector<TBuiltinTextIssue>& issues) {
  std::vector<TBuiltinTextEntry> entries;
  Parse_Builtin_Text_File(File("sample.txt", bytes), entries, issues);
  std::vector<std::pair<int, String>> pairs;
  for (const auto& e : entries) pairs.emplace_back(e.Index, e.Text);
  return pairs;
}

TEST(BuiltinTexts, DataFileFormat) {
  std::vector<TBuiltinTextIssue> issues;
  const auto entries = Parse(
      "# comment line\n"
      "\n"
      "7\tplain\n"
      "8\t leading and trailing \r\n"
      "9\ttab\\there, line\\nbreak, cr\\r, backslash \\\\ end\n"
      "10\t\n"
      "11\tgew\xC3\xA4hlt %d\n",
      issues);
  EXPECT_TRUE(issues.empty());
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0], (std::pair<int, String>{7, u"plain"}));
  EXPECT_EQ(entries[1], (std::pair<int, String>{8, u" leading and trailing "}));
  EXPECT_EQ(entries[2], (std::pair<int, String>{9, u"tab\there, line\nbreak, cr\r, backslash \\ end"}));
  EXPECT_EQ(entries[3], (std::pair<int, String>{10, u""}));
  EXPECT_EQ(entries[4], (std::pair<int, String>{11, u"gew\u00e4hlt %d"}));
}

TEST(BuiltinTexts, MalformedLinesAreReported) {
  const char* const kBad[] = {"12 no tab\n", "x\ttext\n", "\ttext\n", "123456\ttext\n", "5\tbad \\q escape\n",
                              "5\tends in backslash\\\n", "5\t\xC3(\n"};
  for (const char* line : kBad) {
    SCOPED_TRACE(line);
    std::vector<TBuiltinTextIssue> issues;
    EXPECT_TRUE(Parse(line, issues).empty());
    EXPECT_EQ(issues.size(), 1u);
  }
}

TEST(BuiltinTexts, FilesCombineAndCollisionsAreReported) {
  const std::string a = "0\tBegin\n5\tfive\n", b = "# other area\n6\tsix\n5\tagain\n5600\ttoo far\n";
  const TBuiltinTextFile files[] = {File("a.txt", a), File("b.txt", b)};
  std::vector<TBuiltinTextIssue> issues;
  const std::vector<String> texts = Build_Builtin_Texts(files, 2, issues);
  ASSERT_EQ(texts.size(), 5600u);
  EXPECT_EQ(texts[0], u"Begin");
  EXPECT_EQ(texts[5], u"five");  // the first file keeps its text
  EXPECT_EQ(texts[6], u"six");
  EXPECT_EQ(texts[1], u" ");
  EXPECT_EQ(texts[5599], u" ");
  ASSERT_EQ(issues.size(), 2u);
  EXPECT_EQ(issues[0].File, u"b.txt");
  EXPECT_EQ(issues[0].Line, 3);
  EXPECT_EQ(issues[0].Reason, u"index 5 already given at a.txt:2");
  EXPECT_EQ(issues[1].Line, 4);
}

TEST(BuiltinTexts, RepositoryDataFilesAreClean) {
  for (const TBuiltinTextIssue& i : Builtin_Text_Issues())
    ADD_FAILURE() << StringToUtf8(i.File) << ":" << i.Line << ": " << StringToUtf8(i.Reason);
  EXPECT_EQ(Builtin_Texts().size(), 5600u);
  EXPECT_GE(Builtin_Text_File_Count, 2);
}

// Every index that code reads by a literal number, and every index listed in a
// tests/fixtures/<area>/used_texts*.txt file ("N" or "A-B" per line, "#" comments), must hold a
// built-in text rather than the placeholder, unless a placeholder_texts*.txt file of the same form
// lists it as read on purpose although it has no quoted text.
void AddListedIndices(const fs::path& file, std::map<int, std::string>& used) {
  std::ifstream in(file);
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::smatch m;
    static const std::regex kRange(R"(^\s*(\d+)\s*(?:-\s*(\d+))?\s*$)");
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    if (!std::regex_match(line, m, kRange)) {
      ADD_FAILURE() << file << ":" << lineNo << ": expected N or A-B";
      continue;
    }
    const int a = std::stoi(m[1]);
    const int b = m[2].matched ? std::stoi(m[2]) : a;
    for (int i = a; i <= b; ++i) used.emplace(i, file.string() + ":" + std::to_string(lineNo));
  }
}

void AddSourceIndices(const fs::path& root, std::map<int, std::string>& used) {
  static const std::regex kRead(R"(Language_List\s*->\s*Strings\s*\(\s*(\d+)\s*\)|\(\s*\*\s*Language_List\s*\)\s*\[\s*(\d+)\s*\])");
  static const std::set<std::string> kSkip = {"tests", "bench", "scripts", "cmake", ".git"};
  for (const auto& top : fs::directory_iterator(root)) {
    const std::string name = top.path().filename().string();
    if (!top.is_directory() || kSkip.count(name) || name.rfind("build", 0) == 0) continue;
    for (const auto& e : fs::recursive_directory_iterator(top.path())) {
      const std::string ext = e.path().extension().string();
      if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
      std::ifstream in(e.path());
      std::stringstream ss;
      ss << in.rdbuf();
      const std::string text = ss.str();
      for (std::sregex_iterator it(text.begin(), text.end(), kRead), end; it != end; ++it) {
        const std::string digits = (*it)[1].matched ? (*it)[1].str() : (*it)[2].str();
        used.emplace(std::stoi(digits), e.path().string());
      }
    }
  }
}

TEST(BuiltinTexts, EveryUsedIndexHasAText) {
  std::map<int, std::string> used;  // index -> where it is used
  AddSourceIndices(CONF_SOURCE_DIR, used);
  for (const auto& area : fs::directory_iterator(CONF_FIXTURES)) {
    if (!area.is_directory()) continue;
    for (const auto& f : fs::directory_iterator(area.path()))
      if (f.path().filename().string().rfind("used_texts", 0) == 0 && f.path().extension() == ".txt")
        AddListedIndices(f.path(), used);
  }
  std::map<int, std::string> placeholders;
  for (const auto& area : fs::directory_iterator(CONF_FIXTURES)) {
    if (!area.is_directory()) continue;
    for (const auto& f : fs::directory_iterator(area.path()))
      if (f.path().filename().string().rfind("placeholder_texts", 0) == 0 && f.path().extension() == ".txt")
        AddListedIndices(f.path(), placeholders);
  }
  ASSERT_FALSE(used.empty());
  const std::vector<String>& texts = Builtin_Texts();
  for (const auto& [index, where] : used) {
    if (index >= static_cast<int>(texts.size())) {
      ADD_FAILURE() << "index " << index << " beyond the table, used in " << where;
      continue;
    }
    if (placeholders.count(index)) continue;
    EXPECT_NE(texts[index], u" ") << "index " << index << " is the placeholder, used in " << where;
  }
}

}  // namespace
