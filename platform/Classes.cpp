#include "platform/Classes.h"

#include <cxxabi.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <typeinfo>

#include "platform/Files.h"

namespace {

const char16_t* const kSortedListError = u"Operation not allowed on sorted list";
const char16_t* const kDuplicateString = u"String list does not allow duplicates";

String OsReason(int err) { return Utf8ToString(std::strerror(err)); }

// Case folding for the list's case-blind comparisons: ASCII, Latin-1, Latin Extended-A, Greek
// and Cyrillic capitals, so that comparisons do not depend on the process locale.
char16_t FoldChar(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? static_cast<char16_t>(c + 1) : c;
    if (c == 0x178) return 0xFF;
    return (c & 1) ? c : static_cast<char16_t>(c + 1);
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<char16_t>(c + 32);
  if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 32);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 80);
  return c;
}

// Letter without its accent (Latin-1), after folding: the first key of the system's ordering,
// which puts "\u00d6l" beside "Ol" rather than after "Z".
char16_t BaseChar(char16_t c) {
  c = FoldChar(c);
  if (c < 0xE0 || c > 0xFF) return c;
  static constexpr char16_t kBase[32] = {
      u'a', u'a', u'a', u'a', u'a', u'a', 0xE6, u'c', u'e', u'e', u'e', u'e', u'i', u'i', u'i', u'i',  // E0
      u'd', u'n', u'o', u'o', u'o', u'o', u'o', 0xF7, u'o', u'u', u'u', u'u', u'u', u'y', 0xFE, u'y',  // F0
  };
  return kBase[c - 0xE0];
}

// Ordinal order of the two strings after mapping each character by Key; a prefix comes first.
template <class Key>
int CompareMapped(const String& a, const String& b, Key key) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t x = key(a[i]), y = key(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return 0;
}

int CompareBase(const String& a, const String& b) { return CompareMapped(a, b, BaseChar); }

int CompareFolded(const String& a, const String& b) { return CompareMapped(a, b, FoldChar); }

// The key under which two names are equal exactly when CompareFolded finds them equal.
String FoldedKey(const String& s) {
  String r(s);
  for (char16_t& c : r) c = FoldChar(c);
  return r;
}

// Case-blind order: letters without accents first, then accents; equal only when equal after folding.
int CompareCaseBlind(const String& a, const String& b) {
  int r = CompareBase(a, b);
  return r != 0 ? r : CompareFolded(a, b);
}

// Case-sensitive order as the system's string comparison gives it: letters alphabetically first,
// then accents, then, between strings that differ only in case, lower case before upper case.
int CompareCaseSensitive(const String& a, const String& b) {
  int r = CompareCaseBlind(a, b);
  if (r != 0) return r;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return FoldChar(a[i]) == a[i] ? -1 : 1;
  }
  return 0;
}

bool IsIdentStart(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }
bool IsIdentChar(char16_t c) { return IsIdentStart(c) || (c >= u'0' && c <= u'9'); }

bool IsValidIdent(const String& s) {
  if (s.empty() || !IsIdentStart(s[0])) return false;
  return std::all_of(s.begin() + 1, s.end(), IsIdentChar);
}

String AnsiQuotedStr(const String& s, Char quote) {
  String r(1, quote);
  for (Char c : s) {
    r.push_back(c);
    if (c == quote) r.push_back(c);
  }
  r.push_back(quote);
  return r;
}

}  // namespace

[[noreturn]] void RaiseListIndexError(int Index) {
  throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
}

// ---------------------------------------------------------------------------------------------
TObject::~TObject() = default;

String TObject::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  std::string name = (status == 0 && demangled) ? demangled.get() : mangled;
  auto colon = name.rfind("::");
  if (colon != std::string::npos) name = name.substr(colon + 2);
  return Utf8ToString(name);
}

void TObject::Free() {
  BeforeDestruction();
  delete this;
}

// ---------------------------------------------------------------------------------------------
void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
  } else {
    AssignError(nullptr);
  }
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

TPersistent* TPersistent::GetOwner() { return nullptr; }

