#include "platform/Classes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/testing/ScratchFolder.h"

namespace {

std::vector<String> Lines(const TStringList& list) {
  std::vector<String> r;
  for (int i = 0; i < list.Count(); ++i) r.push_back(list[i]);
  return r;
}

void Fill(TStringList& list, std::initializer_list<String> items) {
  for (const auto& s : items) list.Add(s);
}

template <class E>
String MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const E& e) {
    return e.Message();
  }
  return u"<no exception>";
}

String Fixture(const char* name) { return Utf8ToString(std::string(CONF_FIXTURES) + "/platform/" + name); }

// The bytes of a file, as written.
std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Utf16Bytes(const String& s, bool bigEndian) {
  std::string r;
  for (char16_t c : s) {
    char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
    r += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return r;
}

struct Counted : TObject {
  explicit Counted(int* c) : count(c) {}
  ~Counted() override { ++*count; }
  int* count;
};

TEST(StringList, SortedAddFollowsDuplicatesRule) {
  struct Case {
    TDuplicates dup;
    std::vector<String> adds;
    std::vector<int> indices;  // -1: raises
    std::vector<String> result;
  } cases[] = {
      {dupIgnore, {u"b", u"a", u"B", u"c"}, {0, 0, 1, 2}, {u"a", u"b", u"c"}},
      {dupAccept, {u"b", u"a", u"B", u"c"}, {0, 0, 1, 3}, {u"a", u"B", u"b", u"c"}},  // before its equals
      {dupError, {u"b", u"a", u"B", u"c"}, {0, 0, -1, 2}, {u"a", u"b", u"c"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.dup));
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(c.dup);
    for (size_t i = 0; i < c.adds.size(); ++i) {
      if (c.indices[i] < 0) {
        EXPECT_EQ(MessageOf<EStringListError>([&] { list.Add(c.adds[i]); }), u"String list does not allow duplicates");
      } else {
        EXPECT_EQ(list.Add(c.adds[i]), c.indices[i]);
      }
    }
    EXPECT_EQ(Lines(list), c.result);
  }
}

TEST(StringList, IndexOfAndFindAreCaseBlindUnlessCaseSensitive) {
  struct Case {
    bool sorted;
    bool caseSensitive;
    String look;
    int index;
  } cases[] = {
      {false, false, u"BETA", 1},  {false, true, u"BETA", -1},          {false, true, u"beta", 1},
      {true, false, u"GAMMA", 3},  {true, true, u"GAMMA", -1},          {true, false, u"\u00c9T\u00c9", 2},
      {false, false, u"\u00c9T\u00c9", 3}, {false, false, u"delta", -1}, {true, false, u"delta", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.look));
    TStringList list;
    Fill(list, {u"gamma", u"beta", u"alpha", u"\u00e9t\u00e9"});
    list.SetCaseSensitive(c.caseSensitive);
    list.SetSorted(c.sorted);
    EXPECT_EQ(list.IndexOf(c.look), c.index);
  }
  TStringList sorted;
  Fill(sorted, {u"b", u"d"});
  sorted.SetSorted(true);
  int at = -1;
  EXPECT_FALSE(sorted.Find(u"c", at));
  EXPECT_EQ(at, 1);
  EXPECT_TRUE(sorted.Find(u"D", at));
  EXPECT_EQ(at, 1);
}

TEST(StringList, SortOrders) {
  struct Case {
    bool caseSensitive;
    std::vector<String> in;
    std::vector<String> out;
  } cases[] = {
      {false, {u"pear", u"Apple", u"banana", u"apple2"}, {u"Apple", u"apple2", u"banana", u"pear"}},
      {false, {u"b", u"", u"a", u"ab"}, {u"", u"a", u"ab", u"b"}},
      {true, {u"B", u"a", u"A", u"b"}, {u"a", u"A", u"b", u"B"}},
      {false, {u"\u00d6l", u"Zebra", u"Ol", u"Om"}, {u"Ol", u"\u00d6l", u"Om", u"Zebra"}},
      {true, {u"\u00e9", u"E", u"e", u"\u00c9", u"f"}, {u"e", u"E", u"\u00e9", u"\u00c9", u"f"}},
      {false, {u"3", u"10", u"2"}, {u"10", u"2", u"3"}},
  };
  for (const auto& c : cases) {
    TStringList list;
    for (const auto& s : c.in) list.Add(s);
    list.SetCaseSensitive(c.caseSensitive);
    list.Sort();
    EXPECT_EQ(Lines(list), c.out);
  }
}

