#pragma once
// XML document in the class library's terms, backed by pugixml. Nodes are light handles into
// the document that owns them; a handle is valid while its document lives and the node is not
// deleted.
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/UString.h"

namespace pugi {
struct xml_node_struct;
class xml_document;
}  // namespace pugi

class EXMLDocError : public Exception {
 public:
  using Exception::Exception;
};

enum TNodeType {
  ntReserved,
  ntElement,
  ntAttribute,
  ntText,
  ntCData,
  ntEntityRef,
  ntEntity,
  ntProcessingInstr,
  ntComment,
  ntDocument,
  ntDocType,
  ntDocFragment,
  ntNotation
};

class TXMLNodeList;

class TXMLNode {
 public:
  TXMLNode() = default;
  explicit TXMLNode(pugi::xml_node_struct* n) : node_(n) {}

  explicit operator bool() const { return node_ != nullptr; }
  bool operator==(const TXMLNode& o) const { return node_ == o.node_; }

  String NodeName() const;     // tag for elements, "#text", "#comment", target of a PI
  TNodeType NodeType() const;  // ntReserved for a null handle

  // Element text: "" for <a/> and <a></a>; the text of text/CDATA children otherwise.
  // Raises EXMLDocError when the element has element children.
  String Text() const;
  // Replaces all children by one text node (elements); sets the value of other node kinds.
  void SetText(const String& s);
  // Value of a text, comment, CDATA or PI node ("" for elements).
  String NodeValue() const;

  TXMLNodeList ChildNodes() const;
  TXMLNode AddChild(const String& name);  // appends a new element
  bool DeleteChild(TXMLNode child);        // false when `child` is not a child of this node

  bool HasAttribute(const String& name) const;
  String Attributes(const String& name) const;  // raises EXMLDocError when missing
  String AttributeDef(const String& name, const String& def) const;
  void SetAttribute(const String& name, const String& value);  // adds or replaces
  int AttributeCount() const;
  // The named attributes in one pass over the element's attributes (fastest when Names are in
  // the order the element has them): Values[i] is the value of the first attribute named Names[i],
  // unset when there is none. Values gets Names.size() entries.
  void AttributeValues(const std::vector<String>& Names, std::vector<std::optional<String>>& Values) const;

  TXMLNode ParentNode() const;  // null for the document level
  TXMLNode NextSibling() const;
  TXMLNode PreviousSibling() const;

  pugi::xml_node_struct* Handle() const { return node_; }

 private:
  pugi::xml_node_struct* node_ = nullptr;
};

// The children of a node (or of the document) as an indexed view; 0-based.
class TXMLNodeList {
 public:
  explicit TXMLNodeList(pugi::xml_node_struct* parent) : parent_(parent) {}
  int Count() const;
  TXMLNode Nodes(int index) const;  // raises EXMLDocError when out of range
  TXMLNode operator[](int index) const { return Nodes(index); }
  TXMLNode FindNode(const String& name) const;  // first child element so named, or null
  TXMLNode First() const;
  TXMLNode Last() const;

 private:
  pugi::xml_node_struct* parent_ = nullptr;
};

class TXMLDocument {
 public:
  TXMLDocument();
  ~TXMLDocument();
  TXMLDocument(const TXMLDocument&) = delete;
  TXMLDocument& operator=(const TXMLDocument&) = delete;

  // Reads the file's bytes: a BOM (UTF-8, UTF-16LE/BE), UTF-16 without BOM, or a declared
  // encoding (windows-1252, ISO-8859-1, UTF-8) decides the decoding. Raises EXMLDocError with
  // the line number for malformed input, and for a missing or unreadable file. The document is
  // left empty after a failure.
  void LoadFromFile(const String& path);
  void LoadFromXML(const String& xml);
  void Clear();
  bool Active() const;  // true once loaded or once a node was added
  void SetActive(bool on);

  // First element at document level; declarations, comments and PIs before it are skipped.
  TXMLNode DocumentElement() const;
  TXMLNode AddRoot(const String& name);  // replaces an existing root element
  TXMLNode AddComment(const String& text);  // document level, appended after the root
  TXMLNodeList ChildNodes() const;            // document level

  // Raw UTF-8, no declaration, no added whitespace; CR/LF in attribute values and CR in text
  // are written as character references so a reload gives the same values.
  void SaveToFile(const String& path) const;  // whole (SaveFileWhole); EXMLDocError saying what failed
  String SaveToXML() const;
  std::string SaveToUtf8() const;

 private:
  void LoadUtf8(std::string_view text);

  std::unique_ptr<pugi::xml_document> doc_;
  bool active_ = false;
};
