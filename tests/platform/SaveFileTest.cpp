// Whole-file saves: a failing disk leaves the previous file as it was and says what failed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "platform/Classes.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/IniFiles.h"
#include "platform/XMLDoc.h"
#include "platform/testing/FailingWrites.h"
#include "platform/testing/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

// A valid document, so a cut copy of it would be told apart from it.
const std::string kOld = "<Par_Gen><Name>" + std::string(500, 'o') + "</Name></Par_Gen>";
const String kBig(3000, u'n');

std::string ReadAll(const String& path) {
  std::string out;
  if (!ReadFileBytes(path, out)) return "<unreadable>";
  return out;
}

// The folder's entries, sorted, joined by spaces (hidden side files included).
std::string Listing(const String& folder) {
  std::string out;
  for (const TSearchEntry& e : ListDirectory(folder)) out += (out.empty() ? "" : " ") + StringToUtf8(e.Name);
  return out;
}

struct Writer {
  const char* Name;
  std::function<void(const String& Path)> Save;  // writes well over 1,024 bytes
};

std::vector<Writer> Writers() {
  return {
      {"SaveFileWhole", [](const String& p) { SaveFileWhole(p, StringToUtf8(kBig)); }},
      {"XMLDocument", [](const String& p) {
         TXMLDocument doc;
         doc.AddRoot(u"Par_Gen").AddChild(u"Name").SetText(kBig);
         doc.SaveToFile(p);
       }},
      {"MemIniFile", [](const String& p) {
         TMemIniFile ini(p);
         ini.WriteString(u"S", u"k", kBig);
         ini.UpdateFile();
       }},
      {"StringList", [](const String& p) {
         TStringList list;
         list.Add(kBig);
         list.SaveToFile(p);
       }},
      {"MemoryStream", [](const String& p) {
         TMemoryStream stream;
         stream.WriteBytes(StringToUtf8(kBig));
         stream.SaveToFile(p);
       }},
  };
}

class SaveFileTest : public ::testing::Test {
 protected:
  TScratchFolder scratch_{"save"};
  String dir_ = scratch_.Folder();
  String file_ = PathJoin(dir_, u"ParGen.xml");
};

// What a failed save must leave: the old bytes, no side file, and a message naming the file,
// the step and the system's reason.
void ExpectFailedSave(const TChildValues& v, const String& file, const std::string& step, const std::string& reason) {
  ASSERT_EQ(v.size(), 3u) << "the child did not finish";
  const std::string& error = v[0];
  EXPECT_NE(error.find("\"" + StringToUtf8(file) + "\""), std::string::npos) << error;
  EXPECT_NE(error.find(step + " failed (" + reason + ")"), std::string::npos) << error;
  EXPECT_NE(error.find("The previous file is unchanged."), std::string::npos) << error;
  EXPECT_EQ(v[1], kOld);
  EXPECT_EQ(v[2], StringToUtf8(ExtractFileName(file)));
}

TEST_F(SaveFileTest, SizeLimitKeepsThePreviousFileOfEveryWriter) {
  for (const Writer& w : Writers()) {
    SCOPED_TRACE(w.Name);
    ASSERT_TRUE(WriteFileBytes(file_, kOld));
    const TChildValues v = RunWithFileSizeLimit(1024, [&] {
      const std::string error = ErrorOf([&] { w.Save(file_); });
      return TChildValues{error, ReadAll(file_), Listing(dir_)};
    });
    ExpectFailedSave(v, file_, "writing", "File too large");
  }
}

TEST_F(SaveFileTest, FullDiskKeepsThePreviousFileOfEveryWriter) {
  for (const Writer& w : Writers()) {
    SCOPED_TRACE(w.Name);
    const auto v = RunOnSmallTmpfs(StringToUtf8(dir_), 64 * 1024, [&] {
      const std::string made = ErrorOf([&] { SaveFileWhole(file_, kOld); });
      if (!made.empty() || !FillFileSystem(StringToUtf8(dir_))) return TChildValues{"setup: " + made};
      fs::path filler = ToPath(dir_) / "filler";
      const std::string error = ErrorOf([&] { w.Save(file_); });
      std::string old = ReadAll(file_);
      fs::remove(filler);
      return TChildValues{error, old, Listing(dir_)};
    });
    if (!v) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    ExpectFailedSave(*v, file_, "writing", "No space left on device");
  }
}

TEST_F(SaveFileTest, FailedStepIsNamedAndNothingIsLeftBeside) {
  struct Case {
    const char* Name;
    std::function<String(const String& Dir)> Prepare;  // returns the path to save to
    std::string Step;
    std::string Reason;
  };
  const Case cases[] = {
      {"missing folder", [](const String& d) { return PathJoin(d, u"no/such/ParGen.xml"); },
       "creating the new file beside it", "No such file or directory"},
      {"folder in the file's place",
       [](const String& d) {
         fs::create_directories(ToPath(PathJoin(d, u"ParGen.xml/inner")));
         return PathJoin(d, u"ParGen.xml");
       },
       "renaming the new file over it", "Is a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const String path = c.Prepare(dir_);
    const std::string before = Listing(dir_);
    const auto error = TrySaveFileWhole(path, "new");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Path, path);
    const std::string text = StringToUtf8(error->Message());
    EXPECT_NE(text.find("Cannot save file \"" + StringToUtf8(path) + "\": " + c.Step + " failed (" + c.Reason + ")."),
              std::string::npos)
        << text;
    EXPECT_EQ(Listing(dir_), before);
    EXPECT_FALSE(WriteFileBytes(path, "new"));
    try {
      SaveFileWhole(path, "new");
      ADD_FAILURE() << "no exception";
    } catch (const EFileSaveError& e) {
      EXPECT_EQ(e.Message(), error->Message());
      EXPECT_EQ(e.Error().Step, error->Step);
    }
    fs::remove_all(ToPath(PathJoin(dir_, u"ParGen.xml")));
  }
}

