#pragma once
// Object model, lists and streams in the class library's terms.
//
// Two-phase construction
// ----------------------
// The class library calls virtual methods from constructors and those calls reach the
// most-derived override; C++ constructors cannot do that. So every object that needs it is made
// with the factory
//
//     T* p = New<T>(args...);
//
// which (1) runs T's constructor chain (members get their initialisers, no virtual dispatch to
// derived classes happens yet), then (2) calls the virtual `AfterConstruction()`, which now reaches
// the most-derived override. Put into `AfterConstruction()` (calling the base first) whatever the
// class library does in a constructor that involves virtual calls (applying defaults through
// virtual setters, creating parts, firing creation events). If `AfterConstruction()` throws, the
// object is deleted and the exception passes on.
//
// Destruction mirrors it: `p->Free()` (or `FreeAndNil(p)`) calls the virtual `BeforeDestruction()` while
// the object is still whole and then deletes it. Plain `delete` still works: TComponent and
// TCollectionItem do in their destructors whatever BeforeDestruction has not done yet (then
// virtual calls reach only base-class overrides, as C++ destruction allows).
//
// Ownership: a TComponent frees the components it owns when it is destroyed (last first). A
// component deleted directly leaves its owner's list first, so nothing is freed twice.
#include "platform/Encoding.h"
#include "platform/SysUtils.h"
#include "platform/UString.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class TObject;
class TPersistent;
class TComponent;
class TCollection;
class TCollectionItem;
class TStrings;
class TStream;

using TNotifyEvent = std::function<void(TObject* Sender)>;

// ---------------------------------------------------------------------------------------------
// Exceptions of this unit.
class EListError : public Exception {
 public:
  using Exception::Exception;
};
using EStringListError = EListError;
class EComponentError : public Exception {
 public:
  using Exception::Exception;
};
class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

// ---------------------------------------------------------------------------------------------
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject();

  // The C++ class name of the most-derived class ("TStringList").
  virtual String ClassName() const;

  // Second construction phase; see the top of this file. The base does nothing.
  virtual void AfterConstruction() {}
  // Runs before deletion when the object is freed with Free(); the base does nothing.
  virtual void BeforeDestruction() {}

  // BeforeDestruction, then delete. Never call on an object that is not heap-allocated.
  void Free();
};

// Constructs T, then runs its most-derived AfterConstruction().
template <class T, class... A>
T* New(A&&... args) {
  T* p = new T(std::forward<A>(args)...);
  try {
    p->AfterConstruction();
  } catch (...) {
    delete p;
    throw;
  }
  return p;
}

// Frees the object (null is fine) after setting the pointer to null.
template <class T>
void FreeAndNil(T*& p) {
  T* q = p;
  p = nullptr;
  if (q) q->Free();
}

// Holds Target between BeginUpdate and EndUpdate for the life of the scope, also when the scope
// is left by an exception. Then that exception passes on even if EndUpdate raises too: a second
// exception while the first unwinds would end the program.
template <class T>
class TUpdateScope {
 public:
  explicit TUpdateScope(T* Target) : FTarget(Target), FUnwinding(std::uncaught_exceptions()) {
    FTarget->BeginUpdate();
  }
  ~TUpdateScope() noexcept(false) {
    if (std::uncaught_exceptions() == FUnwinding) {
      FTarget->EndUpdate();
      return;
    }
    try {
      FTarget->EndUpdate();
    } catch (...) {
    }
  }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  T* FTarget;
  int FUnwinding;  // exceptions already in flight when the scope began
};

// ---------------------------------------------------------------------------------------------
class TPersistent : public TObject {
 public:
  // Copies Source into this object. The base hands over to Source->AssignTo(this), whose base
  // raises EConvertError "Cannot assign a <Source class> to a <this class>" ("nil" for null).
  virtual void Assign(TPersistent* Source);

 protected:
  virtual void AssignTo(TPersistent* Dest);
  virtual TPersistent* GetOwner();
  [[noreturn]] void AssignError(TPersistent* Source);

  friend class TCollection;
};

// ---------------------------------------------------------------------------------------------
enum class TComponentStateFlag {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,  // never set in this program
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};

// A set of TComponentStateFlag.
class TComponentState {
 public:
  constexpr TComponentState() = default;
  constexpr TComponentState(std::initializer_list<TComponentStateFlag> flags) {
    for (auto f : flags) Include(f);
  }
  constexpr bool Contains(TComponentStateFlag f) const { return (bits_ & Bit(f)) != 0; }
  constexpr void Include(TComponentStateFlag f) { bits_ |= Bit(f); }
  constexpr void Exclude(TComponentStateFlag f) { bits_ &= ~Bit(f); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool operator==(const TComponentState&) const = default;

 private:
  static constexpr uint32_t Bit(TComponentStateFlag f) { return 1u << static_cast<unsigned>(f); }
  uint32_t bits_ = 0;
};

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  // Joins AOwner's components (AOwner may be null). AOwner and its components hear of the
  // newcomer (opInsert) here, before the derived constructors have run.
  explicit TComponent(TComponent* AOwner);
  // Notifies, leaves the owner and frees the owned components.
  ~TComponent() override;

