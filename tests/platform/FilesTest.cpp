#include "platform/Files.h"

#include <gtest/gtest.h>

#include "platform/testing/ScratchFolder.h"

namespace {

class FilesTest : public ::testing::Test {
 protected:
  String P(const char* rel) const { return PathJoin(root_.Folder(), S(rel)); }
  TScratchFolder root_{"files"};
};

TEST_F(FilesTest, ListingIsSortedCaseBlindWithHiddenFlag) {
  ASSERT_TRUE(WriteFileBytes(P("beta.txt"), "12345"));
  ASSERT_TRUE(WriteFileBytes(P("Alpha.xml"), ""));
  ASSERT_TRUE(WriteFileBytes(P(".hidden"), "x"));
  ASSERT_TRUE(WriteFileBytes(P("_under"), "x"));
  ASSERT_TRUE(CreateDir(P("PROJECTS")));
  ASSERT_TRUE(CreateDir(P("master")));

  const auto list = ListDirectory(root_.Folder());
  ASSERT_EQ(list.size(), 6u);
  // Case-blind ordinal: letters fold to upper case, so '_' (0x5F) sorts after them.
  const char* names[] = {".hidden", "Alpha.xml", "beta.txt", "master", "PROJECTS", "_under"};
  for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].Name, S(names[i])) << i;
  EXPECT_TRUE(list[0].Hidden);
  EXPECT_FALSE(list[1].Hidden);
  EXPECT_EQ(list[2].Size, 5);
  EXPECT_FALSE(list[2].IsDirectory);
  EXPECT_TRUE(list[3].IsDirectory);
  EXPECT_TRUE(list[4].IsDirectory);

  EXPECT_TRUE(ListDirectory(P("missing")).empty());
}

TEST_F(FilesTest, CreateOneLevelOrWithParents) {
  EXPECT_FALSE(CreateDir(P("a/b")));  // parent missing
  EXPECT_FALSE(DirectoryExists(P("a")));
  EXPECT_TRUE(CreateDir(P("a")));
  EXPECT_FALSE(CreateDir(P("a")));  // exists already
  EXPECT_TRUE(ForceDirectories(P("x/y/z/")));
  EXPECT_TRUE(DirectoryExists(P("x/y/z")));
  EXPECT_TRUE(ForceDirectories(P("x/y")));  // exists already
  EXPECT_FALSE(FileExists(P("x/y")));

  ASSERT_TRUE(WriteFileBytes(P("file"), "f"));
  EXPECT_FALSE(ForceDirectories(P("file/sub")));
  EXPECT_FALSE(DirectoryExists(P("file")));
  EXPECT_FALSE(DirectoryExists(u""));
  EXPECT_FALSE(FileExists(u""));

  EXPECT_FALSE(RemoveDir(P("x/y")));  // not empty
  EXPECT_TRUE(RemoveDir(P("x/y/z")));
  EXPECT_FALSE(DirectoryExists(P("x/y/z")));
}

TEST_F(FilesTest, CopyDeleteRename) {
  ASSERT_TRUE(WriteFileBytes(P("src"), std::string("bin\0ary\r\n", 9)));
  ASSERT_TRUE(WriteFileBytes(P("dst"), "old contents that are longer"));

  EXPECT_FALSE(CopyFile(P("src"), P("dst"), true));
  std::string got;
  ASSERT_TRUE(ReadFileBytes(P("dst"), got));
  EXPECT_EQ(got, "old contents that are longer");

  EXPECT_TRUE(CopyFile(P("src"), P("dst"), false));
  ASSERT_TRUE(ReadFileBytes(P("dst"), got));
  EXPECT_EQ(got, std::string("bin\0ary\r\n", 9));
  EXPECT_TRUE(CopyFile(P("src"), P("fresh"), true));
  EXPECT_FALSE(CopyFile(P("missing"), P("other"), false));
  EXPECT_FALSE(FileExists(P("other")));

  EXPECT_FALSE(RenameFile(P("src"), P("dst")));  // never replaces
  EXPECT_TRUE(RenameFile(P("src"), P("moved")));
  EXPECT_FALSE(FileExists(P("src")));
  EXPECT_TRUE(FileExists(P("moved")));

  EXPECT_TRUE(DeleteFile(P("moved")));
  EXPECT_FALSE(DeleteFile(P("moved")));
  ASSERT_TRUE(CreateDir(P("dir")));
  EXPECT_FALSE(DeleteFile(P("dir")));
  EXPECT_FALSE(ReadFileBytes(P("moved"), got));
  EXPECT_TRUE(got.empty());
}