TEST(StringList, SortKeepsObjectsWithTheirStringsAndSurvivesAnInconsistentCompare) {
  TStringList list;
  TObject a, b, c;
  list.AddObject(u"c", &c);
  list.AddObject(u"a", &a);
  list.AddObject(u"b", &b);
  list.Sort();
  EXPECT_EQ(list.Objects(0), &a);
  EXPECT_EQ(list.Objects(2), &c);

  TStringList many;
  for (int i = 0; i < 200; ++i) many.Add(IntToStr(i * 7919 % 200));
  many.CustomSort([](TStringList*, int, int) { return -1; });
  EXPECT_EQ(many.Count(), 200);
  many.CustomSort([](TStringList* l, int i, int j) { return StrToInt(l->Strings(i)) - StrToInt(l->Strings(j)); });
  for (int i = 0; i < 200; ++i) EXPECT_EQ(many[i], IntToStr(i));
}

TEST(StringList, IndexErrorsNameTheIndex) {
  TStringList list;
  Fill(list, {u"a", u"b"});
  struct Case {
    const char* what;
    std::function<void()> f;
    String message;
  } cases[] = {
      {"get -1", [&] { (void)list.Strings(-1); }, u"List index out of bounds (-1)"},
      {"get count", [&] { (void)list[2]; }, u"List index out of bounds (2)"},
      {"put", [&] { list.SetStrings(5, u"x"); }, u"List index out of bounds (5)"},
      {"object", [&] { (void)list.Objects(3); }, u"List index out of bounds (3)"},
      {"set object", [&] { list.SetObjects(-2, nullptr); }, u"List index out of bounds (-2)"},
      {"delete", [&] { list.Delete(2); }, u"List index out of bounds (2)"},
      {"insert", [&] { list.Insert(3, u"x"); }, u"List index out of bounds (3)"},
      {"exchange", [&] { list.Exchange(0, 9); }, u"List index out of bounds (9)"},
      {"move", [&] { list.Move(0, 7); }, u"List index out of bounds (7)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(MessageOf<EListError>(c.f), c.message);
  }
  EXPECT_EQ(Lines(list), (std::vector<String>{u"a", u"b"}));
  list.Insert(2, u"c");  // at the end is allowed
  EXPECT_EQ(list[2], u"c");
}

TEST(StringList, SortedListRefusesPositionalChangesWithoutLosingItems) {
  TStringList list;
  Fill(list, {u"b", u"a", u"c"});
  list.SetSorted(true);
  const String msg = u"Operation not allowed on sorted list";
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(0, u"z"); }), msg);
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.SetStrings(0, u"z"); }), msg);
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Move(0, 2); }), msg);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"a", u"b", u"c"}));
}

TEST(StringList, ExchangeAndMoveCarryObjects) {
  int freed = 0;
  TStringList list(true);
  auto* o0 = new Counted(&freed);
  auto* o2 = new Counted(&freed);
  list.AddObject(u"zero", o0);
  list.Add(u"one");
  list.AddObject(u"two", o2);
  list.Move(0, 2);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"one", u"two", u"zero"}));
  EXPECT_EQ(list.Objects(2), o0);
  list.Exchange(1, 2);
  EXPECT_EQ(list.Objects(1), o0);
  EXPECT_EQ(list.Objects(2), o2);
  EXPECT_EQ(freed, 0);
}

TEST(StringList, OwnedObjectsAreFreedOnDeleteClearAndDestruction) {
  int freed = 0;
  {
    TStringList list;
    list.SetOwnsObjects(true);
    for (int i = 0; i < 4; ++i) list.AddObject(IntToStr(i), new Counted(&freed));
    list.Delete(1);
    EXPECT_EQ(freed, 1);
    list.Clear();
    EXPECT_EQ(freed, 4);
    list.AddObject(u"x", new Counted(&freed));
  }
  EXPECT_EQ(freed, 5);
  TStringList notOwning;
  Counted kept(&freed);
  notOwning.AddObject(u"k", &kept);
  notOwning.Clear();
  EXPECT_EQ(freed, 5);
}