  // Marks csDestroying and tells the free-notification subscribers while this object is still
  // whole. The destructor then frees the owned components and leaves the owner (which is told
  // with Notification opRemove).
  void BeforeDestruction() override;

  TComponent* Owner() const { return FOwner; }
  const String& Name() const { return FName; }
  // Raises EComponentError for a name that is not an identifier ("'%s' is not a valid
  // component name") or that another component of the same owner already has, case-blind
  // ("A component named %s already exists"). "" is allowed.
  virtual void SetName(const String& NewName);
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t v) { FTag = v; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // Raises EListError "List index out of bounds (%d)".
  TComponent* Components(int Index) const;
  int ComponentIndex() const;  // position in the owner's list, -1 without an owner
  TComponent* FindComponent(const String& AName) const;  // case-blind, null when absent

  // Moves AComponent into this component's list (leaving its former owner) / out of it.
  // Both notify this component and all its components (opInsert / opRemove).
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Frees every owned component, last first (the destructor calls it; a derived class may call
  // it earlier in its own destructor while its own parts still exist).
  void DestroyComponents();

  // AComponent is told (Notification opRemove) when this component goes away, and the other way
  // round; owner/owned pairs need no subscription, nor do two components of one owner that both
  // hear of their siblings.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  TComponentState ComponentState() const { return FComponentState; }
  // true: csLoading and csReading on. false: csReading off, then Loaded() (which clears
  // csLoading), as after reading a component from a stream.
  void SetLoading(bool Loading);
  virtual void Loaded();
  // Marks csDestroying on this component and every owned component.
  void Destroying();

  // Told of every component inserted into or removed from this one, and of the components it
  // asked about (FreeNotification) going away. The base lets go of a free-notification link to
  // a removed component and passes the news on to the owned components that hear of their
  // siblings (and through the others to theirs).
  virtual void Notification(TComponent* AComponent, TOperation Operation);

 protected:
  TPersistent* GetOwner() override { return FOwner; }
  void SetComponentStateFlag(TComponentStateFlag f, bool on);
  // Whether Notification hears of every insert and removal among the owner's components (the
  // class library's way; the default). A class that learns what it needs through
  // FreeNotification switches it off, so an owner of n such components does not make n calls
  // for every one that comes or goes.
  void SetHearsSiblings(bool Hears);

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void IndexName(TComponent* AComponent);
  void UnindexName(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);
  void NotifyFreeSubscribers();
  void PassNotification(TComponent* AComponent, TOperation Operation);
  bool PassesNotifications() const;  // hears of its siblings, or owns components that do
  void ListenerChanged(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  String FName;
  intptr_t FTag = 0;
  std::vector<TComponent*> FComponents;
  // The named components by case-folded name; a form owns over a thousand, and every insert
  // and rename checks for a clash.
  std::unordered_map<String, TComponent*> FNameIndex;
  std::vector<TComponent*> FFreeNotifies;
  // The owned components that pass notifications on, in the order of FComponents.
  std::vector<TComponent*> FListeners;
  bool FHearsSiblings = true;
  TComponentState FComponentState;
  bool FFreeNotified = false;  // subscribers and owner already told
};

// ---------------------------------------------------------------------------------------------
enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
 public:
  // Made with New<...>(collection): AfterConstruction() adds the item to the collection (so the
  // collection's Notify/Update already see the whole most-derived item). A null collection is fine.
  explicit TCollectionItem(TCollection* ACollection);
  ~TCollectionItem() override;
  void AfterConstruction() override;
  // Leaves the collection while still whole.
  void BeforeDestruction() override;

  TCollection* Collection() const { return FCollection; }
  // Moves the item to another collection (or out of any with null).
  void SetCollection(TCollection* Value);
  int Index() const;
  // Moves the item inside its collection; raises EListError for an index outside it.
  void SetIndex(int Value);
  int ID() const { return FID; }
  virtual String GetDisplayName() const;  // ClassName() in the base
  String DisplayName() const { return GetDisplayName(); }
  virtual void SetDisplayName(const String& Value);

 protected:
  // Asks the collection to Update(this), or Update(nullptr) when AllItems; nothing while the
  // collection is inside BeginUpdate/EndUpdate.
  void Changed(bool AllItems);
  TPersistent* GetOwner() override;

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  TCollection* FPendingCollection = nullptr;
  int FID = 0;
};

class TCollection : public TPersistent {
 public:
  using ItemFactory = std::function<TCollectionItem*(TCollection*)>;
  // The factory makes one item for Add(); it normally returns New<TMyItem>(collection). An item
  // it returns that has not joined the collection is added by Add(). Without a factory the items
  // are plain TCollectionItem.
  explicit TCollection(ItemFactory Factory = {});
  ~TCollection() override;

  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);  // Add, then move to Index
  void Delete(int Index);              // frees the item; EListError outside 0..Count-1
  void Clear();
  TCollectionItem* Items(int Index) const;  // EListError "List index out of bounds (%d)"
  int Count() const { return static_cast<int>(FItems.size()); }
  void BeginUpdate();
  void EndUpdate();  // Changed() when the count reaches zero
  int UpdateCount() const { return FUpdateCount; }
  TCollectionItem* FindItemID(int ID) const;
  // From another TCollection: Clear, then Add().Assign(item) for each of its items, in one update.
  void Assign(TPersistent* Source) override;

  // Called when the collection changed; Item null means "all items". The base does nothing.
  virtual void Update(TCollectionItem* Item);

 protected:
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
  void Changed();  // Update(nullptr) unless inside BeginUpdate/EndUpdate

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);

  ItemFactory FFactory;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
};

