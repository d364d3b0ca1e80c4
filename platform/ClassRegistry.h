#pragma once
// The class library's class registry: streamed forms name the classes they hold, and a class
// registered here can be made from its name.
#include <functional>

#include "platform/Classes.h"

class EClassNotFound : public Exception {
 public:
  using Exception::Exception;
};

// Makes a new object of the registered class; components take their owner, other classes
// ignore it.
using TPersistentFactory = std::function<TPersistent*(TComponent* AOwner)>;

// Registers Factory under Name; registering a name again keeps the first registration.
void RegisterClass(const String& Name, TPersistentFactory Factory);
// The factory of Name, or an empty one when the class is not registered.
TPersistentFactory GetClass(const String& Name);
// As GetClass, raising EClassNotFound "Class <Name> not found" when the class is not registered.
TPersistentFactory FindClass(const String& Name);
// Registers T (its ClassName) with a factory that constructs it in both phases.
template <class T>
void RegisterComponentClass(const String& Name) {
  RegisterClass(Name, [](TComponent* AOwner) -> TPersistent* { return New<T>(AOwner); });
}
