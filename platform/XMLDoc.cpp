#include "platform/XMLDoc.h"

#include <pugixml.hpp>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Encoding.h"
#include "platform/Files.h"

namespace {

pugi::xml_node Wrap(pugi::xml_node_struct* n) { return pugi::xml_node(n); }

String Quote(const String& s) { return u"\"" + s + u"\""; }

String Name8(const char* s) { return Utf8ToString(s ? s : ""); }

bool IsNameStart(char32_t c) {
  return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || c == U'_' || c == U':' || c >= 0x80;
}

bool IsNameChar(char32_t c) {
  return IsNameStart(c) || (c >= U'0' && c <= U'9') || c == U'-' || c == U'.';
}

// A name that would make the saved file malformed is refused up front.
void CheckName(const String& name) {
  bool ok = !name.empty() && IsNameStart(name[0]);
  for (size_t i = 1; ok && i < name.size(); ++i) ok = IsNameChar(name[i]);
  if (!ok) throw EXMLDocError(u"Invalid XML name " + Quote(name));
}

// ---- decoding of the file's bytes --------------------------------------------------------

String LowerAscii(std::string s8) {
  for (char& c : s8)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return Utf8ToString(s8);
}

// The encoding named in a leading <?xml ... encoding="..."?>, lower case; "" when none. An
// instruction whose target merely begins with "xml" (<?xmlfoo ...?>) is kept and written back, so
// taking it for the declaration would read the saved UTF-8 in another encoding.
String DeclaredEncoding(std::string_view b) {
  if (b.size() < 6 || b.substr(0, 5) != "<?xml") return String();
  if (b[5] != ' ' && b[5] != '\t' && b[5] != '\r' && b[5] != '\n') return String();
  const size_t end = b.find("?>");
  if (end == std::string_view::npos) return String();
  const std::string_view decl = b.substr(0, end);
  const size_t at = decl.find("encoding");
  if (at == std::string_view::npos) return String();
  size_t p = at + 8;
  while (p < decl.size() && (decl[p] == ' ' || decl[p] == '\t' || decl[p] == '\r' || decl[p] == '\n')) ++p;
  if (p >= decl.size() || decl[p] != '=') return String();
  ++p;
  while (p < decl.size() && (decl[p] == ' ' || decl[p] == '\t' || decl[p] == '\r' || decl[p] == '\n')) ++p;
  if (p >= decl.size() || (decl[p] != '"' && decl[p] != '\'')) return String();
  const char q = decl[p++];
  const size_t close = decl.find(q, p);
  if (close == std::string_view::npos) return String();
  return LowerAscii(std::string(decl.substr(p, close - p)));
}

String DecodeXmlBytes(std::string_view b) {
  if (b.size() >= 2) {
    const auto b0 = static_cast<unsigned char>(b[0]);
    const auto b1 = static_cast<unsigned char>(b[1]);
    if (b0 == 0xFF && b1 == 0xFE) return DecodeUtf16(b.substr(2), false);
    if (b0 == 0xFE && b1 == 0xFF) return DecodeUtf16(b.substr(2), true);
    // UTF-16 without a byte order mark: the first '<' shows the byte order.
    if (b0 == 0 && b1 == '<') return DecodeUtf16(b, true);
    if (b0 == '<' && b1 == 0) return DecodeUtf16(b, false);
  }
  if (b.size() >= 3 && b.substr(0, 3) == "\xEF\xBB\xBF") return Utf8ToString(b.substr(3));
  const String enc = DeclaredEncoding(b);
  if (enc == u"windows-1252" || enc == u"cp1252" || enc == u"x-cp1252")
    return Win1252ToString(b);
  if (enc == u"iso-8859-1" || enc == u"iso8859-1" || enc == u"latin1" || enc == u"iso_8859-1" ||
      enc == u"l1") {
    String out;
    out.reserve(b.size());
    for (char c : b) out.push_back(static_cast<Char>(static_cast<unsigned char>(c)));
    return out;
  }
  // UTF-8 (declared or not); bytes that are not valid UTF-8 are read as the ANSI code page.
  return DecodeUtf8OrAnsi(b);
}

// The file's bytes as they go to the parser when they are UTF-8 already (the decoding would give
// them back unchanged); false when they need decoding first.
bool Utf8AsIs(std::string_view b, std::string_view& utf8) {
  if (b.size() >= 2) {
    const auto b0 = static_cast<unsigned char>(b[0]);
    const auto b1 = static_cast<unsigned char>(b[1]);
    if ((b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF) || (b0 == 0 && b1 == '<') || (b0 == '<' && b1 == 0))
      return false;
  }
  if (b.size() >= 3 && b.substr(0, 3) == "\xEF\xBB\xBF") {
    utf8 = b.substr(3);
    return IsValidUtf8(utf8);
  }
  const String enc = DeclaredEncoding(b);
  if (enc == u"windows-1252" || enc == u"cp1252" || enc == u"x-cp1252" || enc == u"iso-8859-1" ||
      enc == u"iso8859-1" || enc == u"latin1" || enc == u"iso_8859-1" || enc == u"l1")
    return false;
  utf8 = b;
  return IsValidUtf8(b);
}

// ---- raw writer ---------------------------------------------------------------------------

void AppendCharRef(std::string& out, unsigned c) { out += "&#" + std::to_string(c) + ";"; }

// A character reference may have decoded to a lone surrogate or to a code point above U+10FFFF;
// written as read, its bytes would make the whole file invalid UTF-8. The file gets what a reader
// of the value gets instead (U+FFFD).
const char* WellFormed(const char* s, std::string& keep) {
  if (IsValidUtf8(s)) return s;
  keep = StringToUtf8(Utf8ToString(s));
  return keep.c_str();
}

bool IsXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

void EscapeText(std::string& out, const char* s) {
  std::string keep;
  s = WellFormed(s, keep);
  // A reader drops text made of blanks only; a reference in front keeps it.
  const char* p = s;
  while (IsXmlBlank(*p)) ++p;
  if (p != s && !*p) AppendCharRef(out, static_cast<unsigned char>(*s++));
  for (; *s; ++s) {
    const auto c = static_cast<unsigned char>(*s);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\r': out += "&#13;"; break;  // a raw CR would become LF on reload
      default:
        if (c < 0x20 && c != '\n' && c != '\t')
          AppendCharRef(out, c);
        else
          out.push_back(static_cast<char>(c));
    }
  }
}

