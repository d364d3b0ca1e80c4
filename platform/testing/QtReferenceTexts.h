#pragma once
// Qt's own string classes given the language file grammar, as the peer of the program's
// language loader in benchmarks.
#include <cstddef>
#include <memory>

#include "platform/UString.h"

// A table of Count texts in a QStringList; Load applies a language file over it with the same
// grammar as the program's loader ("STR<index> = <text>", a "/#/" note cut off, pilcrows).
class TQtLanguageTable {
 public:
  explicit TQtLanguageTable(int Count);
  ~TQtLanguageTable();
  bool Load(const String& Path);
  size_t Checksum() const;  // total length of the texts

 private:
  struct Data;
  std::unique_ptr<Data> d_;
};