TEST(StringList, ChangeEventsFireOncePerOutermostUpdate) {
  TStringList list;
  std::vector<std::string> log;
  list.OnChanging = [&](TObject* s) {
    EXPECT_EQ(s, &list);
    log.push_back("changing");
  };
  list.OnChange = [&](TObject*) { log.push_back("change"); };
  list.Add(u"a");
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "change"}));
  log.clear();
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add(u"b");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(log, (std::vector<std::string>{"changing"}));
  list.EndUpdate();
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "change"}));
  log.clear();
  list.SetText(u"x\r\ny");
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "change"}));
  log.clear();
  list.EndUpdate();  // unbalanced: ignored
  list.Add(u"z");
  EXPECT_EQ(log.size(), 2u);
  log.clear();
  TStringList empty;
  empty.OnChange = [&](TObject*) { log.push_back("change"); };
  empty.Clear();  // nothing to clear, nothing to tell
  EXPECT_TRUE(log.empty());
}

// A bulk change that fails half-way still ends its update: the change is told and the next
// change is told again.
TEST(StringList, AFailedBulkChangeStillEndsTheUpdate) {
  TStringList twoM;
  twoM.Add(u"m");
  twoM.Add(u"m");
  struct Case {
    const char* What;
    std::function<void(TStringList&)> Op;
  } cases[] = {
      {"text", [](TStringList& l) { l.SetText(u"a\r\na"); }},
      {"comma text", [](TStringList& l) { l.SetCommaText(u"a,a"); }},
      {"add strings", [&](TStringList& l) { l.AddStrings(&twoM); }},
      {"assign", [&](TStringList& l) { l.Assign(&twoM); }},
      // The list's own exchange and move check first; the general ones change inside an update.
      {"exchange", [](TStringList& l) { l.TStrings::Exchange(0, 5); }},
      {"move", [](TStringList& l) { l.TStrings::Move(5, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupError);
    list.Add(u"m");
    std::vector<std::string> log;
    list.OnChanging = [&](TObject*) { log.push_back("changing"); };
    list.OnChange = [&](TObject*) { log.push_back("change"); };
    EXPECT_THROW(c.Op(list), EStringListError);
    EXPECT_EQ(list.UpdateCount(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"changing", "change"}));
    log.clear();
    list.Add(u"z");
    EXPECT_EQ(log, (std::vector<std::string>{"changing", "change"}));
  }
}

TEST(StringList, TextJoinsWithCrLfAndSplitsAnyLineEnd) {
  struct Case {
    String in;
    std::vector<String> lines;
    String text;
  } cases[] = {
      {u"", {}, u""},
      {u"a", {u"a"}, u"a\r\n"},
      {u"a\r\nb\r\n", {u"a", u"b"}, u"a\r\nb\r\n"},
      {u"a\nb\rc", {u"a", u"b", u"c"}, u"a\r\nb\r\nc\r\n"},
      {u"\r\n", {u""}, u"\r\n"},
      {u"a\r\n\r\n", {u"a", u""}, u"a\r\n\r\n"},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.Add(u"old");
    list.SetText(c.in);
    EXPECT_EQ(Lines(list), c.lines);
    EXPECT_EQ(list.Text(), c.text);
  }
}

TEST(StringList, CommaTextWritesWithQuoting) {
  struct Case {
    std::vector<String> items;
    String text;
  } cases[] = {
      {{}, u""},
      {{u""}, u"\"\""},
      {{u"a", u"b"}, u"a,b"},
      {{u"a b", u"c"}, u"\"a b\",c"},
      {{u"x,y"}, u"\"x,y\""},
      {{u"say \"hi\""}, u"\"say \"\"hi\"\"\""},
      {{u"", u"a"}, u",a"},
      {{u"tab\there"}, u"\"tab\there\""},
  };
  for (const auto& c : cases) {
    TStringList list;
    for (const auto& s : c.items) list.Add(s);
    EXPECT_EQ(list.CommaText(), c.text);
  }
}

TEST(StringList, CommaTextReadsWithQuotingAndBlanks) {
  struct Case {
    String text;
    std::vector<String> items;
  } cases[] = {
      {u"", {}},
      {u"a,b,c", {u"a", u"b", u"c"}},
      {u"  a , b ", {u"a", u"b"}},
      {u"a b,c", {u"a", u"b", u"c"}},  // a blank separates outside quotes
      {u"\"a b\",c", {u"a b", u"c"}},
      {u"\"say \"\"hi\"\"\"", {u"say \"hi\""}},
      {u"a,,b", {u"a", u"", u"b"}},
      {u"a,", {u"a", u""}},
      {u"\"\"", {u""}},
      {u"\"open", {u"open"}},
      {u"\"ab\"cd,e", {u"ab", u"cd", u"e"}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetCommaText(c.text);
    EXPECT_EQ(Lines(list), c.items) << StringToUtf8(c.text);
  }
}

// A NUL outside quotes separates items as a blank does; inside quotes it is kept, so every list
// survives a trip through its comma text.
TEST(StringList, DelimitedTextWithNulEnds) {
  const String nul(1, u'\0');
  struct Case {
    String text;
    bool strict;
    std::vector<String> items;
  } cases[] = {
      {nul, false, {}},
      {u"a" + nul + u"b", false, {u"a", u"b"}},
      {nul + nul + u"a" + nul, false, {u"a"}},
      {u"a," + nul + u",b", false, {u"a", u"", u"b"}},
      {u"\"x" + nul + u"y\",z", false, {u"x" + nul + u"y", u"z"}},
      {u"\"open" + nul, false, {u"open" + nul}},
      {u"a" + nul + u"b;c", true, {u"a" + nul + u"b", u"c"}},
      {nul + u";" + nul, true, {nul, nul}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetDelimiter(u';');
    list.SetStrictDelimiter(c.strict);
    if (c.strict) list.SetDelimitedText(c.text);
    else list.SetCommaText(c.text);
    EXPECT_EQ(Lines(list), c.items) << c.text.size() << " units, strict " << c.strict;
  }
  for (const std::vector<String>& items : {std::vector<String>{u"x" + nul + u"y", nul, u""},
                                            std::vector<String>{nul + u"a", u"b" + nul}}) {
    TStringList list, back;
    for (const String& s : items) list.Add(s);
    back.SetCommaText(list.CommaText());
    EXPECT_EQ(Lines(back), items);
  }
}

TEST(StringList, StrictDelimitedTextKeepsBlanks) {
  TStringList list;
  list.SetDelimiter(u';');
  list.SetStrictDelimiter(true);
  list.SetDelimitedText(u" a b ;c;\"d;e\"");
  EXPECT_EQ(Lines(list), (std::vector<String>{u" a b ", u"c", u"d;e"}));
  EXPECT_EQ(list.DelimitedText(), u" a b ;c;\"d;e\"");
  EXPECT_EQ(list.CommaText(), u"\" a b \",c,d;e");
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  Fill(list, {u"Host=example", u"Port=502", u"plain", u"Empty="});
  EXPECT_EQ(list.Names(0), u"Host");
  EXPECT_EQ(list.Names(2), u"");
  EXPECT_EQ(list.Values(u"PORT"), u"502");
  EXPECT_EQ(list.Values(u"missing"), u"");
  EXPECT_EQ(list.ValueFromIndex(0), u"example");
  EXPECT_EQ(list.ValueFromIndex(2), u"");
  EXPECT_EQ(list.IndexOfName(u"empty"), 3);
  list.SetValues(u"Port", u"503");
  list.SetValues(u"New", u"1");
  list.SetValues(u"Host", u"");
  EXPECT_EQ(Lines(list), (std::vector<String>{u"Port=503", u"plain", u"Empty=", u"New=1"}));
  list.SetValueFromIndex(1, u"v");
  EXPECT_EQ(list[1], u"=v");

  TStringList sorted;
  sorted.SetSorted(true);
  sorted.SetValues(u"b", u"2");
  sorted.SetValues(u"a", u"1");
  EXPECT_EQ(Lines(sorted), (std::vector<String>{u"a=1", u"b=2"}));
}

TEST(StringList, AssignCopiesLinesObjectsAndSettings) {
  TStringList src;
  TObject o;
  src.AddObject(u"one", &o);
  src.Add(u"two");
  src.SetDelimiter(u';');
  TStringList dst;
  dst.Add(u"old");
  dst.Assign(&src);
  EXPECT_EQ(Lines(dst), (std::vector<String>{u"one", u"two"}));
  EXPECT_EQ(dst.Objects(0), &o);
  EXPECT_EQ(dst.Delimiter(), u';');
  EXPECT_TRUE(dst.Equals(&src));

  dst.Assign(&dst);  // assigning a list to itself keeps it
  EXPECT_EQ(Lines(dst), (std::vector<String>{u"one", u"two"}));

  TCollection notStrings;
  EXPECT_EQ(MessageOf<EConvertError>([&] { dst.Assign(&notStrings); }), u"Cannot assign a TCollection to a TStringList");
  EXPECT_EQ(MessageOf<EConvertError>([&] { dst.Assign(nullptr); }), u"Cannot assign a nil to a TStringList");
}

TEST(StringList, AssignOfTheSameLinesStillReportsAChange) {
  struct Case {
    const char* name;
    std::vector<const char16_t*> lines;
    bool sameObject;
    std::vector<String> expected;
  };
  const Case cases[] = {
      {"same lines and objects", {u"one", u"two"}, true, {u"one", u"two"}},
      {"another letter case", {u"One", u"two"}, true, {u"One", u"two"}},
      {"another object", {u"one", u"two"}, false, {u"one", u"two"}},
      {"one line more", {u"one", u"two", u"three"}, true, {u"one", u"two", u"three"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TObject a, b;
    TStringList dst;
    dst.AddObject(u"one", &a);
    dst.Add(u"two");
    TStringList src;
    for (size_t i = 0; i < c.lines.size(); ++i) src.AddObject(c.lines[i], i == 0 ? (c.sameObject ? &a : &b) : nullptr);
    src.SetDelimiter(u';');
    int changing = 0, changed = 0;
    dst.OnChanging = [&](TObject*) { ++changing; };
    dst.OnChange = [&](TObject*) { ++changed; };
    dst.Assign(&src);
    EXPECT_EQ(Lines(dst), c.expected);
    EXPECT_EQ(dst.Objects(0), c.sameObject ? &a : &b);
    EXPECT_EQ(dst.Delimiter(), u';');
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
  }
}

TEST(StringList, LoadFromFileDetectsEncodingAndReadsTheSameLines) {
  const std::vector<String> expected = {u"Pilcrow \u00b6 first", u"second \u00b6", u"third", u"last \u00e9\u20ac"};
  struct Case {
    const char* file;
    TTextEncoding enc;
  } cases[] = {{"pilcrow_utf8bom.txt", teUTF8BOM},
               {"pilcrow_utf16le.txt", teUTF16LE},
               {"pilcrow_utf16be.txt", teUTF16BE},
               {"pilcrow_win1252.txt", teAnsi}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TStringList list;
    list.LoadFromFile(Fixture(c.file));
    EXPECT_EQ(Lines(list), expected);
    EXPECT_EQ(list.Encoding(), c.enc);
  }
  TStringList list;
  EXPECT_THROW(list.LoadFromFile(Fixture("missing.txt")), EFOpenError);
}

TEST(StringList, SaveToFileInEachEncodingAndReadBack) {
  TScratchFolder dir("strlist");
  TStringList list;
  Fill(list, {u"\u00b6 one", u"two"});
  struct Case {
    TTextEncoding enc;
    std::string bytes;
  } cases[] = {
      {teUTF8, "\xC2\xB6 one\r\ntwo\r\n"},
      {teUTF8BOM, "\xEF\xBB\xBF\xC2\xB6 one\r\ntwo\r\n"},
      {teAnsi, "\xB6 one\r\ntwo\r\n"},
      {teUTF16LE, Utf16Bytes(u"\uFEFF\u00b6 one\r\ntwo\r\n", false)},
      {teUTF16BE, Utf16Bytes(u"\uFEFF\u00b6 one\r\ntwo\r\n", true)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.enc));
    list.SaveToFile(dir.File("out.txt"), c.enc);
    EXPECT_EQ(FileBytes(dir / "out.txt"), c.bytes);
    TStringList back;
    back.LoadFromFile(dir.File("out.txt"));
    EXPECT_TRUE(back.Equals(&list));
  }
  EXPECT_THROW(list.SaveToFile(dir.File("no/such/folder.txt")), EFCreateError);
}

}  // namespace