void EscapeAttribute(std::string& out, const char* s) {
  std::string keep;
  s = WellFormed(s, keep);
  for (; *s; ++s) {
    const auto c = static_cast<unsigned char>(*s);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // Raw whitespace in an attribute is read back as a space; references survive.
        if (c < 0x20)
          AppendCharRef(out, c);
        else
          out.push_back(static_cast<char>(c));
    }
  }
}

void WriteComment(std::string& out, const char* s) {
  // "--" and a trailing '-' are not allowed inside a comment; a space keeps the file loadable.
  std::string text = s;
  for (size_t p = text.find("--"); p != std::string::npos; p = text.find("--", p + 1))
    text.insert(p + 1, " ");
  if (!text.empty() && text.back() == '-') text.push_back(' ');
  out += "<!--";
  out += text;
  out += "-->";
}

void WriteCData(std::string& out, const char* s) {
  std::string text = s;
  out += "<![CDATA[";
  size_t from = 0;
  for (size_t p = text.find("]]>"); p != std::string::npos; p = text.find("]]>", from)) {
    out.append(text, from, p + 2 - from);
    out += "]]><![CDATA[";
    from = p + 2;
  }
  out.append(text, from, std::string::npos);
  out += "]]>";
}

void WriteOpen(std::string& out, const pugi::xml_node& n) {
  switch (n.type()) {
    case pugi::node_element:
      out += '<';
      out += n.name();
      for (const pugi::xml_attribute& a : n.attributes()) {
        out += ' ';
        out += a.name();
        out += "=\"";
        EscapeAttribute(out, a.value());
        out += '"';
      }
      out += n.first_child() ? ">" : "/>";
      break;
    case pugi::node_pcdata: EscapeText(out, n.value()); break;
    case pugi::node_cdata: WriteCData(out, n.value()); break;
    case pugi::node_comment: WriteComment(out, n.value()); break;
    case pugi::node_pi:
      out += "<?";
      out += n.name();
      if (*n.value()) {
        out += ' ';
        out += n.value();
      }
      out += "?>";
      break;
    default: break;  // declarations and doctypes are never written
  }
}