void TPersistent::AssignError(TPersistent* Source) {
  String sourceName = Source ? Source->ClassName() : String(u"nil");
  throw EConvertError(u"Cannot assign a " + sourceName + u" to a " + ClassName());
}

// ---------------------------------------------------------------------------------------------
TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  if (!FComponentState.Contains(TComponentStateFlag::csDestroying)) Destroying();
  NotifyFreeSubscribers();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::BeforeDestruction() {
  if (!FComponentState.Contains(TComponentStateFlag::csDestroying)) Destroying();
  NotifyFreeSubscribers();
}

void TComponent::NotifyFreeSubscribers() {
  if (FFreeNotified) return;
  FFreeNotified = true;
  // A subscriber's Notification removes itself from the list, so walk by index from the end.
  for (int i = static_cast<int>(FFreeNotifies.size()) - 1; i >= 0; --i) {
    if (i >= static_cast<int>(FFreeNotifies.size())) {
      i = static_cast<int>(FFreeNotifies.size());
      continue;
    }
    FFreeNotifies[i]->Notification(this, opRemove);
  }
  for (TComponent* c : FFreeNotifies) c->RemoveNotification(this);
  FFreeNotifies.clear();
}

void TComponent::Destroying() {
  if (FComponentState.Contains(TComponentStateFlag::csDestroying)) return;
  FComponentState.Include(TComponentStateFlag::csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* instance = FComponents.back();
    if (instance->FComponentState.Contains(TComponentStateFlag::csFreeNotification)) {
      RemoveComponent(instance);
    } else {
      Remove(instance);
    }
    instance->Free();
  }
}

void TComponent::SetName(const String& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName)) {
    throw EComponentError(u"'" + NewName + u"' is not a valid component name");
  }
  if (FOwner && !SameText(FName, NewName)) {
    TComponent* other = FOwner->FindComponent(NewName);
    if (other && other != this) throw EComponentError(u"A component named " + NewName + u" already exists");
  }
  if (FOwner) FOwner->UnindexName(this);
  FName = NewName;
  if (FOwner) FOwner->IndexName(this);
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) RaiseListIndexError(Index);
  return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto it = std::find(FOwner->FComponents.begin(), FOwner->FComponents.end(), this);
  return it == FOwner->FComponents.end() ? -1 : static_cast<int>(it - FOwner->FComponents.begin());
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  auto it = FNameIndex.find(FoldedKey(AName));
  return it == FNameIndex.end() ? nullptr : it->second;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (AComponent->FOwner == this) return;
  if (!AComponent->FName.empty() && FindComponent(AComponent->FName)) {
    throw EComponentError(u"A component named " + AComponent->FName + u" already exists");
  }
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  IndexName(AComponent);
  if (AComponent->PassesNotifications()) {
    FListeners.push_back(AComponent);
    if (FListeners.size() == 1 && FOwner) FOwner->ListenerChanged(this);
  }
}

void TComponent::Remove(TComponent* AComponent) {
  UnindexName(AComponent);
  // Owners free their components last first, so search from the end.
  auto it = std::find(FComponents.rbegin(), FComponents.rend(), AComponent);
  if (it != FComponents.rend()) FComponents.erase(std::next(it).base());
  AComponent->FOwner = nullptr;
  auto l = std::find(FListeners.rbegin(), FListeners.rend(), AComponent);
  if (l != FListeners.rend()) {
    FListeners.erase(std::next(l).base());
    if (FListeners.empty() && FOwner) FOwner->ListenerChanged(this);
  }
}

bool TComponent::PassesNotifications() const { return FHearsSiblings || !FListeners.empty(); }

void TComponent::ListenerChanged(TComponent* AComponent) {
  const bool had = !FListeners.empty();
  // A control stops listening right after it joined: search from the end.
  auto rit = std::find(FListeners.rbegin(), FListeners.rend(), AComponent);
  auto it = rit == FListeners.rend() ? FListeners.end() : std::next(rit).base();
  if (AComponent->PassesNotifications() && it == FListeners.end()) {
    // In the order of the component list, as the notifications have always come.
    auto pos = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (pos == FComponents.end()) return;
    auto at = FListeners.begin();
    for (auto c = FComponents.begin(); c != pos && at != FListeners.end(); ++c) {
      if (*c == *at) ++at;
    }
    FListeners.insert(at, AComponent);
  } else if (!AComponent->PassesNotifications() && it != FListeners.end()) {
    FListeners.erase(it);
  }
  if (had != !FListeners.empty() && FOwner) FOwner->ListenerChanged(this);
}

