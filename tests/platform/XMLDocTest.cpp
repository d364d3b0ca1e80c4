#include "platform/XMLDoc.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Encoding.h"
#include "platform/Files.h"
#include "platform/testing/ScratchFolder.h"

namespace {

const String kFixtures = S(CONF_FIXTURES "/platform/xml");

std::string ReadBytes(const String& path) {
  std::string out;
  EXPECT_TRUE(ReadFileBytes(path, out));
  return out;
}

TEST(XMLDocument, RootWithCommentSavesRawWithoutDeclaration) {
  TXMLDocument doc;
  TXMLNode root = doc.AddRoot(u"SNMP_Trap_Read");
  doc.AddComment(u"SW_VERSION = 1.000");
  TXMLNode row = root.AddChild(u"Row");
  row.SetAttribute(u"Name", u"a & <b>");
  row.SetAttribute(u"Quote", S("say \"hi\""));
  root.AddChild(u"Empty");
  root.AddChild(u"Value").SetText(u"12");

  const std::string expected =
      "<SNMP_Trap_Read><Row Name=\"a &amp; &lt;b&gt;\" Quote=\"say &quot;hi&quot;\"/><Empty/>"
      "<Value>12</Value></SNMP_Trap_Read><!--SW_VERSION = 1.000-->";
  EXPECT_EQ(doc.SaveToUtf8(), expected);

  TScratchFolder dir("xmldoc");
  doc.SaveToFile(dir.File("a.xml"));
  doc.SaveToFile(dir.File("b.xml"));
  EXPECT_EQ(ReadBytes(dir.File("a.xml")), expected);
  EXPECT_EQ(ReadBytes(dir.File("b.xml")), expected);

  // A reloaded file saves to the same bytes.
  TXMLDocument again;
  again.LoadFromFile(dir.File("a.xml"));
  EXPECT_EQ(again.SaveToUtf8(), expected);
  EXPECT_EQ(again.DocumentElement().ChildNodes()[0].Attributes(u"Quote"), S("say \"hi\""));
}

TEST(XMLDocument, EmptyAndFilledElementsReadTheirText) {
  struct Case {
    const char* xml;
    const char* text;
  } cases[] = {
      {"<R><a/></R>", ""},
      {"<R><a></a></R>", ""},
      {"<R><a>x y</a></R>", "x y"},
      {"<R><a>&lt;1&amp;2&gt;</a></R>", "<1&2>"},
      {"<R><a><![CDATA[<raw>]]></a></R>", "<raw>"},
      {"<R><a>\xc3\xa9t\xc3\xa9</a></R>", "\xc3\xa9t\xc3\xa9"},
  };
  for (const Case& c : cases) {
    TXMLDocument doc;
    doc.LoadFromXML(S(c.xml));
    TXMLNode a = doc.DocumentElement().ChildNodes().FindNode(u"a");
    ASSERT_TRUE(a) << c.xml;
    EXPECT_EQ(a.Text(), S(c.text)) << c.xml;
  }
}

TEST(XMLDocument, TextOfAnElementWithElementChildrenRaises) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<R><a><b/></a></R>");
  EXPECT_THROW(doc.DocumentElement().ChildNodes()[0].Text(), EXMLDocError);
}

TEST(XMLDocument, RootIsFoundAfterDeclarationCommentsAndInstructions) {
  const char* inputs[] = {
      "<?xml version=\"1.0\"?><Par_Gen><k>1</k></Par_Gen>",
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Par_Gen><k>1</k></Par_Gen>",
      "<!-- note --><Par_Gen><k>1</k></Par_Gen>",
      "<?xml version=\"1.0\"?>\n<!-- a -->\n<?pi data?>\n<Par_Gen><k>1</k></Par_Gen>\n<!--SW_VERSION = 1.000-->",
      "\xef\xbb\xbf<Par_Gen><k>1</k></Par_Gen>",
  };
  for (const char* xml : inputs) {
    TXMLDocument doc;
    doc.LoadFromXML(S(xml));
    TXMLNode root = doc.DocumentElement();
    ASSERT_TRUE(root) << xml;
    EXPECT_EQ(root.NodeName(), u"Par_Gen") << xml;
    EXPECT_EQ(root.NodeType(), ntElement);
    EXPECT_EQ(root.ChildNodes().FindNode(u"k").Text(), u"1") << xml;
  }
}