class TOwnedCollection : public TCollection {
 public:
  TOwnedCollection(TPersistent* AOwner, ItemFactory Factory = {});
  TPersistent* Owner() const { return FOwner; }

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Raises EListError with "List index out of bounds (%d)".
[[noreturn]] void RaiseListIndexError(int Index);

using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
 public:
  int Add(void* Item);
  void Insert(int Index, void* Item);  // 0..Count
  void Delete(int Index);
  int Remove(void* Item);  // index it had, -1 when absent
  void* Extract(void* Item);
  int IndexOf(void* Item) const;
  void* Items(int Index) const;
  void SetItems(int Index, void* Item);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  int Count() const { return static_cast<int>(FList.size()); }
  void SetCount(int NewCount);  // grows with nulls
  void Clear() { FList.clear(); }
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  void Pack();  // drops null entries
  // Quicksort of the class library (equal items may change order).
  void Sort(const TListSortCompare& Compare);

 private:
  std::vector<void*> FList;
};

// ---------------------------------------------------------------------------------------------
enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
 public:
  virtual int Count() const = 0;
  virtual const String& Strings(int Index) const = 0;
  virtual void SetStrings(int Index, const String& S);  // Delete + Insert in the base
  const String& operator[](int Index) const { return Strings(Index); }
  virtual TObject* Objects(int Index) const = 0;
  virtual void SetObjects(int Index, TObject* AObject) = 0;

  virtual int Add(const String& S);
  virtual int AddObject(const String& S, TObject* AObject);
  virtual void Insert(int Index, const String& S) = 0;
  virtual void InsertObject(int Index, const String& S, TObject* AObject);
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  void AddStrings(TStrings* Strings);
  void Append(const String& S) { Add(S); }

  virtual int IndexOf(const String& S) const;
  int IndexOfObject(TObject* AObject) const;
  int IndexOfName(const String& Name) const;
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);
  bool Equals(TStrings* Other) const;

  // Each line followed by CR LF ("a\r\nb\r\n"); "" for no lines.
  String Text() const;
  // Replaces the lines; splits at CR LF, LF or CR (see SplitLines).
  virtual void SetText(const String& Value);
  // Comma list with the class library's quoting: an item holding a blank, a control character,
  // a quote or a comma is written in double quotes with inner quotes doubled; a single empty
  // item is "\"\"". Reading splits at commas and, outside quotes, at blanks.
  String CommaText() const;
  void SetCommaText(const String& Value);
  Char Delimiter() const { return FDelimiter; }
  void SetDelimiter(Char c) { FDelimiter = c; }
  Char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(Char c) { FQuoteChar = c; }
  // With StrictDelimiter only the delimiter separates items (blanks are kept).
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool v) { FStrictDelimiter = v; }
  String DelimitedText() const;
  void SetDelimitedText(const String& Value);

  Char NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(Char c) { FNameValueSeparator = c; }
  String Names(int Index) const;  // text before the first separator, "" without one
  String Values(const String& Name) const;  // "" when the name is absent
  // Sets "Name=Value"; an empty Value deletes the entry.
  void SetValues(const String& Name, const String& Value);
  String ValueFromIndex(int Index) const;  // text after the first separator, "" without one
  void SetValueFromIndex(int Index, const String& Value);

  // OnChanging fires before the first change, OnChange after the last, once per outermost
  // BeginUpdate/EndUpdate pair.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  void LoadFromFile(const String& FileName);  // encoding found as by DecodeText
  void LoadFromStream(TStream* Stream);
  // Writes Text() in the chosen encoding, whole (SaveFileWhole); raises EFCreateError or EWriteError
  // saying what failed.
  void SaveToFile(const String& FileName, TTextEncoding Encoding = teUTF8);
  void SaveToStream(TStream* Stream, TTextEncoding Encoding = teUTF8);
  // Encoding found by the last LoadFromFile / LoadFromStream (teUTF8 before any).
  TTextEncoding Encoding() const { return FEncoding; }

  // Copies lines, objects and the delimiter settings from another TStrings.
  void Assign(TPersistent* Source) override;

 protected:
  virtual void SetUpdateState(bool Updating) { (void)Updating; }
  virtual int CompareStrings(const String& S1, const String& S2) const;
  [[noreturn]] void Error(const String& Msg, int Data) const;
  // Exactly the same lines (letter case counts) with the same objects, in the same order.
  bool SameLinesAndObjects(const TStrings& Other) const;

 private:
  String GetDelimitedText(Char Delim, Char Quote, bool Strict) const;
  void SetDelimitedTextWith(const String& Value, Char Delim, Char Quote, bool Strict);

  Char FDelimiter = u',';
  Char FQuoteChar = u'"';
  Char FNameValueSeparator = u'=';
  bool FStrictDelimiter = false;
  int FUpdateCount = 0;
  TTextEncoding FEncoding = teUTF8;
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
 public:
  TStringList() = default;
  explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;

  int Count() const override { return static_cast<int>(FList.size()); }
  const String& Strings(int Index) const override;
  void SetStrings(int Index, const String& S) override;  // not on a sorted list
  TObject* Objects(int Index) const override;
  void SetObjects(int Index, TObject* AObject) override;

  // Sorted: at its place (dupIgnore gives the index of the present equal string, dupError raises
  // "String list does not allow duplicates"); else at the end.
  int Add(const String& S) override;
  int AddObject(const String& S, TObject* AObject) override;
  void Insert(int Index, const String& S) override;  // "Operation not allowed on sorted list"
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  // Adds Items (moved in, not copied) as Add would one by one; one change notification.
  void TakeStrings(std::vector<String>&& Items);
  void Delete(int Index) override;  // frees the object with OwnsObjects
  void Clear() override;
  void Exchange(int Index1, int Index2) override;
  // Moves an item with its object; refused ("Operation not allowed on sorted list") before any
  // change on a sorted list.
  void Move(int CurIndex, int NewIndex) override;
  int IndexOf(const String& S) const override;
  // Binary search of a sorted list: true when found; Index is the place of the (first) equal
  // string or where S belongs.
  bool Find(const String& S, int& Index) const;
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& Compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  // false by default: IndexOf, Find and Sort ignore letter case.
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const String& S1, const String& S2) const override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct Item {
    String Str;
    TObject* Obj = nullptr;
  };
  void CheckIndex(int Index) const;
  void InsertItem(int Index, const String& S, TObject* AObject);
  void QuickSort(int L, int R, const TStringListSortCompare& Compare);

  std::vector<Item> FList;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
};