void WriteClose(std::string& out, const pugi::xml_node& n) {
  if (n.type() == pugi::node_element && n.first_child()) {
    out += "</";
    out += n.name();
    out += '>';
  }
}

// Iterative, so deep nesting cannot exhaust the stack.
std::string Serialize(const pugi::xml_node& top) {
  std::string out;
  pugi::xml_node n = top.first_child();
  while (n) {
    WriteOpen(out, n);
    if (n.type() == pugi::node_element && n.first_child()) {
      n = n.first_child();
      continue;
    }
    while (n && !n.next_sibling()) {
      n = n.parent();
      if (!n || n == top) return out;
      WriteClose(out, n);
    }
    if (n) n = n.next_sibling();
  }
  return out;
}

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_pi;

}  // namespace

// ---- TXMLNode -----------------------------------------------------------------------------

String TXMLNode::NodeName() const {
  const pugi::xml_node n = Wrap(node_);
  switch (n.type()) {
    case pugi::node_element:
    case pugi::node_pi:
    case pugi::node_declaration: return Name8(n.name());
    case pugi::node_pcdata: return u"#text";
    case pugi::node_cdata: return u"#cdata-section";
    case pugi::node_comment: return u"#comment";
    case pugi::node_document: return u"#document";
    default: return String();
  }
}

TNodeType TXMLNode::NodeType() const {
  switch (Wrap(node_).type()) {
    case pugi::node_element: return ntElement;
    case pugi::node_pcdata: return ntText;
    case pugi::node_cdata: return ntCData;
    case pugi::node_comment: return ntComment;
    case pugi::node_pi:
    case pugi::node_declaration: return ntProcessingInstr;
    case pugi::node_doctype: return ntDocType;
    case pugi::node_document: return ntDocument;
    default: return ntReserved;
  }
}

String TXMLNode::Text() const {
  const pugi::xml_node n = Wrap(node_);
  if (!n) throw EXMLDocError(u"No XML node");
  if (n.type() != pugi::node_element && n.type() != pugi::node_document) return NodeValue();
  std::string text;
  for (const pugi::xml_node& c : n.children()) {
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
      text += c.value();
    else if (c.type() == pugi::node_element)
      throw EXMLDocError(u"Element " + Quote(NodeName()) + u" does not contain a single text node");
  }
  return Utf8ToString(text);
}

void TXMLNode::SetText(const String& s) {
  pugi::xml_node n = Wrap(node_);
  if (!n) throw EXMLDocError(u"No XML node");
  if (n.type() == pugi::node_element) {
    while (n.first_child()) n.remove_child(n.first_child());
    if (!s.empty()) n.append_child(pugi::node_pcdata).set_value(StringToUtf8(s).c_str());
  } else {
    n.set_value(StringToUtf8(s).c_str());
  }
}

String TXMLNode::NodeValue() const { return Name8(Wrap(node_).value()); }

TXMLNodeList TXMLNode::ChildNodes() const {
  if (!node_) throw EXMLDocError(u"No XML node");
  return TXMLNodeList(node_);
}

TXMLNode TXMLNode::AddChild(const String& name) {
  pugi::xml_node n = Wrap(node_);
  if (!n) throw EXMLDocError(u"No XML node");
  CheckName(name);
  pugi::xml_node c = n.append_child(StringToUtf8(name).c_str());
  if (!c) throw EXMLDocError(u"Cannot add " + Quote(name) + u" to " + Quote(NodeName()));
  return TXMLNode(c.internal_object());
}