void TComponent::SetHearsSiblings(bool Hears) {
  if (FHearsSiblings == Hears) return;
  FHearsSiblings = Hears;
  if (FOwner) FOwner->ListenerChanged(this);
}

void TComponent::IndexName(TComponent* AComponent) {
  if (!AComponent->FName.empty()) FNameIndex.try_emplace(FoldedKey(AComponent->FName), AComponent);
}

void TComponent::UnindexName(TComponent* AComponent) {
  if (AComponent->FName.empty()) return;
  auto it = FNameIndex.find(FoldedKey(AComponent->FName));
  if (it != FNameIndex.end() && it->second == AComponent) FNameIndex.erase(it);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  PassNotification(AComponent, Operation);
}

void TComponent::PassNotification(TComponent* AComponent, TOperation Operation) {
  // Handlers may free components, so re-check the bound after every call.
  int i = static_cast<int>(FListeners.size()) - 1;
  while (i >= 0) {
    TComponent* c = FListeners[static_cast<size_t>(i)];
    if (c->FHearsSiblings) c->Notification(AComponent, Operation);
    else c->PassNotification(AComponent, Operation);
    --i;
    if (i >= static_cast<int>(FListeners.size())) i = static_cast<int>(FListeners.size()) - 1;
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  // A component of the same owner hears of this one through the owner, unless it does not
  // listen there: then it is told directly, as one of another owner is.
  if (!FOwner || AComponent->FOwner != FOwner || !AComponent->FHearsSiblings) {
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
      FFreeNotifies.push_back(AComponent);
      AComponent->FreeNotification(this);
    }
  }
  FComponentState.Include(TComponentStateFlag::csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
  if (it == FFreeNotifies.end()) return;
  FFreeNotifies.erase(it);
  if (FFreeNotifies.empty()) FComponentState.Exclude(TComponentStateFlag::csFreeNotification);
}

void TComponent::SetLoading(bool Loading) {
  if (Loading) {
    FComponentState.Include(TComponentStateFlag::csLoading);
    FComponentState.Include(TComponentStateFlag::csReading);
  } else {
    FComponentState.Exclude(TComponentStateFlag::csReading);
    Loaded();
  }
}

void TComponent::Loaded() { FComponentState.Exclude(TComponentStateFlag::csLoading); }

void TComponent::SetComponentStateFlag(TComponentStateFlag f, bool on) {
  if (on) {
    FComponentState.Include(f);
  } else {
    FComponentState.Exclude(f);
  }
}

// ---------------------------------------------------------------------------------------------
TCollectionItem::TCollectionItem(TCollection* ACollection) : FPendingCollection(ACollection) {}

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::AfterConstruction() {
  TPersistent::AfterConstruction();
  TCollection* c = FPendingCollection;
  FPendingCollection = nullptr;
  if (c) SetCollection(c);
}

void TCollectionItem::BeforeDestruction() {
  TPersistent::BeforeDestruction();
  SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  FPendingCollection = nullptr;
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int cur = Index();
  if (cur < 0 || cur == Value) return;
  auto& items = FCollection->FItems;
  if (Value < 0 || Value >= static_cast<int>(items.size())) RaiseListIndexError(Value);
  items.erase(items.begin() + cur);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

String TCollectionItem::GetDisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const String& Value) {
  (void)Value;
  Changed(false);
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

// ---------------------------------------------------------------------------------------------
TCollection::TCollection(ItemFactory Factory) : FFactory(std::move(Factory)) {}

TCollection::~TCollection() {
  FUpdateCount = 1;
  Clear();
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = FFactory ? FFactory(this) : New<TCollectionItem>(this);
  if (item && item->FCollection != this) item->SetCollection(this);
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  // Checked first so that a bad index does not leave a stray item at the end.
  if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = Items(Index);
  Notify(item, cnDeleting);
  item->Free();
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  TUpdateScope update(this);
  while (!FItems.empty()) FItems.back()->Free();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  return FItems[static_cast<size_t>(Index)];
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : FItems) {
    if (item->FID == ID) return item;
  }
  return nullptr;
}

void TCollection::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TCollection*>(Source)) {
    if (src == this) return;  // Clear would empty the source too
    TUpdateScope update(this);
    Clear();
    for (int i = 0; i < src->Count(); ++i) Add()->Assign(src->Items(i));
    return;
  }
  TPersistent::Assign(Source);
}