// Files of every size come back whole, those that report no size too.
TEST_F(FilesTest, ReadFileBytesReadsTheWholeFile) {
  std::string big;
  for (size_t i = 0; i < 200001; ++i) big.push_back(static_cast<char>((i * 7 + i / 256) & 0xFF));
  for (size_t size : {size_t{0}, size_t{1}, size_t{16383}, size_t{16384}, size_t{65537}, big.size()}) {
    ASSERT_TRUE(WriteFileBytes(P("f"), std::string_view(big).substr(0, size)));
    std::string got = "stale";
    ASSERT_TRUE(ReadFileBytes(P("f"), got)) << size;
    EXPECT_EQ(got, big.substr(0, size)) << size;
  }
  std::string status;
  ASSERT_TRUE(ReadFileBytes(u"/proc/self/status", status));  // reports a size of 0
  EXPECT_NE(status.find("Name:"), std::string::npos);
}

TEST_F(FilesTest, NonAsciiNamesRoundTrip) {
  const String name = PathJoin(root_.Folder(), S("Gr\xc3\xbc\xc3\x9f" "e \xce\xa9.xml"));
  ASSERT_TRUE(WriteFileBytes(name, "x"));
  EXPECT_TRUE(FileExists(name));
  const auto list = ListDirectory(root_.Folder());
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Name, ExtractFileName(name));
}

TEST(FilePaths, PartsOfAPath) {
  struct Case {
    const char* path;
    const char* filePath;
    const char* dir;
    const char* name;
    const char* ext;
    const char* changed;  // ChangeFileExt(path, ".bin")
  } cases[] = {
      {"/opt/conf/MASTER/ParGen.xml", "/opt/conf/MASTER/", "/opt/conf/MASTER", "ParGen.xml", ".xml",
       "/opt/conf/MASTER/ParGen.bin"},
      {"bin/bank1.bin", "bin/", "bin", "bank1.bin", ".bin", "bin/bank1.bin"},
      {"name", "", "", "name", "", "name.bin"},
      {"/a.b/file", "/a.b/", "/a.b", "file", "", "/a.b/file.bin"},
      {"/dir/", "/dir/", "/dir", "", "", "/dir/.bin"},
      {"/top", "/", "/", "top", "", "/top.bin"},
      {"x.tar.gz", "", "", "x.tar.gz", ".gz", "x.tar.bin"},
      {"", "", "", "", "", ".bin"},
  };
  for (const Case& c : cases) {
    const String p = S(c.path);
    EXPECT_EQ(ExtractFilePath(p), S(c.filePath)) << c.path;
    EXPECT_EQ(ExtractFileDir(p), S(c.dir)) << c.path;
    EXPECT_EQ(ExtractFileName(p), S(c.name)) << c.path;
    EXPECT_EQ(ExtractFileExt(p), S(c.ext)) << c.path;
    EXPECT_EQ(ChangeFileExt(p, u".bin"), S(c.changed)) << c.path;
  }
}

TEST(FilePaths, JoinAndTrailingDelimiter) {
  EXPECT_EQ(PathJoin(u"/opt/conf", u"MASTER"), u"/opt/conf/MASTER");
  EXPECT_EQ(PathJoin(u"/opt/conf/", u"MASTER"), u"/opt/conf/MASTER");
  EXPECT_EQ(PathJoin(u"/opt/conf", u"/MASTER"), u"/opt/conf/MASTER");
  EXPECT_EQ(PathJoin(u"", u"MASTER"), u"MASTER");
  EXPECT_EQ(PathJoin(u"/opt", u""), u"/opt");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/opt"), u"/opt/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/opt/"), u"/opt/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/opt//"), u"/opt");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/"), u"/");
  EXPECT_EQ(FromPath(ToPath(S("/t/\xc3\xa9"))), S("/t/\xc3\xa9"));
}

TEST(ProgramFolder, IsTheExecutablesFolderUnlessOverridden) {
  char buf[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  ASSERT_GT(n, 0);
  const String exe = S(std::string(buf, static_cast<size_t>(n)));
  EXPECT_EQ(ProgramFolder(), ExtractFileDir(exe));
  EXPECT_TRUE(FileExists(PathJoin(ProgramFolder(), ExtractFileName(exe))));

  SetProgramFolderForTests(u"/tmp/fake-program/");
  EXPECT_EQ(ProgramFolder(), u"/tmp/fake-program");
  SetProgramFolderForTests(u"");
  EXPECT_EQ(ProgramFolder(), ExtractFileDir(exe));
}

}  // namespace