TEST(XMLDocument, LineBreaksInAttributesSurviveAReload) {
  const String values[] = {u"a\r\nb", u"\r\n", u"one\ntwo\rthree", u"tab\there", u" lead and trail "};
  for (const String& v : values) {
    TXMLDocument doc;
    doc.AddRoot(u"R").SetAttribute(u"Description", v);
    const std::string saved = doc.SaveToUtf8();
    EXPECT_EQ(saved.find('\r'), std::string::npos);
    EXPECT_EQ(saved.find('\n'), std::string::npos);
    TScratchFolder dir("xmldoc");
    doc.SaveToFile(dir.File("r.xml"));
    TXMLDocument back;
    back.LoadFromFile(dir.File("r.xml"));
    EXPECT_EQ(back.DocumentElement().Attributes(u"Description"), v);
  }
  TXMLDocument doc;
  doc.AddRoot(u"R").SetAttribute(u"D", u"a\r\nb");
  EXPECT_EQ(doc.SaveToUtf8(), "<R D=\"a&#13;&#10;b\"/>");
}

TEST(XMLDocument, LineBreaksInTextSurviveAReload) {
  TXMLDocument doc;
  doc.AddRoot(u"R").AddChild(u"t").SetText(u"x\r\ny");
  TXMLDocument back;
  back.LoadFromXML(doc.SaveToXML());
  EXPECT_EQ(back.DocumentElement().ChildNodes()[0].Text(), u"x\r\ny");
}

