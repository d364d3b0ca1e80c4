#pragma once
// Makes the platform answer as another system for the life of the scope (an unthemed one, say),
// then puts the previous answer back.
#include "platform/Graphics.h"

// Defined in the platform; nullptr returns to the built-in profile.
void SetPlatformProfileForTests(const TPlatformProfile* Profile);

class TScopedPlatformProfile {
 public:
  explicit TScopedPlatformProfile(const TPlatformProfile& Profile)
      : FProfile(Profile), FPrevious(&PlatformProfile()) {
    SetPlatformProfileForTests(&FProfile);
  }
  ~TScopedPlatformProfile() { SetPlatformProfileForTests(FPrevious); }
  TScopedPlatformProfile(const TScopedPlatformProfile&) = delete;
  TScopedPlatformProfile& operator=(const TScopedPlatformProfile&) = delete;

 private:
  TPlatformProfile FProfile;
  const TPlatformProfile* FPrevious;
};

// The profile of a system without visual styles.
inline TPlatformProfile UnthemedProfile() {
  TPlatformProfile p;
  p.Themed = false;
  return p;
}