TEST_F(SaveFileTest, WritersKeepTheirExceptionTypesAndSayWhatFailed) {
  const String missing = PathJoin(dir_, u"no/such/out.txt");
  const std::string expected = "creating the new file beside it failed (No such file or directory)";
  TStringList list;
  list.Add(u"x");
  try {
    list.SaveToFile(missing);
    ADD_FAILURE() << "no exception";
  } catch (const EFCreateError& e) {
    EXPECT_NE(StringToUtf8(e.Message()).find(expected), std::string::npos);
  }
  TXMLDocument doc;
  doc.AddRoot(u"R");
  try {
    doc.SaveToFile(missing);
    ADD_FAILURE() << "no exception";
  } catch (const EXMLDocError& e) {
    EXPECT_NE(StringToUtf8(e.Message()).find(expected), std::string::npos);
  }
  TMemIniFile ini(missing);
  ini.WriteString(u"S", u"k", u"v");
  try {
    ini.UpdateFile();
    ADD_FAILURE() << "no exception";
  } catch (const EInOutError& e) {
    EXPECT_NE(StringToUtf8(e.Message()).find(expected), std::string::npos);
  }
  TBitmap bmp;
  bmp.SetWidth(2);
  bmp.SetHeight(2);
  try {
    bmp.SaveToFile(missing);
    ADD_FAILURE() << "no exception";
  } catch (const EFCreateError& e) {
    EXPECT_NE(StringToUtf8(e.Message()).find(expected), std::string::npos);
  }
}

TEST_F(SaveFileTest, ReplacesTheFileKeepingItsModeAndFollowingALink) {
  ASSERT_TRUE(WriteFileBytes(file_, kOld));
  ASSERT_EQ(::chmod(StringToUtf8(file_).c_str(), 0640), 0);
  SaveFileWhole(file_, "new");
  EXPECT_EQ(ReadAll(file_), "new");
  struct stat st {};
  ASSERT_EQ(::stat(StringToUtf8(file_).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  // Saving through a link replaces the file it names; the link stays a link.
  const String link = PathJoin(dir_, u"link.xml");
  fs::create_symlink(ToPath(file_), ToPath(link));
  SaveFileWhole(link, "through the link");
  EXPECT_TRUE(fs::is_symlink(ToPath(link)));
  EXPECT_EQ(ReadAll(file_), "through the link");
  EXPECT_EQ(Listing(dir_), "link.xml ParGen.xml");

  // An empty content is a file too.
  SaveFileWhole(file_, "");
  EXPECT_TRUE(FileExists(file_));
  EXPECT_EQ(ReadAll(file_), "");
}

TEST_F(SaveFileTest, GroupIsReplacedWholeOrNotAtAll) {
  const String one = PathJoin(dir_, u"bank1.bin");
  const String two = PathJoin(dir_, u"bank2.bin");
  const std::string big(3000, 'b');

  // Everything new.
  ASSERT_FALSE(TrySaveFilesTogether({{one, "first"}, {two, "second"}}).has_value());
  EXPECT_EQ(ReadAll(one), "first");
  EXPECT_EQ(ReadAll(two), "second");

  // The second write fails under a size limit: neither file is touched.
  const TChildValues v = RunWithFileSizeLimit(1024, [&] {
    const auto error = TrySaveFilesTogether({{one, "small"}, {two, big}});
    return TChildValues{error ? StringToUtf8(error->Message()) : "", ReadAll(one), ReadAll(two), Listing(dir_)};
  });
  ASSERT_EQ(v.size(), 4u);
  EXPECT_NE(v[0].find("\"" + StringToUtf8(two) + "\": writing failed (File too large)"), std::string::npos) << v[0];
  EXPECT_EQ(v[1], "first");
  EXPECT_EQ(v[2], "second");
  EXPECT_EQ(v[3], "bank1.bin bank2.bin");

  // The second rename fails (a folder where the file should be): the first gets its old content
  // back, or goes again when it did not exist.
  ASSERT_TRUE(DeleteFile(two));
  fs::create_directories(ToPath(two) / "inner");
  const String fresh = PathJoin(dir_, u"fresh.bin");
  struct Case {
    const char* Name;
    String First;
    bool Existed;
  };
  for (const Case& c : {Case{"existing first", one, true}, Case{"new first", fresh, false}}) {
    SCOPED_TRACE(c.Name);
    const auto error = TrySaveFilesTogether({{c.First, "new first"}, {two, "new second"}});
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Step, TSaveStep::Rename);
    EXPECT_EQ(error->Path, two);
    if (c.Existed) {
      EXPECT_EQ(ReadAll(c.First), "first");
    } else {
      EXPECT_FALSE(FileExists(c.First));
    }
    EXPECT_EQ(Listing(dir_), "bank1.bin bank2.bin");
  }
}

}  // namespace