// A reference to a code point UTF-8 cannot hold is saved as U+FFFD, so the file stays UTF-8 and
// every other accent of it reads back as it was.
TEST(XMLDocument, ReferencesToUnencodableCodePointsSaveAsReplacementCharacter) {
  struct Case {
    const char* ref;
    const char* read;  // what the attribute and the text read back as, UTF-8
  } cases[] = {
      {"&#xD800;", "\xEF\xBF\xBD"},          {"&#xDFFF;", "\xEF\xBF\xBD"},
      {"&#xD83D;&#xDE00;", "\xEF\xBF\xBD\xEF\xBF\xBD"},  // a pair spelt as two references
      {"&#x110000;", "\xEF\xBF\xBD"},        {"&#x1F600;", "\xF0\x9F\x98\x80"},
      {"&#xE9;", "\xC3\xA9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ref);
    const std::string xml = std::string("<R a=\"Caf\xC3\xA9 ") + c.ref + "\"><t>" + c.ref + " na\xC3\xAFve</t></R>";
    TScratchFolder dir("xmldoc");
    ASSERT_TRUE(WriteFileBytes(dir.File("in.xml"), xml));
    TXMLDocument doc;
    doc.LoadFromFile(dir.File("in.xml"));
    doc.SaveToFile(dir.File("out.xml"));
    const std::string saved = ReadBytes(dir.File("out.xml"));
    EXPECT_TRUE(IsValidUtf8(saved)) << saved;
    for (int round = 0; round < 2; ++round) {
      TXMLDocument back;
      back.LoadFromFile(dir.File("out.xml"));
      EXPECT_EQ(back.DocumentElement().Attributes(u"a"), S(std::string("Caf\xC3\xA9 ") + c.read));
      EXPECT_EQ(back.DocumentElement().ChildNodes()[0].Text(), S(std::string(c.read) + " na\xC3\xAFve"));
      back.SaveToFile(dir.File("out.xml"));
      EXPECT_EQ(ReadBytes(dir.File("out.xml")), saved);
    }
  }
}

// Files written before the writer mended lone surrogates, or by another program: one bad sequence
// in a UTF-8 file does not make its other accents read as two ANSI letters each; a file whose only
// non-ASCII bytes are malformed stays ANSI.
TEST(XMLDocument, OneBadSequenceDoesNotTurnAUtf8FileIntoAnsi) {
  struct Case {
    const char* bytes;
    const char* attr;
  } cases[] = {
      {"<R a=\"Caf\xC3\xA9 \xED\xA0\x80\"/>", "Caf\xC3\xA9 \xEF\xBF\xBD"},
      {"<R a=\"Caf\xC3\xA9 na\xC3\xAFve \xE9\"/>", "Caf\xC3\xA9 na\xC3\xAFve \xEF\xBF\xBD"},
      {"<R a=\"\xC3\xA9 \xE9t\xE9\"/>", "\xC3\x83\xC2\xA9 \xC3\xA9t\xC3\xA9"},  // more bad than good
      {"<R a=\"\xED\xA0\x80\"/>", "\xEF\xBF\xBD"},
      {"<R a=\"Caf\xE9\"/>", "Caf\xC3\xA9"},
      {"<R a=\"\xE9t\xE9 \x80\"/>", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC"},
  };
  for (const Case& c : cases) {
    TScratchFolder dir("xmldoc");
    ASSERT_TRUE(WriteFileBytes(dir.File("in.xml"), c.bytes));
    TXMLDocument doc;
    doc.LoadFromFile(dir.File("in.xml"));
    EXPECT_EQ(doc.DocumentElement().Attributes(u"a"), S(c.attr)) << c.bytes;
  }
}

// Text made of blanks only is written so that a reader keeps it.
TEST(XMLDocument, BlankOnlyTextSurvivesAReload) {
  const String values[] = {u" ", u"   ", u"\t", u" \n ", u"\r\n", u" x ", u"\u00a0"};
  for (const String& v : values) {
    TXMLDocument doc;
    TXMLNode root = doc.AddRoot(u"R");
    root.AddChild(u"t").SetText(v);
    root.AddChild(u"u").SetText(u"1");
    TScratchFolder dir("xmldoc");
    doc.SaveToFile(dir.File("r.xml"));
    TXMLDocument back;
    back.LoadFromFile(dir.File("r.xml"));
    EXPECT_EQ(back.DocumentElement().ChildNodes().FindNode(u"t").Text(), v) << StringToUtf8(v);
    EXPECT_EQ(back.DocumentElement().ChildNodes().Count(), 2);
  }
  TXMLDocument doc;
  doc.AddRoot(u"R").AddChild(u"t").SetText(u"  ");
  EXPECT_EQ(doc.SaveToUtf8(), "<R><t>&#32; </t></R>");
}

TEST(XMLDocument, AttributesReadWithAndWithoutDefault) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<R><Row Id=\"7\" Name=\"\"/></R>");
  TXMLNode row = doc.DocumentElement().ChildNodes()[0];
  EXPECT_TRUE(row.HasAttribute(u"Id"));
  EXPECT_TRUE(row.HasAttribute(u"Name"));
  EXPECT_FALSE(row.HasAttribute(u"id"));  // names are case-sensitive
  EXPECT_EQ(row.Attributes(u"Id"), u"7");
  EXPECT_EQ(row.Attributes(u"Name"), u"");
  EXPECT_THROW(row.Attributes(u"Missing"), EXMLDocError);
  EXPECT_EQ(row.AttributeDef(u"Missing", u"dflt"), u"dflt");
  EXPECT_EQ(row.AttributeDef(u"Id", u"dflt"), u"7");
  row.SetAttribute(u"Id", u"8");
  EXPECT_EQ(row.Attributes(u"Id"), u"8");
  EXPECT_EQ(row.AttributeCount(), 2);
}

TEST(XMLDocument, AttributeValuesReadManyInOnePass) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<R><Row b=\"2\" a=\"1\" \u00e9t\u00e9=\"\u00e9\" c=\"\" x=\"9\"/><Dup a=\"first\" a=\"second\"/></R>");
  const TXMLNode row = doc.DocumentElement().ChildNodes()[0];
  struct Case {
    std::vector<String> names;
    std::vector<std::optional<String>> want;
  } cases[] = {
      {{u"a", u"b", u"c"}, {u"1", u"2", u""}},  // another order than the element's
      {{u"b", u"a", u"\u00e9t\u00e9", u"c", u"x"}, {u"2", u"1", u"\u00e9", u"", u"9"}},
      {{u"missing", u"a", u"A", u"\u00e9t"}, {std::nullopt, u"1", std::nullopt, std::nullopt}},
      {{u"a", u"a"}, {u"1", u"1"}},
      {{}, {}},
  };
  std::vector<std::optional<String>> got{u"left over"};
  for (const Case& c : cases) {
    row.AttributeValues(c.names, got);
    EXPECT_EQ(got, c.want);
    // Each agrees with the one-by-one reads.
    for (size_t i = 0; i < c.names.size(); ++i)
      EXPECT_EQ(got[i].has_value(), row.HasAttribute(c.names[i]));
  }
  // The parser keeps a repeated attribute; the first one counts, as for Attributes.
  const TXMLNode dup = doc.DocumentElement().ChildNodes()[1];
  dup.AttributeValues({u"a"}, got);
  EXPECT_EQ(got, std::vector<std::optional<String>>{dup.Attributes(u"a")});
  EXPECT_EQ(got[0], u"first");
}