// ---------------------------------------------------------------------------------------------
enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  // Return the number of bytes actually moved.
  virtual int Read(void* Buffer, int Count) = 0;
  virtual int Write(const void* Buffer, int Count) = 0;
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t NewSize) = 0;

  // All or an exception: EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* Buffer, int Count);
  void WriteBuffer(const void* Buffer, int Count);
  void WriteBytes(std::string_view Bytes) { WriteBuffer(Bytes.data(), static_cast<int>(Bytes.size())); }
  // Copies Count bytes from Source's position (Count 0: the whole of Source from its start).
  int64_t CopyFrom(TStream* Source, int64_t Count);
};

class TMemoryStream : public TStream {
 public:
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return static_cast<int64_t>(FData.size()); }
  void SetSize(int64_t NewSize) override;  // the position stays within the new size

  void* Memory() { return FData.data(); }
  std::string_view Bytes() const { return FData; }
  void Clear();
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const String& FileName);  // EFOpenError
  void SaveToStream(TStream* Stream);
  void SaveToFile(const String& FileName);  // whole (SaveFileWhole); EFCreateError or EWriteError saying what failed

 private:
  std::string FData;
  int64_t FPosition = 0;
};

// File open modes of the class library (share modes are accepted and ignored).
constexpr uint16_t fmCreate = 0xFF00;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

class TFileStream : public TStream {
 public:
  // fmCreate makes or truncates the file (read and write); raises EFCreateError
  // "Cannot create file \"<path>\". <reason>" or EFOpenError "Cannot open file \"<path>\". <reason>".
  TFileStream(const String& FileName, uint16_t Mode);
  ~TFileStream() override;

  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;  // EStreamError when the file refuses
  const String& FileName() const { return FFileName; }

 private:
  String FFileName;
  int FHandle = -1;
};