void TCollection::Update(TCollectionItem* Item) { (void)Item; }

void TCollection::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  (void)Item;
  (void)Action;
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  // From the back: collections emptied last item first take each out at once.
  auto it = std::find(FItems.rbegin(), FItems.rend(), Item);
  if (it != FItems.rend()) FItems.erase(std::next(it).base());
  Item->FCollection = nullptr;
  Changed();
}

TOwnedCollection::TOwnedCollection(TPersistent* AOwner, ItemFactory Factory)
    : TCollection(std::move(Factory)), FOwner(AOwner) {}

// ---------------------------------------------------------------------------------------------
int TList::Add(void* Item) {
  FList.push_back(Item);
  return Count() - 1;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
  FList.insert(FList.begin() + Index, Item);
}

void TList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  FList.erase(FList.begin() + Index);
}

int TList::Remove(void* Item) {
  int i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

void* TList::Extract(void* Item) {
  int i = IndexOf(Item);
  if (i < 0) return nullptr;
  Delete(i);
  return Item;
}

int TList::IndexOf(void* Item) const {
  auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void* TList::Items(int Index) const {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  return FList[static_cast<size_t>(Index)];
}

void TList::SetItems(int Index, void* Item) {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  FList[static_cast<size_t>(Index)] = Item;
}

void TList::SetCount(int NewCount) {
  if (NewCount < 0) throw EListError(u"List count out of bounds (" + IntToStr(NewCount) + u")");
  FList.resize(static_cast<size_t>(NewCount), nullptr);
}

void TList::Exchange(int Index1, int Index2) {
  if (Index1 < 0 || Index1 >= Count()) RaiseListIndexError(Index1);
  if (Index2 < 0 || Index2 >= Count()) RaiseListIndexError(Index2);
  std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (NewIndex < 0 || NewIndex >= Count()) RaiseListIndexError(NewIndex);
  void* item = Items(CurIndex);
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
}

void TList::Pack() { FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end()); }

void TList::Sort(const TListSortCompare& Compare) {
  if (FList.size() < 2 || !Compare) return;
  // The class library's quicksort, with bounds kept even for a comparison that is not consistent.
  std::function<void(int, int)> quick = [&](int L, int R) {
    int I;
    do {
      I = L;
      int J = R;
      void* P = FList[static_cast<size_t>((L + R) >> 1)];
      do {
        while (I <= R && Compare(FList[static_cast<size_t>(I)], P) < 0) ++I;
        while (J >= L && Compare(FList[static_cast<size_t>(J)], P) > 0) --J;
        if (I <= J) {
          if (I != J) std::swap(FList[static_cast<size_t>(I)], FList[static_cast<size_t>(J)]);
          ++I;
          --J;
        }
      } while (I <= J);
      if (I <= L || J >= R) return;  // no split: only an inconsistent compare gets here
      if (L < J) quick(L, J);
      L = I;
    } while (I < R);
  };
  quick(0, Count() - 1);
}

// ---------------------------------------------------------------------------------------------
void TStrings::SetStrings(int Index, const String& S) {
  TObject* obj = Objects(Index);
  Delete(Index);
  InsertObject(Index, S, obj);
}

int TStrings::Add(const String& S) {
  int r = Count();
  Insert(r, S);
  return r;
}

int TStrings::AddObject(const String& S, TObject* AObject) {
  int r = Add(S);
  SetObjects(r, AObject);
  return r;
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  SetObjects(Index, AObject);
}

void TStrings::AddStrings(TStrings* Strings) {
  if (!Strings) return;
  // Copy first: Strings may be this list.
  std::vector<std::pair<String, TObject*>> items;
  for (int i = 0; i < Strings->Count(); ++i) items.emplace_back(Strings->Strings(i), Strings->Objects(i));
  TUpdateScope update(this);
  for (auto& [s, o] : items) AddObject(s, o);
}

int TStrings::IndexOf(const String& S) const {
  for (int i = 0; i < Count(); ++i) {
    if (CompareStrings(Strings(i), S) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
  for (int i = 0; i < Count(); ++i) {
    if (Objects(i) == AObject) return i;
  }
  return -1;
}

int TStrings::IndexOfName(const String& Name) const {
  for (int i = 0; i < Count(); ++i) {
    const String& s = Strings(i);
    auto p = s.find(FNameValueSeparator);
    if (p != String::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

void TStrings::Exchange(int Index1, int Index2) {
  TUpdateScope update(this);
  String s1 = Strings(Index1);
  TObject* o1 = Objects(Index1);
  SetStrings(Index1, Strings(Index2));
  SetObjects(Index1, Objects(Index2));
  SetStrings(Index2, s1);
  SetObjects(Index2, o1);
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  TUpdateScope update(this);
  String s = Strings(CurIndex);
  TObject* o = Objects(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, s, o);
}

bool TStrings::Equals(TStrings* Other) const {
  if (!Other || Other->Count() != Count()) return false;
  for (int i = 0; i < Count(); ++i) {
    if (Strings(i) != Other->Strings(i)) return false;
  }
  return true;
}

String TStrings::Text() const {
  String r;
  for (int i = 0; i < Count(); ++i) {
    r += Strings(i);
    r += u"\r\n";
  }
  return r;
}

void TStrings::SetText(const String& Value) {
  std::vector<String> lines = SplitLines(Value);
  TUpdateScope update(this);
  Clear();
  for (auto& line : lines) Add(line);
}

String TStrings::GetDelimitedText(Char Delim, Char Quote, bool Strict) const {
  if (Count() == 1 && Strings(0).empty()) return String(2, Quote);
  String r;
  for (int i = 0; i < Count(); ++i) {
    const String& s = Strings(i);
    bool quote = std::any_of(s.begin(), s.end(), [&](Char c) {
      return c == Quote || c == Delim || c == 0 || (!Strict && c <= u' ');
    });
    if (i > 0) r.push_back(Delim);
    r += quote ? AnsiQuotedStr(s, Quote) : s;
  }
  return r;
}

void TStrings::SetDelimitedTextWith(const String& Value, Char Delim, Char Quote, bool Strict) {
  // NUL separates like a blank: the writer quotes every item holding one, and an unquoted NUL
  // that neither starts an item nor is skipped would never be passed.
  auto blank = [](Char c) { return c <= u' '; };
  std::vector<String> items;
  size_t p = 0, n = Value.size();
  if (!Strict) {
    while (p < n && blank(Value[p])) ++p;
  }
  while (p < n) {
    String s;
    if (Value[p] == Quote) {
      // A quoted item: doubled quotes stand for one; an unclosed quote runs to the end.
      ++p;
      while (p < n) {
        if (Value[p] == Quote) {
          if (p + 1 < n && Value[p + 1] == Quote) {
            s.push_back(Quote);
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        s.push_back(Value[p++]);
      }
    } else {
      size_t start = p;
      if (Strict) {
        while (p < n && Value[p] != Delim) ++p;
      } else {
        while (p < n && Value[p] > u' ' && Value[p] != Delim) ++p;
      }
      s = Value.substr(start, p - start);
    }
    items.push_back(std::move(s));
    if (!Strict) {
      while (p < n && blank(Value[p])) ++p;
    }
    if (p < n && Value[p] == Delim) {
      if (p + 1 == n) items.emplace_back();
      ++p;
      if (!Strict) {
        while (p < n && blank(Value[p])) ++p;
      }
    }
  }
  TUpdateScope update(this);
  Clear();
  for (auto& s : items) Add(s);
}

String TStrings::CommaText() const { return GetDelimitedText(u',', u'"', false); }
void TStrings::SetCommaText(const String& Value) { SetDelimitedTextWith(Value, u',', u'"', false); }
String TStrings::DelimitedText() const { return GetDelimitedText(FDelimiter, FQuoteChar, FStrictDelimiter); }
void TStrings::SetDelimitedText(const String& Value) {
  SetDelimitedTextWith(Value, FDelimiter, FQuoteChar, FStrictDelimiter);
}

String TStrings::Names(int Index) const {
  const String& s = Strings(Index);
  auto p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::Values(const String& Name) const {
  int i = IndexOfName(Name);
  if (i < 0) return String();
  const String& s = Strings(i);
  return s.substr(s.find(FNameValueSeparator) + 1);
}

void TStrings::SetValues(const String& Name, const String& Value) {
  int i = IndexOfName(Name);
  if (!Value.empty()) {
    // A new entry is added whole, so that a sorted list takes it at its place.
    if (i < 0) {
      Add(Name + FNameValueSeparator + Value);
    } else {
      SetStrings(i, Name + FNameValueSeparator + Value);
    }
  } else if (i >= 0) {
    Delete(i);
  }
}

String TStrings::ValueFromIndex(int Index) const {
  const String& s = Strings(Index);
  auto p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int Index, const String& Value) {
  if (!Value.empty()) {
    if (Index < 0) {
      Add(FNameValueSeparator + Value);
    } else {
      SetStrings(Index, Names(Index) + FNameValueSeparator + Value);
    }
  } else if (Index >= 0) {
    Delete(Index);
  }
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;  // unbalanced: must not silence later change events
  --FUpdateCount;
  if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const String& FileName) {
  TTextEncoding enc = teUTF8;
  String text = ReadTextFile(FileName, &enc);
  FEncoding = enc;
  SetText(text);
}

void TStrings::LoadFromStream(TStream* Stream) {
  int64_t size = Stream->Size() - Stream->Position();
  std::string bytes(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
  if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  TTextEncoding enc = teUTF8;
  String text = DecodeText(bytes, &enc);
  FEncoding = enc;
  SetText(text);
}

void TStrings::SaveToFile(const String& FileName, TTextEncoding Encoding) {
  TMemoryStream stream;
  SaveToStream(&stream, Encoding);
  stream.SaveToFile(FileName);
}

void TStrings::SaveToStream(TStream* Stream, TTextEncoding Encoding) {
  Stream->WriteBytes(EncodeText(Text(), Encoding));
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TStrings*>(Source)) {
    if (src == this) return;  // Clear would lose the lines
    TUpdateScope update(this);
    // A string list that holds the source's lines and objects already keeps them (its change
    // events fire all the same): copying them again costs an allocation a line, which a grid
    // pays for its combo's items on every edit.
    const bool keep = dynamic_cast<TStringList*>(this) && SameLinesAndObjects(*src);
    if (!keep) Clear();
    FDelimiter = src->FDelimiter;
    FQuoteChar = src->FQuoteChar;
    FNameValueSeparator = src->FNameValueSeparator;
    FStrictDelimiter = src->FStrictDelimiter;
    if (!keep) AddStrings(src);
    return;
  }
  TPersistent::Assign(Source);
}

bool TStrings::SameLinesAndObjects(const TStrings& Other) const {
  if (Count() != Other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Strings(i) != Other.Strings(i) || Objects(i) != Other.Objects(i)) return false;
  return true;
}

int TStrings::CompareStrings(const String& S1, const String& S2) const { return CompareCaseBlind(S1, S2); }

void TStrings::Error(const String& Msg, int Data) const {
  (void)Data;
  throw EStringListError(Msg);
}

// ---------------------------------------------------------------------------------------------
TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects) {
    for (auto& item : FList) FreeAndNil(item.Obj);
  }
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
}

const String& TStringList::Strings(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<size_t>(Index)].Str;
}

void TStringList::SetStrings(int Index, const String& S) {
  if (FSorted) Error(kSortedListError, 0);
  CheckIndex(Index);
  Changing();
  FList[static_cast<size_t>(Index)].Str = S;
  Changed();
}

TObject* TStringList::Objects(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<size_t>(Index)].Obj;
}

void TStringList::SetObjects(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[static_cast<size_t>(Index)].Obj = AObject;
  Changed();
}

int TStringList::Add(const String& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const String& S, TObject* AObject) {
  int r;
  if (!FSorted) {
    r = Count();
  } else if (Find(S, r)) {
    if (FDuplicates == dupIgnore) return r;
    if (FDuplicates == dupError) Error(kDuplicateString, 0);
  }
  InsertItem(r, S, AObject);
  return r;
}

void TStringList::Insert(int Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const String& S, TObject* AObject) {
  if (FSorted) Error(kSortedListError, 0);
  if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
  InsertItem(Index, S, AObject);
}

void TStringList::TakeStrings(std::vector<String>&& Items) {
  if (FSorted) {
    for (const String& s : Items) AddObject(s, nullptr);
  } else {
    Changing();
    FList.reserve(FList.size() + Items.size());
    for (String& s : Items) FList.push_back(Item{std::move(s), nullptr});
    Changed();
  }
  Items.clear();
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, Item{S, AObject});
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  TObject* obj = FList[static_cast<size_t>(Index)].Obj;
  FList.erase(FList.begin() + Index);
  if (FOwnsObjects) FreeAndNil(obj);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(FList);
  if (FOwnsObjects) {
    for (auto& item : old) FreeAndNil(item.Obj);
  }
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (FSorted) Error(kSortedListError, 0);
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  Changing();
  Item item = std::move(FList[static_cast<size_t>(CurIndex)]);
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, std::move(item));
  Changed();
}

int TStringList::IndexOf(const String& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int i = 0;
  return Find(S, i) ? i : -1;
}

bool TStringList::Find(const String& S, int& Index) const {
  bool found = false;
  int L = 0, H = Count() - 1;
  while (L <= H) {
    int I = (L + H) >> 1;
    int C = CompareStrings(FList[static_cast<size_t>(I)].Str, S);
    if (C < 0) {
      L = I + 1;
    } else {
      H = I - 1;
      if (C == 0) {
        found = true;
        if (FDuplicates != dupAccept) L = I;
      }
    }
  }
  Index = L;
  return found;
}

void TStringList::Sort() {
  CustomSort([](TStringList* List, int I1, int I2) {
    return List->CompareStrings(List->FList[static_cast<size_t>(I1)].Str, List->FList[static_cast<size_t>(I2)].Str);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (FSorted || Count() < 2 || !Compare) return;
  Changing();
  QuickSort(0, Count() - 1, Compare);
  Changed();
}

void TStringList::QuickSort(int L, int R, const TStringListSortCompare& Compare) {
  // The class library's quicksort (equal strings may change order), with bounds kept even
  // for a comparison that is not consistent.
  int I;
  do {
    I = L;
    int J = R;
    int P = (L + R) >> 1;
    do {
      while (I <= R && Compare(this, I, P) < 0) ++I;
      while (J >= L && Compare(this, J, P) > 0) --J;
      if (I <= J) {
        if (I != J) std::swap(FList[static_cast<size_t>(I)], FList[static_cast<size_t>(J)]);
        if (P == I) {
          P = J;
        } else if (P == J) {
          P = I;
        }
        ++I;
        --J;
      }
    } while (I <= J);
    if (I <= L || J >= R) return;  // no split: only an inconsistent compare gets here
    if (L < J) QuickSort(L, J, Compare);
    L = I;
  } while (I < R);
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) {
    SetSorted(false);
    SetSorted(true);
  }
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) {
    Changing();
  } else {
    Changed();
  }
}

int TStringList::CompareStrings(const String& S1, const String& S2) const {
  return FCaseSensitive ? CompareCaseSensitive(S1, S2) : CompareCaseBlind(S1, S2);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

// ---------------------------------------------------------------------------------------------
int64_t TStream::Size() {
  int64_t pos = Seek(0, soCurrent);
  int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* Buffer, int Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError(u"Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError(u"Stream write error");
}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  int64_t result = Count;
  std::string buffer(static_cast<size_t>(std::min<int64_t>(Count, 0xF000)), '\0');
  while (Count > 0) {
    int n = static_cast<int>(std::min<int64_t>(Count, static_cast<int64_t>(buffer.size())));
    Source->ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    Count -= n;
  }
  return result;
}

int TMemoryStream::Read(void* Buffer, int Count) {
  int64_t size = Size();
  if (FPosition < 0 || Count <= 0 || FPosition >= size) return 0;
  int n = static_cast<int>(std::min<int64_t>(Count, size - FPosition));
  std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int TMemoryStream::Write(const void* Buffer, int Count) {
  if (FPosition < 0 || Count < 0) return 0;
  int64_t end = FPosition + Count;
  if (end > Size()) FData.resize(static_cast<size_t>(end), '\0');
  if (Count > 0) std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = end;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case soBeginning:
      FPosition = Offset;
      break;
    case soCurrent:
      FPosition += Offset;
      break;
    case soEnd:
      FPosition = Size() + Offset;
      break;
  }
  return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) NewSize = 0;
  FData.resize(static_cast<size_t>(NewSize), '\0');
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  int64_t size = Stream->Size();
  SetSize(size);
  if (size > 0) Stream->ReadBuffer(FData.data(), static_cast<int>(size));
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead);
  LoadFromStream(&stream);
}

void TMemoryStream::SaveToStream(TStream* Stream) {
  if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<int>(FData.size()));
}

void TMemoryStream::SaveToFile(const String& FileName) {
  if (const auto error = TrySaveFileWhole(FileName, FData)) {
    if (error->Step == TSaveStep::Create) throw EFCreateError(error->Message());
    throw EWriteError(error->Message());
  }
}

TFileStream::TFileStream(const String& FileName, uint16_t Mode) : FFileName(FileName) {
  std::string path = StringToUtf8(FileName);
  if ((Mode & fmCreate) == fmCreate) {
    FHandle = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (FHandle < 0) {
      int err = errno;
      throw EFCreateError(u"Cannot create file \"" + FileName + u"\". " + OsReason(err));
    }
  } else {
    int flags = O_RDONLY;
    if ((Mode & 3) == fmOpenWrite) flags = O_WRONLY;
    if ((Mode & 3) == fmOpenReadWrite) flags = O_RDWR;
    FHandle = ::open(path.c_str(), flags | O_CLOEXEC);
    if (FHandle >= 0) {
      struct stat st {};
      if (::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(FHandle);
        FHandle = -1;
        errno = EISDIR;
      }
    }
    if (FHandle < 0) {
      int err = errno;
      throw EFOpenError(u"Cannot open file \"" + FileName + u"\". " + OsReason(err));
    }
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

int TFileStream::Read(void* Buffer, int Count) {
  if (Count <= 0) return 0;
  auto* p = static_cast<char*>(Buffer);
  int done = 0;
  while (done < Count) {
    ssize_t n = ::read(FHandle, p + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return done > 0 ? done : -1;
    if (n == 0) break;
    done += static_cast<int>(n);
  }
  return done;
}

int TFileStream::Write(const void* Buffer, int Count) {
  if (Count <= 0) return 0;
  auto* p = static_cast<const char*>(Buffer);
  int done = 0;
  while (done < Count) {
    ssize_t n = ::write(FHandle, p + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return done > 0 ? done : -1;
    done += static_cast<int>(n);
  }
  return done;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  return static_cast<int64_t>(::lseek(FHandle, static_cast<off_t>(Offset), whence));
}

void TFileStream::SetSize(int64_t NewSize) {
  if (NewSize < 0 || ::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0) {
    int err = NewSize < 0 ? EINVAL : errno;
    throw EStreamError(u"Cannot set the size of \"" + FFileName + u"\". " + OsReason(err));
  }
  Seek(NewSize, soBeginning);
}