TEST(XMLDocument, ChildNodesByIndexAndName) {
  TXMLDocument doc;
  doc.LoadFromXML(u"<R>\n  <A>1</A>\n  <!--c-->\n  <B>2</B>\n  <A>3</A>\n</R><!--SW_VERSION = 1.000-->");
  TXMLNode root = doc.DocumentElement();
  TXMLNodeList kids = root.ChildNodes();
  ASSERT_EQ(kids.Count(), 4);  // indentation is not a node
  EXPECT_EQ(kids[0].NodeName(), u"A");
  EXPECT_EQ(kids[1].NodeType(), ntComment);
  EXPECT_EQ(kids[1].NodeValue(), u"c");
  EXPECT_EQ(kids.Nodes(2).Text(), u"2");
  EXPECT_EQ(kids.FindNode(u"A").Text(), u"1");  // the first one so named
  EXPECT_FALSE(kids.FindNode(u"Z"));
  EXPECT_EQ(kids.First(), kids[0]);
  EXPECT_EQ(kids.Last().Text(), u"3");
  EXPECT_THROW(kids[4], EXMLDocError);
  EXPECT_THROW(kids[-1], EXMLDocError);
  EXPECT_EQ(kids[2].ParentNode(), root);
  EXPECT_FALSE(root.ParentNode());
  EXPECT_EQ(kids[0].NextSibling(), kids[1]);

  TXMLNodeList top = doc.ChildNodes();
  ASSERT_EQ(top.Count(), 2);
  EXPECT_EQ(top[0], root);
  EXPECT_EQ(top[1].NodeType(), ntComment);
  EXPECT_EQ(top[1].NodeValue(), u"SW_VERSION = 1.000");

  EXPECT_TRUE(root.DeleteChild(kids[1]));
  EXPECT_FALSE(root.DeleteChild(top[1]));  // not a child of the root
  EXPECT_EQ(doc.SaveToUtf8(), "<R><A>1</A><B>2</B><A>3</A></R><!--SW_VERSION = 1.000-->");
}

TEST(XMLDocument, MalformedInputRaisesWithTheLine) {
  try {
    TXMLDocument doc;
    doc.LoadFromFile(PathJoin(kFixtures, u"malformed_line4.xml"));
    FAIL() << "no error";
  } catch (const EXMLDocError& e) {
    EXPECT_NE(e.Message().find(u"line 4"), String::npos) << e.what();
  }
  const char* bad[] = {"", "   ", "<R>", "<R></S>", "<!-- only a comment -->", "text"};
  for (const char* xml : bad) {
    TXMLDocument doc;
    EXPECT_THROW(doc.LoadFromXML(S(xml)), EXMLDocError) << xml;
    EXPECT_FALSE(doc.Active());
    EXPECT_FALSE(doc.DocumentElement());
  }
}

TEST(XMLDocument, MissingFileRaises) {
  TXMLDocument doc;
  EXPECT_THROW(doc.LoadFromFile(PathJoin(kFixtures, u"no_such_file.xml")), EXMLDocError);
}

