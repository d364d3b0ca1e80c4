#pragma once
// Sets whether the locale counts as a Middle-East one for the life of the scope, then puts the
// previous answer back.
#include "platform/SysUtils.h"

class TScopedMiddleEastLocale {
 public:
  explicit TScopedMiddleEastLocale(bool On) : old_(IsMiddleEastLocale()) { SetMiddleEastLocale(On); }
  ~TScopedMiddleEastLocale() { SetMiddleEastLocale(old_); }
  TScopedMiddleEastLocale(const TScopedMiddleEastLocale&) = delete;
  TScopedMiddleEastLocale& operator=(const TScopedMiddleEastLocale&) = delete;

 private:
  bool old_;
};
