// libFuzzer target for the XML document: any file loads or raises EXMLDocError; a loaded
// document saves as valid UTF-8 that loads again and saves to the same bytes, with the same
// names, attributes and texts.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <pugixml.hpp>

#include "fuzz/readers/FuzzSupport.h"
#include "platform/Encoding.h"
#include "platform/XMLDoc.h"

namespace {

// Every node's name, attributes and text, depth first, as one text to compare.
void Describe(const TXMLNode& node, String& out, int depth) {
  if (depth > 64) return;  // the comparison needs no more
  out += node.NodeName();
  out += u'|';
  if (node.NodeType() == ntComment) {
    // The writer spaces out "--" and a trailing "-", which a comment may not hold.
    for (Char c : node.NodeValue())
      if (c != u'-' && c != u' ') out += c;
    out += u'\n';
    return;
  }
  if (node.NodeType() != ntElement) {
    out += node.NodeValue();
    out += u'\n';
    return;
  }
  // Attributes by the names the DOM holds, read through the document's own accessor.
  for (const pugi::xml_attribute& a : pugi::xml_node(node.Handle()).attributes()) {
    const String name = Utf8ToString(a.name());
    out += name + u'=' + node.Attributes(name) + u';';
  }
  try {
    out += node.Text();
  } catch (const EXMLDocError&) {
    out += u"<elements>";
  }
  out += u'\n';
  // Text nodes that a dropped node kept apart are one text once saved: they are described as one.
  TXMLNodeList children = node.ChildNodes();
  String text;
  for (int i = 0; i < children.Count() && i < 256; ++i) {
    const TXMLNode c = children[i];
    if (c.NodeType() == ntText) {
      text += c.NodeValue();
      continue;
    }
    if (!text.empty()) out += u"#text|" + text + u'\n';
    text.clear();
    Describe(c, out, depth + 1);
  }
  if (!text.empty()) out += u"#text|" + text + u'\n';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const String in = fuzz::ScratchFile(u"in.xml");
  static const String out = fuzz::ScratchFile(u"out.xml");
  fuzz::Write(in, std::string_view(reinterpret_cast<const char*>(data), size));
  TXMLDocument doc;
  try {
    doc.LoadFromFile(in);
  } catch (const EXMLDocError&) {
    return 0;
  }
  String before;
  if (TXMLNode root = doc.DocumentElement()) Describe(root, before, 0);
  const std::string saved = doc.SaveToUtf8();
  if (!IsValidUtf8(saved)) fuzz::Fail("a saved document is valid UTF-8");
  doc.SaveToFile(out);
  TXMLDocument again;
  try {
    again.LoadFromFile(out);
  } catch (const EXMLDocError&) {
    fuzz::Fail("a saved document loads");
  }
  if (again.SaveToUtf8() != saved) fuzz::Fail("a reloaded document saves to the same bytes");
  String after;
  if (TXMLNode root = again.DocumentElement()) Describe(root, after, 0);
  if (after != before) {
    std::fprintf(stderr, "before:\n%s\nafter:\n%s\n", StringToUtf8(before).c_str(), StringToUtf8(after).c_str());
    fuzz::Fail("a reloaded document reads as it was");
  }
  return 0;
}
