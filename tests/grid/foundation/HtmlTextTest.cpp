#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/foundation/AsgHTMLE.h"
#include "tests/support/Utf8Text.h"

namespace {

struct TPair {
  const char* In;
  const char* Out;
};

TEST(HtmlText, StripHTMLTags) {
  const TPair cases[] = {
      {"a<br>b", "a\r\nb"},       {"a<HR>b", "a\r\nb"},          {"x < y", "x < y"},
      {"<B>bold</B>", "bold"},    {"a<b", "a<b"},                {"<i>a</i> > b", "a > b"},
      {"a<x>b<y", "ab<y"},        {"", ""},                      {"&amp;<b>x", "&amp;x"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8(StripHTMLTags(S(c.In))), c.Out) << c.In;
}

// The 55 accented letters and their entities, in table order.
const std::vector<std::pair<const char*, const char*>> kAccents = {
    {"é", "&eacute;"}, {"è", "&egrave;"}, {"ë", "&euml;"},   {"ê", "&ecirc;"},  {"ó", "&oacute;"},
    {"ò", "&ograve;"}, {"ö", "&ouml;"},   {"ô", "&ocirc;"},  {"í", "&iacute;"}, {"ì", "&igrave;"},
    {"ï", "&iuml;"},   {"î", "&icirc;"},  {"ú", "&uacute;"}, {"ù", "&ugrave;"}, {"ü", "&uuml;"},
    {"û", "&ucirc;"},  {"á", "&aacute;"}, {"à", "&agrave;"}, {"ä", "&auml;"},   {"â", "&acirc;"},
    {"É", "&Eacute;"}, {"È", "&Egrave;"}, {"Ë", "&Euml;"},   {"Ê", "&Ecirc;"},  {"Ó", "&Oacute;"},
    {"Ò", "&Ograve;"}, {"Ö", "&Ouml;"},   {"Ô", "&Ocirc;"},  {"Í", "&Iacute;"}, {"Ì", "&Igrave;"},
    {"Ï", "&Iuml;"},   {"Î", "&Icirc;"},  {"Ú", "&Uacute;"}, {"Ù", "&Ugrave;"}, {"Ü", "&Uuml;"},
    {"Û", "&Ucirc;"},  {"Á", "&Aacute;"}, {"À", "&Agrave;"}, {"Ä", "&Auml;"},   {"Â", "&Acirc;"},
    {"ç", "&ccedil;"}, {"Ç", "&Ccedil;"}, {"ø", "&oslash;"}, {"Ø", "&Oslash;"}, {"å", "&aring;"},
    {"Å", "&Aring;"},  {"©", "&copy;"},   {"®", "&reg;"},    {"€", "&euro;"},   {"«", "&laquo;"},
    {"»", "&raquo;"},  {"ã", "&atilde;"}, {"Ã", "&Atilde;"}, {"õ", "&otilde;"}, {"Õ", "&Otilde;"},
};

TEST(HtmlText, EveryAccentedLetterEncodesAndDecodes) {
  ASSERT_EQ(kAccents.size(), 55u);
  String all, allEncoded;
  for (const auto& [letter, entity] : kAccents) {
    EXPECT_EQ(Utf8(EncodeHTMLEntities(S(letter), true)), entity);
    EXPECT_EQ(Utf8(EncodeHTMLEntities(S(letter), false)), letter);
    EXPECT_EQ(Utf8(DecodeHTMLEntities(S(entity), true)), letter);
    EXPECT_EQ(Utf8(DecodeHTMLEntities(S(entity), false)), entity);
    all += S(letter);
    allEncoded += S(entity);
  }
  EXPECT_EQ(EncodeHTMLEntities(all, true), allEncoded);
  EXPECT_EQ(DecodeHTMLEntities(allEncoded, true), all);
}

TEST(HtmlText, EntityCasesAndBasicEntities) {
  const TPair encode[] = {
      {"a&b<c", "a&amp;b&lt;c"}, {"\"q\" > p", "&quot;q&quot; &gt; p"}, {"&amp;", "&amp;amp;"}, {"*amp;", "*amp;"}};
  for (const auto& c : encode) EXPECT_EQ(Utf8(EncodeHTMLEntities(S(c.In), false)), c.Out) << c.In;
  const TPair decode[] = {
      {"&Eacute;&eacute;", "Éé"},  // both letters survive with their own case
      {"&LT;&lt;", "&LT;<"},       // entities are exact-case
      {"&amp;lt;", "&lt;"},        // one pass: a decoded "&" does not start another entity
      {"&quot;x&quot;", "\"x\""},
      {"a & b", "a & b"},
  };
  for (const auto& c : decode) EXPECT_EQ(Utf8(DecodeHTMLEntities(S(c.In), true)), c.Out) << c.In;
}

TEST(HtmlText, EncodeDecodeRoundTrips) {
  const char* texts[] = {"&amp;", "*amp;", "&lt;b&gt; & <b>", "Élan &eacute; «x»", "&&;;&", "plain", ""};
  for (const char* t : texts) {
    for (bool accents : {false, true})
      EXPECT_EQ(Utf8(DecodeHTMLEntities(EncodeHTMLEntities(S(t), accents), accents)), t) << t << " " << accents;
  }
}

TEST(HtmlText, SpacesToNbsp) { EXPECT_EQ(Utf8(SpacesToNbsp(u" a b ")), "&nbsp;a&nbsp;b&nbsp;"); }

TEST(HtmlText, InsertHighlightTags) {
  struct TCase {
    const char* Text;
    const char* Search;
    bool CaseSensitive;
    const char* Out;
  };
  const TCase cases[] = {
      {"abcd", "bc", true, "a<hi>bc</hi>d"},
      {"ab<b>cd</b>", "bcd", true, "a<hi>b<b>cd</hi></b>"},
      {"ABC", "b", false, "A<hi>B</hi>C"},
      {"ABC", "b", true, "ABC"},
      {"abab", "ab", true, "<hi>ab</hi><hi>ab</hi>"},
      {"aaaa", "aa", true, "<hi>aa</hi><hi>aa</hi>"},
      {"<b>ab</b>", "ab", true, "<hi><b>ab</hi></b>"},
      {"a < b", "b", true, "a &lt; <hi>b</hi>"},
      {"xyz", "q", true, "xyz"},
      {"éÉ", "é", false, "<hi>é</hi><hi>É</hi>"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Utf8(InsertHighlightTags(S(c.Text), S(c.Search), u"hi", c.CaseSensitive)), c.Out) << c.Text;
}

TEST(HtmlText, RemoveHighlightTagsUndoesInsert) {
  EXPECT_EQ(Utf8(RemoveHighlightTags(u"a<HI>b</hi>c", u"hi")), "abc");
  EXPECT_EQ(Utf8(RemoveHighlightTags(u"<e>x</E> &lt;y&gt;", u"e")), "x <y>");
  for (const char* t : {"abab", "a < b > c", "Mixed Case text", "x"}) {
    String marked = InsertHighlightTags(S(t), u"a", u"e", false);
    EXPECT_EQ(Utf8(RemoveHighlightTags(marked, u"e")), t) << Utf8(marked);
  }
}

TEST(HtmlText, HighlightColorsAreProcessWide) {
  EXPECT_EQ(HighlightBackgroundColor(), clHighlight);
  EXPECT_EQ(HighlightTextColor(), clHighlightText);
  SetHighlightColors(clYellow, clRed);
  EXPECT_EQ(HighlightBackgroundColor(), clYellow);
  EXPECT_EQ(HighlightTextColor(), clRed);
  SetHighlightColors(clHighlight, clHighlightText);
}

// ---- CONTROL tags ---------------------------------------------------------------------------

const char* kForm =
    "Name <CONTROL TYPE=\"edit\" ID=\"e1\" VALUE=\"J&eacute;r&ocirc;me\" WIDTH=\"80\" MAXLEN=\"12\"> "
    "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"16\"> "
    "<control type=\"RADIO\" id=\"r1\" value=\"TRUE\" width=\"16\"> "
    "<CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"FALSE\" WIDTH=\"16\"> "
    "<CONTROL TYPE=\"BUTTON\" ID=\"b1\" VALUE=\"Go\" WIDTH=\"40\" HEIGHT=\"30\"> "
    "<CONTROL TYPE=\"COMBO\" ID=\"k1\" VALUE=\"a\" WIDTH=\"60\" PROP=\"x&lt;y\">";

TEST(HtmlControlTags, ParseControlTag) {
  TControlTag t = ParseControlTag(
      u"CONTROL TYPE=\"password\" ID=\"p\" VALUE=\"&quot;&euro;\" WIDTH=\"70\" HEIGHT=\"22\" PROP=\"&agrave;\" MAXLEN=\"8\">");
  EXPECT_EQ(Utf8(t.Type), "PASSWORD");
  EXPECT_EQ(Utf8(t.ID), "p");
  EXPECT_EQ(Utf8(t.Value), "\"€");
  EXPECT_EQ(Utf8(t.Width), "70");
  EXPECT_EQ(Utf8(t.Height), "22");
  EXPECT_EQ(Utf8(t.Prop), "à");
  EXPECT_EQ(Utf8(t.MaxLen), "8");
  TControlTag none = ParseControlTag(u"CONTROL ID=unquoted>");
  EXPECT_TRUE(none.ID.empty());
  EXPECT_TRUE(none.Type.empty());
}

TEST(HtmlControlTags, Queries) {
  const String form = S(kForm);
  EXPECT_TRUE(HasControlTag(form));
  EXPECT_TRUE(HasControlTag(u"x<control"));
  EXPECT_FALSE(HasControlTag(u"CONTROL TYPE=\"EDIT\""));
  String v = u"keep";
  EXPECT_TRUE(GetControlValue(form, u"e1", v));
  EXPECT_EQ(Utf8(v), "Jérôme");
  v = u"keep";
  EXPECT_FALSE(GetControlValue(form, u"E1", v));
  EXPECT_EQ(Utf8(v), "keep");
  EXPECT_EQ(Utf8(GetControlProp(form, u"k1")), "x<y");
  EXPECT_EQ(Utf8(GetControlProp(form, u"none")), "");
  EXPECT_EQ(GetControlMaxLen(form, u"e1"), 12);
  EXPECT_EQ(GetControlMaxLen(form, u"c1"), 0);
  EXPECT_EQ(GetControlMaxLen(form, u"none"), 0);
}

TEST(HtmlControlTags, NextEditControlID) {
  const String form = S(kForm);
  const TPair cases[] = {{"", "e1"}, {"e1", "k1"}, {"c1", "k1"}, {"k1", ""}, {"missing", ""}};
  for (const auto& c : cases) EXPECT_EQ(Utf8(NextEditControlID(form, S(c.In))), c.Out) << c.In;
}

TEST(HtmlControlTags, SetControlValueRewritesTheTag) {
  String form = S(kForm);
  ASSERT_TRUE(SetControlValue(form, u"b1", u"Stop"));
  // HEIGHT is not written again; the rest of the text stays as it was.
  EXPECT_NE(Utf8(form).find("<CONTROL ID=\"b1\" VALUE=\"Stop\" WIDTH=\"40\" TYPE=\"BUTTON\"> "), std::string::npos)
      << Utf8(form);
  EXPECT_EQ(Utf8(form).find("HEIGHT"), std::string::npos);
  EXPECT_EQ(Utf8(form).rfind("Name <CONTROL TYPE=\"edit\"", 0), 0u);

  ASSERT_TRUE(SetControlValue(form, u"k1", u"b"));
  EXPECT_NE(Utf8(form).find("<CONTROL ID=\"k1\" VALUE=\"b\" WIDTH=\"60\" TYPE=\"COMBO\" PROP=\"x&lt;y\">"),
            std::string::npos);
  ASSERT_TRUE(SetControlValue(form, u"e1", u"say \"é\" & <x>"));
  String v;
  ASSERT_TRUE(GetControlValue(form, u"e1", v));
  EXPECT_EQ(Utf8(v), "say \"é\" & <x>");
  EXPECT_EQ(GetControlMaxLen(form, u"e1"), 12);

  const String before = form;
  EXPECT_FALSE(SetControlValue(form, u"zz", u"1"));
  EXPECT_EQ(form, before);
}

TEST(HtmlControlTags, ResetRadioControls) {
  const String reset = ResetRadioControls(S(kForm));
  String v;
  ASSERT_TRUE(GetControlValue(reset, u"r1", v));
  EXPECT_EQ(Utf8(v), "FALSE");
  ASSERT_TRUE(GetControlValue(reset, u"r2", v));
  EXPECT_EQ(Utf8(v), "FALSE");
  ASSERT_TRUE(GetControlValue(reset, u"c1", v));
  EXPECT_EQ(Utf8(v), "TRUE");
}

TEST(HtmlControlTags, ReadLeadingInt) {
  struct TCase {
    const char* In;
    int Value;
    bool Valid;
  };
  const TCase cases[] = {{"12", 12, true},   {" -7", -7, true}, {"$1F", 31, true}, {"0x10", 16, true},
                         {"12px", 12, false}, {"", 0, false},   {"abc", 0, false}, {"+3", 3, true}};
  for (const auto& c : cases) {
    int v = -99;
    EXPECT_EQ(ReadLeadingInt(S(c.In), v), c.Valid) << c.In;
    EXPECT_EQ(v, c.Value) << c.In;
  }
}

}  // namespace