bool TXMLNode::DeleteChild(TXMLNode child) {
  pugi::xml_node n = Wrap(node_);
  const pugi::xml_node c = Wrap(child.node_);
  if (!n || !c || c.parent() != n) return false;
  return n.remove_child(c);
}

bool TXMLNode::HasAttribute(const String& name) const {
  return static_cast<bool>(Wrap(node_).attribute(StringToUtf8(name).c_str()));
}

String TXMLNode::Attributes(const String& name) const {
  const pugi::xml_attribute a = Wrap(node_).attribute(StringToUtf8(name).c_str());
  if (!a) throw EXMLDocError(u"Attribute " + Quote(name) + u" not found in " + Quote(NodeName()));
  return Utf8ToString(a.value());
}

String TXMLNode::AttributeDef(const String& name, const String& def) const {
  const pugi::xml_attribute a = Wrap(node_).attribute(StringToUtf8(name).c_str());
  return a ? Utf8ToString(a.value()) : def;
}

void TXMLNode::SetAttribute(const String& name, const String& value) {
  pugi::xml_node n = Wrap(node_);
  if (n.type() != pugi::node_element) throw EXMLDocError(u"Attributes need an element node");
  CheckName(name);
  const std::string name8 = StringToUtf8(name);
  pugi::xml_attribute a = n.attribute(name8.c_str());
  if (!a) a = n.append_attribute(name8.c_str());
  a.set_value(StringToUtf8(value).c_str());
}

namespace {
// Whether a name as the parser holds it (UTF-8) equals Name, converting neither when ASCII.
bool SameName(const char* Utf8, const String& Name) {
  size_t i = 0;
  for (const char* p = Utf8; *p; ++p, ++i) {
    const auto c = static_cast<unsigned char>(*p);
    if (c >= 0x80) return i <= Name.size() && Utf8ToString(p) == std::u16string_view(Name).substr(i);
    if (i >= Name.size() || Name[i] != c) return false;
  }
  return i == Name.size();
}
}  // namespace

void TXMLNode::AttributeValues(const std::vector<String>& Names, std::vector<std::optional<String>>& Values) const {
  Values.assign(Names.size(), std::nullopt);
  size_t next = 0;  // where the next attribute is looked for first
  for (pugi::xml_attribute a = Wrap(node_).first_attribute(); a; a = a.next_attribute()) {
    size_t found = Names.size();
    if (next < Names.size() && SameName(a.name(), Names[next])) {
      found = next;
    } else {
      for (size_t i = 0; i < Names.size(); ++i)
        if (SameName(a.name(), Names[i])) {
          found = i;
          break;
        }
    }
    if (found == Names.size()) continue;
    next = found + 1;
    if (!Values[found]) Values[found] = Utf8ToString(a.value());
  }
  // A name asked for twice gets the same value both times.
  for (size_t i = 0; i < Names.size(); ++i)
    if (!Values[i])
      for (size_t j = 0; j < i; ++j)
        if (Values[j] && Names[j] == Names[i]) {
          Values[i] = Values[j];
          break;
        }
}

int TXMLNode::AttributeCount() const {
  int count = 0;
  for (auto it = Wrap(node_).attributes_begin(); it != Wrap(node_).attributes_end(); ++it) ++count;
  return count;
}

TXMLNode TXMLNode::ParentNode() const {
  const pugi::xml_node p = Wrap(node_).parent();
  if (!p || p.type() == pugi::node_document) return TXMLNode();
  return TXMLNode(p.internal_object());
}

TXMLNode TXMLNode::NextSibling() const {
  return TXMLNode(Wrap(node_).next_sibling().internal_object());
}

TXMLNode TXMLNode::PreviousSibling() const {
  return TXMLNode(Wrap(node_).previous_sibling().internal_object());
}

// ---- TXMLNodeList -------------------------------------------------------------------------

int TXMLNodeList::Count() const {
  int count = 0;
  for (pugi::xml_node c = Wrap(parent_).first_child(); c; c = c.next_sibling()) ++count;
  return count;
}

