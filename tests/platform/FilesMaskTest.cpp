// Folder listings through a file mask: wildcards matched without regard to case.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/testing/ScratchFolder.h"

namespace {

TEST(FilesMaskTest, WildcardsMatchWholeNamesWithoutRegardToCase) {
  struct Case {
    const char16_t* Name;
    const char16_t* Mask;
    bool Match;
  };
  for (const Case& c : {Case{u"A.PNG", u"*.png", true}, Case{u"a.png", u"*.PNG", true}, Case{u"a.png.bak", u"*.png", false},
                        Case{u"notes.txt", u"*", true}, Case{u"", u"*", true}, Case{u"ab", u"a?", true},
                        Case{u"a", u"a?", false}, Case{u"xay", u"*a*", true}, Case{u"abcbd", u"a*b*d", true},
                        Case{u"abc", u"a*d", false}, Case{u"b.jpg", u"*.png", false}})
    EXPECT_EQ(MatchesFileMask(c.Name, c.Mask), c.Match) << StringToUtf8(c.Name) << " ~ " << StringToUtf8(c.Mask);
}

TEST(FilesMaskTest, ListingThroughAMaskKeepsTheFolderOrder) {
  TScratchFolder root("files_mask");
  for (const char* name : {"b.png", "A.PNG", "notes.txt", "c.Png"}) ASSERT_TRUE(WriteFileBytes(root.File(name), "x"));
  ASSERT_TRUE(CreateDir(root.File("pictures.png")));
  const auto list = ListDirectoryMatching(root.Folder() + u"/*.png");
  ASSERT_EQ(list.size(), 4u);
  const char16_t* names[] = {u"A.PNG", u"b.png", u"c.Png", u"pictures.png"};
  for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].Name, names[i]) << i;
  EXPECT_TRUE(list[3].IsDirectory);
  EXPECT_TRUE(ListDirectoryMatching(root.Folder() + u"/missing/*").empty());
}

}  // namespace