TEST(XMLDocument, FilesInOtherEncodingsLoad) {
  struct Case {
    const char* file;
    const char* attr;
    const char* text;
  } cases[] = {
      {"utf16le_bom.xml", "\xce\xa9mega \xc3\xa9", "Gr\xc3\xbc\xc3\x9f" "e"},
      {"utf16be_nobom.xml", "\xce\xa9mega \xc3\xa9", "Gr\xc3\xbc\xc3\x9f" "e"},
      {"windows1252.xml", "\xc3\x89t\xc3\xa9 \xe2\x82\xac", "Gr\xc3\xbc\xc3\x9f" "e"},
      {"iso88591.xml", "\xc3\x89t\xc3\xa9", "Gr\xc3\xbc\xc3\x9f" "e"},
      {"utf8_bom_decl_comment.xml", "\xce\xa9mega \xc3\xa9", "Gr\xc3\xbc\xc3\x9f" "e"},
  };
  for (const Case& c : cases) {
    TXMLDocument doc;
    doc.LoadFromFile(PathJoin(kFixtures, S(c.file)));
    TXMLNode root = doc.DocumentElement();
    ASSERT_TRUE(root) << c.file;
    EXPECT_EQ(root.NodeName(), u"Par_Gen") << c.file;
    TXMLNode name = root.ChildNodes().FindNode(u"Name");
    ASSERT_TRUE(name) << c.file;
    EXPECT_EQ(name.Attributes(u"v"), S(c.attr)) << c.file;
    EXPECT_EQ(name.Text(), S(c.text)) << c.file;
  }
}

// Bytes that are UTF-8 reach the parser as they are; any others are decoded first, as before.
TEST(XMLDocument, FileBytesAreReadAsUtf8OnlyWhenTheyAre) {
  TScratchFolder dir("xmldoc");
  struct Case {
    std::string bytes;
    String value;
  } cases[] = {
      {"<R v=\"\xc3\xa9\xe2\x82\xac\"/>", u"\u00e9\u20ac"},
      {"\xEF\xBB\xBF<R v=\"\xc3\xa9\"/>", u"\u00e9"},
      {"\xEF\xBB\xBF<R v=\"a\xFF" "b\"/>", u"a\uFFFD" "b"},           // after a BOM: replaced
      {"<R v=\"\xE9t\xE9\"/>", u"\u00e9t\u00e9"},                         // not UTF-8: the ANSI page
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><R v=\"\x80\"/>", u"\u20ac"},
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><R v=\"\xc3\xa9\"/>", u"\u00c3\u00a9"},
      {"<?xml version=\"1.0\" encoding=\"windows-1252\"?><R v=\"\xc3\xa9\"/>", u"\u00c3\u00a9"},
      {"<R v=\"\xed\xa0\x80\"/>", u"\uFFFD"},  // an encoded surrogate reads as a replacement
      // An instruction whose target only begins with "xml" is no declaration: it names no encoding.
      {"<?xmlrsv encoding=\"ISO-8859-1\"?><R v=\"\xc3\xa9\"/>", u"\u00e9"},
      {"<?xml-stylesheet encoding=\"windows-1252\"?><R v=\"\xc3\xa9\"/>", u"\u00e9"},
      {"<?xml\tencoding=\"ISO-8859-1\"?><R v=\"\xc3\xa9\"/>", u"\u00c3\u00a9"},
  };
  for (const Case& c : cases) {
    const String path = dir.File("case.xml");
    ASSERT_TRUE(WriteFileBytes(path, c.bytes));
    TXMLDocument doc;
    doc.LoadFromFile(path);
    EXPECT_EQ(doc.DocumentElement().Attributes(u"v"), c.value) << c.bytes;
  }
  // The line of an error counts the file's own line breaks.
  const String bad = dir.File("bad.xml");
  ASSERT_TRUE(WriteFileBytes(bad, "<R>\n<a v=\"\xc3\xa9\"/>\r\n\n<b></c></R>"));
  TXMLDocument doc;
  try {
    doc.LoadFromFile(bad);
    FAIL() << "no error";
  } catch (const EXMLDocError& e) {
    EXPECT_NE(e.Message().find(u"line 4"), String::npos) << e.what();
  }
}

TEST(XMLDocument, ReloadedFileIsWrittenAsUtf8WithoutItsDeclaration) {
  TXMLDocument doc;
  doc.LoadFromFile(PathJoin(kFixtures, u"windows1252.xml"));
  EXPECT_EQ(doc.SaveToUtf8(),
            "<Par_Gen><Name v=\"\xc3\x89t\xc3\xa9 \xe2\x82\xac\">Gr\xc3\xbc\xc3\x9f" "e</Name></Par_Gen>");
}

