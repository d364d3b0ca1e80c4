#include "platform/ClassRegistry.h"

#include <map>

namespace {

std::map<String, TPersistentFactory>& RegisteredClasses() {
  static std::map<String, TPersistentFactory> classes;
  return classes;
}

}  // namespace

void RegisterClass(const String& Name, TPersistentFactory Factory) {
  if (Name.empty() || !Factory) return;
  RegisteredClasses().emplace(Name, std::move(Factory));
}

TPersistentFactory GetClass(const String& Name) {
  auto& classes = RegisteredClasses();
  auto it = classes.find(Name);
  return it == classes.end() ? TPersistentFactory{} : it->second;
}

TPersistentFactory FindClass(const String& Name) {
  TPersistentFactory f = GetClass(Name);
  if (!f) throw EClassNotFound(u"Class " + Name + u" not found");
  return f;
}
