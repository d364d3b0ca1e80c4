#include "platform/testing/XmlReference.h"

#include <pugixml.hpp>

size_t ReadXmlWithPugi(const String& Path) {
  pugi::xml_document doc;
  if (!doc.load_file(StringToUtf8(Path).c_str())) return 0;
  size_t sum = 0;
  struct Walker : pugi::xml_tree_walker {
    size_t* Sum;
    bool for_each(pugi::xml_node& n) override {
      *Sum += std::char_traits<char>::length(n.name());
      for (const pugi::xml_attribute& a : n.attributes())
        *Sum += std::char_traits<char>::length(a.name()) + std::char_traits<char>::length(a.value());
      return true;
    }
  } walker;
  walker.Sum = &sum;
  doc.traverse(walker);
  return sum;
}
