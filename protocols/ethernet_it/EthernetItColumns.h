#pragma once
// How the Ethernet and IT protocol forms declare a column: every attribute is read on its own,
// and a row that lacks it gets the column's default (empty unless given).
#include <utility>
#include <vector>

#include "shell/UTableForm.h"

inline TTableColumnDef Ethernet_It_Column(int Header, int Hint, const String& Attribute, int Width,
                                          TEditorType Editor = edNormal, std::vector<String> Items = {},
                                          const String& Default = String()) {
  TTableColumnDef c;
  c.Header = Header;
  c.Hint = Hint;
  c.Editor = Editor;
  c.Items = std::move(Items);
  c.Width = Width;
  c.Attribute = Attribute;
  c.Missing = TMissingAttr::Default;
  c.Default = Default;
  return c;
}

// A check-box column ("Y"/"N") with its default for a row that lacks it.
inline TTableColumnDef Ethernet_It_Flag(int Header, int Hint, const String& Attribute, int Width,
                                        const String& Default) {
  return Ethernet_It_Column(Header, Hint, Attribute, Width, edDataCheckBox, {}, Default);
}