// The writer keeps instructions; one that looked like a declaration naming Latin-1 made the saved
// UTF-8 read back as Latin-1.
TEST(XMLDocument, InstructionBeforeTheRootKeepsASavedFileReadingTheSame) {
  TScratchFolder dir("xmldoc");
  const String in = dir.File("in.xml");
  const String out = dir.File("out.xml");
  ASSERT_TRUE(WriteFileBytes(in, "<?xmlrsv v='1.0' encoding='ISO-8859-1'?>\n<R v=\"\xc9t\xe9\">Gr\xfc\xdf" "e</R>"));
  TXMLDocument doc;
  doc.LoadFromFile(in);
  EXPECT_EQ(doc.DocumentElement().Attributes(u"v"), u"\u00c9t\u00e9");
  doc.SaveToFile(out);
  TXMLDocument again;
  again.LoadFromFile(out);
  EXPECT_EQ(again.DocumentElement().Attributes(u"v"), u"\u00c9t\u00e9");
  EXPECT_EQ(again.DocumentElement().Text(), u"Gr\u00fc\u00df" "e");
  EXPECT_EQ(again.SaveToUtf8(), doc.SaveToUtf8());
}

TEST(XMLDocument, ClearAddRootAndActive) {
  TXMLDocument doc;
  EXPECT_FALSE(doc.Active());
  EXPECT_FALSE(doc.DocumentElement());
  doc.AddRoot(u"First").AddChild(u"x");
  doc.AddComment(u"SW_VERSION = 1.000");
  EXPECT_TRUE(doc.Active());
  TXMLNode second = doc.AddRoot(u"Second");  // replaces the root, keeps its place
  EXPECT_EQ(doc.DocumentElement(), second);
  EXPECT_EQ(doc.SaveToUtf8(), "<Second/><!--SW_VERSION = 1.000-->");
  doc.Clear();
  EXPECT_FALSE(doc.Active());
  EXPECT_EQ(doc.ChildNodes().Count(), 0);
  EXPECT_EQ(doc.SaveToUtf8(), "");
}

TEST(XMLDocument, NamesThatWouldBreakTheFileAreRefused) {
  TXMLDocument doc;
  TXMLNode root = doc.AddRoot(u"R");
  const String bad[] = {u"", u"two words", u"1st", u"a<b", u"q\"x"};
  for (const String& name : bad) {
    EXPECT_THROW(root.AddChild(name), EXMLDocError);
    EXPECT_THROW(root.SetAttribute(name, u"v"), EXMLDocError);
  }
  EXPECT_EQ(doc.SaveToUtf8(), "<R/>");
}

TEST(XMLDocument, CommentTextThatWouldEndTheCommentEarlyIsKeptLoadable) {
  TXMLDocument doc;
  doc.AddRoot(u"R");
  doc.AddComment(u"a--b-");
  TXMLDocument back;
  back.LoadFromXML(doc.SaveToXML());
  EXPECT_EQ(back.ChildNodes().Count(), 2);
  EXPECT_EQ(back.DocumentElement().NodeName(), u"R");
}

TEST(XMLDocument, DeepNestingSavesAndLoads) {
  TXMLDocument doc;
  TXMLNode n = doc.AddRoot(u"R");
  for (int i = 0; i < 20000; ++i) n = n.AddChild(u"n");
  n.SetText(u"leaf");
  const std::string saved = doc.SaveToUtf8();
  EXPECT_EQ(saved.size(), 3 + 20000 * 7 + 4 + 4);
  EXPECT_EQ(saved.substr(3 + 19999 * 3, 15), "<n>leaf</n></n>");
  EXPECT_EQ(saved.substr(saved.size() - 8), "</n></R>");

  TXMLDocument back;
  back.LoadFromXML(Utf8ToString(saved));
  TXMLNode m = back.DocumentElement();
  int depth = 0;
  while (m.ChildNodes().Count() == 1 && m.ChildNodes()[0].NodeType() == ntElement) {
    m = m.ChildNodes()[0];
    ++depth;
  }
  EXPECT_EQ(depth, 20000);
  EXPECT_EQ(m.Text(), u"leaf");
}

}  // namespace