TXMLNode TXMLNodeList::Nodes(int index) const {
  if (index >= 0) {
    int i = 0;
    for (pugi::xml_node c = Wrap(parent_).first_child(); c; c = c.next_sibling(), ++i)
      if (i == index) return TXMLNode(c.internal_object());
  }
  throw EXMLDocError(u"List index out of bounds (" + Utf8ToString(std::to_string(index)) + u")");
}

TXMLNode TXMLNodeList::FindNode(const String& name) const {
  return TXMLNode(Wrap(parent_).child(StringToUtf8(name).c_str()).internal_object());
}

TXMLNode TXMLNodeList::First() const { return TXMLNode(Wrap(parent_).first_child().internal_object()); }

TXMLNode TXMLNodeList::Last() const { return TXMLNode(Wrap(parent_).last_child().internal_object()); }

// ---- TXMLDocument -------------------------------------------------------------------------

TXMLDocument::TXMLDocument() : doc_(std::make_unique<pugi::xml_document>()) {}

TXMLDocument::~TXMLDocument() = default;

void TXMLDocument::Clear() {
  doc_->reset();
  active_ = false;
}

bool TXMLDocument::Active() const { return active_; }

void TXMLDocument::SetActive(bool on) {
  if (!on) Clear();
  active_ = on;
}

void TXMLDocument::LoadFromFile(const String& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    Clear();
    throw EXMLDocError(u"Cannot open file " + Quote(path));
  }
  try {
    std::string_view utf8;
    if (Utf8AsIs(bytes, utf8))
      LoadUtf8(utf8);
    else
      LoadFromXML(DecodeXmlBytes(bytes));
  } catch (EXMLDocError& e) {
    e.SetMessage(e.Message() + u" (" + path + u")");
    throw;
  }
}

void TXMLDocument::LoadFromXML(const String& xml) { LoadUtf8(StringToUtf8(xml)); }

void TXMLDocument::LoadUtf8(std::string_view text) {
  Clear();
  const pugi::xml_parse_result r =
      doc_->load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_utf8);
  if (!r) {
    Clear();
    const size_t upTo = std::min<size_t>(static_cast<size_t>(std::max<ptrdiff_t>(r.offset, 0)), text.size());
    const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<ptrdiff_t>(upTo), '\n');
    throw EXMLDocError(u"Malformed XML at line " + Utf8ToString(std::to_string(line)) + u": " +
                       Utf8ToString(r.description()));
  }
  active_ = true;
}

TXMLNode TXMLDocument::DocumentElement() const {
  for (pugi::xml_node c = doc_->first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element) return TXMLNode(c.internal_object());
  return TXMLNode();
}

TXMLNode TXMLDocument::AddRoot(const String& name) {
  CheckName(name);
  const std::string name8 = StringToUtf8(name);
  const TXMLNode old = DocumentElement();
  pugi::xml_node added;
  if (old) {
    added = doc_->insert_child_before(name8.c_str(), Wrap(old.Handle()));
    doc_->remove_child(Wrap(old.Handle()));
  } else {
    added = doc_->append_child(name8.c_str());
  }
  active_ = true;
  return TXMLNode(added.internal_object());
}

TXMLNode TXMLDocument::AddComment(const String& text) {
  pugi::xml_node c = doc_->append_child(pugi::node_comment);
  c.set_value(StringToUtf8(text).c_str());
  active_ = true;
  return TXMLNode(c.internal_object());
}

TXMLNodeList TXMLDocument::ChildNodes() const { return TXMLNodeList(doc_->internal_object()); }

std::string TXMLDocument::SaveToUtf8() const { return Serialize(*doc_); }

String TXMLDocument::SaveToXML() const { return Utf8ToString(SaveToUtf8()); }

void TXMLDocument::SaveToFile(const String& path) const {
  if (const auto error = TrySaveFileWhole(path, SaveToUtf8())) throw EXMLDocError(error->Message());
}
