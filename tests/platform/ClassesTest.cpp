#include "platform/Classes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/testing/ScratchFolder.h"

namespace {

using Log = std::vector<std::string>;

template <class E>
String MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const E& e) {
    return e.Message();
  }
  return u"<no exception>";
}

// ---------------------------------------------------------------------------------------------
// Two-phase construction: the virtual set-up reaches the most-derived class.
struct TOutline : TPersistent {
  explicit TOutline(Log* l) : log(l) { log->push_back("ctor TOutline"); }
  void AfterConstruction() override {
    TPersistent::AfterConstruction();
    InitDefaults();
  }
  virtual void InitDefaults() { log->push_back("TOutline::InitDefaults"); }
  Log* log;
};
struct TBox : TOutline {
  explicit TBox(Log* l) : TOutline(l) { log->push_back("ctor TBox"); }
  void InitDefaults() override {
    TOutline::InitDefaults();
    log->push_back("TBox::InitDefaults");
  }
};
struct TCrate : TBox {
  TCrate(Log* l, bool fail) : TBox(l), failing(fail) { log->push_back("ctor TCrate"); }
  ~TCrate() override { log->push_back("dtor TCrate"); }
  void InitDefaults() override {
    TBox::InitDefaults();
    log->push_back("TCrate::InitDefaults");
    if (failing) throw Exception(u"bad defaults");
  }
  bool failing = false;
};

TEST(TwoPhaseConstruction, VirtualSetUpReachesMostDerivedClass) {
  struct Case {
    const char* what;
    std::function<TObject*(Log*)> make;
    Log expected;
    String className;
  } cases[] = {
      {"shape", [](Log* l) { return New<TOutline>(l); }, {"ctor TOutline", "TOutline::InitDefaults"}, u"TOutline"},
      {"box",
       [](Log* l) { return New<TBox>(l); },
       {"ctor TOutline", "ctor TBox", "TOutline::InitDefaults", "TBox::InitDefaults"},
       u"TBox"},
      {"crate",
       [](Log* l) { return New<TCrate>(l, false); },
       {"ctor TOutline", "ctor TBox", "ctor TCrate", "TOutline::InitDefaults", "TBox::InitDefaults", "TCrate::InitDefaults"},
       u"TCrate"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Log log;
    TObject* obj = c.make(&log);
    EXPECT_EQ(log, c.expected);
    EXPECT_EQ(obj->ClassName(), c.className);
    obj->Free();
  }
}

TEST(TwoPhaseConstruction, FailingSetUpDeletesTheObjectAndPassesTheError) {
  Log log;
  EXPECT_EQ(MessageOf<Exception>([&] { New<TCrate>(&log, true); }), u"bad defaults");
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "dtor TCrate");
}

// ---------------------------------------------------------------------------------------------
struct TColour : TPersistent {
  int value = 0;
};
struct TFont : TPersistent {
  int size = 0;
  void Assign(TPersistent* Source) override {
    if (auto* f = dynamic_cast<TFont*>(Source)) {
      size = f->size;
      return;
    }
    TPersistent::Assign(Source);
  }

 protected:
  void AssignTo(TPersistent* Dest) override {
    if (auto* c = dynamic_cast<TColour*>(Dest)) {
      c->value = size * 10;
      return;
    }
    TPersistent::AssignTo(Dest);
  }
};

TEST(Persistent, AssignUsesEitherSideOrReportsBothClasses) {
  TFont a, b;
  a.size = 9;
  b.Assign(&a);
  EXPECT_EQ(b.size, 9);
  TColour colour;
  colour.Assign(&a);  // the source knows how
  EXPECT_EQ(colour.value, 90);

  struct Case {
    TPersistent* dest;
    TPersistent* source;
    String message;
  } cases[] = {
      {&a, &colour, u"Cannot assign a TColour to a TFont"},
      {&colour, nullptr, u"Cannot assign a nil to a TColour"},
      {&a, nullptr, u"Cannot assign a nil to a TFont"},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageOf<EConvertError>([&] { c.dest->Assign(c.source); }), c.message);
}

// ---------------------------------------------------------------------------------------------
struct TProbe : TComponent {
  TProbe(TComponent* owner, Log* l, std::string id) : TComponent(owner), log(l), tag(std::move(id)) {
    SetName(Utf8ToString(tag));
  }
  ~TProbe() override {
    if (log) log->push_back("free " + tag);
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    // By name: a component being destroyed is no longer a TProbe here.
    std::string other = AComponent ? StringToUtf8(AComponent->Name()) : "nil";
    if (log) log->push_back(tag + (Operation == opInsert ? " +" : " -") + other);
    if (Operation == opRemove && AComponent == watched) watched = nullptr;
  }
  void Loaded() override {
    TComponent::Loaded();
    if (log) log->push_back(tag + " loaded");
  }
  void BeforeDestruction() override {
    TComponent::BeforeDestruction();
    if (log && ComponentState().Contains(TComponentStateFlag::csDestroying)) log->push_back(tag + " destroying");
  }
  Log* log;
  std::string tag;
  TComponent* watched = nullptr;
};

TEST(Component, OwnerFreesItsComponentsLastFirstAndIsToldOfInserts) {
  Log log;
  auto* form = New<TProbe>(nullptr, &log, "form");
  auto* a = New<TProbe>(form, &log, "a");
  New<TProbe>(form, &log, "b");
  New<TProbe>(a, &log, "a1");
  // The owner and its other components hear of each newcomer before the newcomer's own
  // constructor has run (so it has no name yet).
  EXPECT_EQ(log, (Log{"form +", "a +", "form +", "a +"}));
  EXPECT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(form->Components(1)->Owner(), form);
  EXPECT_EQ(a->ComponentIndex(), 0);
  EXPECT_EQ(MessageOf<EListError>([&] { form->Components(2); }), u"List index out of bounds (2)");
  log.clear();
  form->Free();
  // Each destructor body runs before its owned components go (as the class library's inherited
  // Destroy comes last).
  EXPECT_EQ(log, (Log{"form destroying", "free form", "b destroying", "free b", "a destroying", "free a",
                      "a1 destroying", "free a1"}));
}

TEST(Component, DeletingAComponentDirectlyTakesItOutOfItsOwner) {
  Log log;
  auto* form = New<TProbe>(nullptr, &log, "form");
  auto* a = New<TProbe>(form, &log, "a");
  auto* b = New<TProbe>(form, &log, "b");
  log.clear();
  delete a;  // no Free(): the destructor still leaves the owner
  EXPECT_EQ(form->ComponentCount(), 1);
  EXPECT_EQ(form->Components(0), b);
  b->Free();
  EXPECT_EQ(form->ComponentCount(), 0);
  // The owner and all its components hear of the removal.
  EXPECT_EQ(log, (Log{"free a", "b -a", "form -a", "b destroying", "free b", "form -b"}));
  delete form;  // nothing is freed twice (the sanitizer run would report it)
}

TEST(Component, FreeNotificationTellsTheOtherSideAndCanBeWithdrawn) {
  Log log;
  auto* link = New<TProbe>(nullptr, &log, "link");
  auto* target = New<TProbe>(nullptr, &log, "target");
  auto* other = New<TProbe>(nullptr, &log, "other");
  link->watched = target;
  target->FreeNotification(link);
  EXPECT_TRUE(target->ComponentState().Contains(TComponentStateFlag::csFreeNotification));
  other->FreeNotification(link);
  other->RemoveFreeNotification(link);
  log.clear();
  target->Free();
  EXPECT_EQ(link->watched, nullptr);
  EXPECT_EQ(log, (Log{"link -target", "target destroying", "free target"}));
  log.clear();
  other->Free();
  EXPECT_EQ(log, (Log{"other destroying", "free other"}));
  // The link went away first in the other order: the target must not call it later.
  auto* t2 = New<TProbe>(nullptr, &log, "t2");
  t2->FreeNotification(link);
  delete link;
  log.clear();
  t2->Free();
  EXPECT_EQ(log, (Log{"t2 destroying", "free t2"}));
}

TEST(Component, ComponentsSubscribedByTheOwnerListAreToldWhenTheOwnerFreesThem) {
  Log log;
  auto* form = New<TProbe>(nullptr, &log, "form");
  auto* outside = New<TProbe>(nullptr, &log, "outside");
  auto* a = New<TProbe>(form, &log, "a");
  a->FreeNotification(outside);
  log.clear();
  form->Free();
  // A subscribed component is taken out with notification (the owner's own part is already gone,
  // so only its remaining components hear it), then freed; its subscribers hear of it.
  EXPECT_EQ(log, (Log{"form destroying", "free form", "a -a", "outside -a", "a destroying", "free a"}));
  outside->Free();
}

TEST(Component, NamesAreIdentifiersAndUniqueWithinTheOwner) {
  auto* form = New<TComponent>(nullptr);
  auto* a = New<TComponent>(form);
  auto* b = New<TComponent>(form);
  a->SetName(u"Btn_OK");
  struct Case {
    TComponent* who;
    String name;
    String error;
  } cases[] = {
      {b, u"btn_ok", u"A component named btn_ok already exists"},
      {b, u"1abc", u"'1abc' is not a valid component name"},
      {b, u"a b", u"'a b' is not a valid component name"},
      {b, u"_b2", u""},
      {a, u"BTN_OK", u""},  // a new case of its own name
      {b, u"", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.name));
    if (c.error.empty()) {
      c.who->SetName(c.name);
      EXPECT_EQ(c.who->Name(), c.name);
    } else {
      EXPECT_EQ(MessageOf<EComponentError>([&] { c.who->SetName(c.name); }), c.error);
    }
  }
  EXPECT_EQ(form->FindComponent(u"btn_ok"), a);
  EXPECT_EQ(form->FindComponent(u""), nullptr);
  a->SetTag(-7);
  EXPECT_EQ(a->Tag(), -7);
  form->Free();
}

TEST(Component, FindComponentFollowsRenamesMovesAndFrees) {
  auto* form = New<TComponent>(nullptr);
  auto* other = New<TComponent>(nullptr);
  std::vector<TComponent*> c;
  for (const char16_t* n : {u"Btn_OK", u"E_Name", u"L_Title", u"", u"P_Button"}) {
    c.push_back(New<TComponent>(form));
    c.back()->SetName(n);
  }
  c[1]->SetName(u"E_First_Name");   // renamed: the old name is free again
  c[2]->SetName(u"l_title");        // a new case of its own name
  c[3]->SetName(u"Late_Name");      // named after joining
  c[4]->SetName(u"");               // unnamed: no longer found
  other->InsertComponent(c[0]);     // moved to another owner
  delete c[3];                      // freed directly
  auto* again = New<TComponent>(form);
  again->SetName(u"E_NAME");        // takes the name given up by the rename

  struct Case {
    const TComponent* owner;
    const char16_t* name;
    const TComponent* found;
  } cases[] = {
      {form, u"btn_ok", nullptr},  {other, u"BTN_OK", c[0]},        {form, u"e_name", again},
      {form, u"E_First_Name", c[1]}, {form, u"L_TITLE", c[2]},      {form, u"Late_Name", nullptr},
      {form, u"P_Button", nullptr}, {form, u"", nullptr},           {form, u"E_First_Nam", nullptr},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(StringToUtf8(k.name));
    EXPECT_EQ(k.owner->FindComponent(k.name), k.found);
  }
  // Clashes are still found through the moved, renamed and freed names.
  EXPECT_EQ(MessageOf<EComponentError>([&] { c[4]->SetName(u"e_first_name"); }),
            u"A component named e_first_name already exists");
  c[4]->SetName(u"Late_Name");
  auto* stranger = New<TComponent>(nullptr);
  stranger->SetName(u"L_Title");
  EXPECT_EQ(MessageOf<EComponentError>([&] { form->InsertComponent(stranger); }),
            u"A component named L_Title already exists");
  EXPECT_EQ(stranger->Owner(), nullptr);
  // The list keeps the order the components joined in.
  EXPECT_EQ(form->ComponentCount(), 4);
  const TComponent* order[] = {c[1], c[2], c[4], again};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(form->Components(i), order[i]);
  stranger->Free();
  form->Free();
  other->Free();
}

TEST(Component, InsertComponentMovesBetweenOwners) {
  Log log;
  auto* one = New<TProbe>(nullptr, &log, "one");
  auto* two = New<TProbe>(nullptr, &log, "two");
  auto* c = New<TProbe>(one, &log, "c");
  log.clear();
  two->InsertComponent(c);
  EXPECT_EQ(c->Owner(), two);
  EXPECT_EQ(one->ComponentCount(), 0);
  EXPECT_EQ(log, (Log{"c -c", "one -c", "c +c", "two +c"}));
  one->RemoveComponent(c);  // not its component: nothing happens
  EXPECT_EQ(c->Owner(), two);
  one->Free();
  two->Free();
}

TEST(Component, LoadingStateAndLoaded) {
  Log log;
  auto* p = New<TProbe>(nullptr, &log, "p");
  EXPECT_TRUE(p->ComponentState().Empty());
  p->SetLoading(true);
  EXPECT_EQ(p->ComponentState(), (TComponentState{TComponentStateFlag::csLoading, TComponentStateFlag::csReading}));
  p->SetLoading(false);
  EXPECT_TRUE(p->ComponentState().Empty());
  EXPECT_EQ(log, (Log{"p loaded"}));
  EXPECT_FALSE(p->ComponentState().Contains(TComponentStateFlag::csDesigning));
  p->Free();
}

// ---------------------------------------------------------------------------------------------
struct TColumn : TCollectionItem {
  explicit TColumn(TCollection* c) : TCollectionItem(c) {}
  String GetDisplayName() const override { return u"Column " + Caption; }
  void Assign(TPersistent* Source) override {
    if (auto* col = dynamic_cast<TColumn*>(Source)) {
      Caption = col->Caption;
      return;
    }
    TCollectionItem::Assign(Source);
  }
  void SetCaption(const String& s) {
    Caption = s;
    Changed(false);
  }
  TPersistent* OwnerForTest() { return GetOwner(); }
  String Caption = u"new";
};

struct TColumns : TOwnedCollection {
  TColumns(TPersistent* owner, Log* l)
      : TOwnedCollection(owner, [](TCollection* c) -> TCollectionItem* { return New<TColumn>(c); }), log(l) {}
  ~TColumns() override { log = nullptr; }
  void Update(TCollectionItem* Item) override {
    // The item is whole when the collection hears of it.
    if (log) log->push_back(Item ? "update " + StringToUtf8(Item->DisplayName()) : "update all");
  }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    static const char* names[] = {"added", "extracting", "deleting"};
    if (log) log->push_back(std::string(names[Action]) + " " + StringToUtf8(Item->DisplayName()));
  }
  TPersistent* OwnerForTest() { return GetOwner(); }
  TColumn* Col(int i) { return static_cast<TColumn*>(Items(i)); }
  Log* log;
};

std::vector<int> Ids(TCollection& c) {
  std::vector<int> r;
  for (int i = 0; i < c.Count(); ++i) r.push_back(c.Items(i)->ID());
  return r;
}

TEST(Collection, OperationsKeepOrderIdsAndTellTheCollection) {
  struct Case {
    const char* what;
    std::function<void(TColumns&)> op;
    std::vector<int> ids;
    Log log;
  } cases[] = {
      {"add", [](TColumns& c) { c.Add(); }, {0, 1, 2, 3}, {"added Column new", "update all"}},
      {"insert", [](TColumns& c) { c.Insert(1); }, {0, 3, 1, 2}, {"added Column new", "update all", "update all"}},
      {"delete", [](TColumns& c) { c.Delete(1); }, {0, 2}, {"deleting Column new", "extracting Column new", "update all"}},
      {"set index", [](TColumns& c) { c.Items(2)->SetIndex(0); }, {2, 0, 1}, {"update all"}},
      {"item changed", [](TColumns& c) { c.Col(1)->SetCaption(u"B"); }, {0, 1, 2}, {"update Column B"}},
      {"clear", [](TColumns& c) { c.Clear(); }, {}, {"extracting Column new", "extracting Column new", "extracting Column new", "update all"}},
      {"update block",
       [](TColumns& c) {
         c.BeginUpdate();
         c.Add();
         c.Col(0)->SetCaption(u"A");
         c.Delete(1);
         c.EndUpdate();
       },
       {0, 2, 3},
       {"added Column new", "deleting Column new", "extracting Column new", "update all"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Log log;
    TPersistent owner;
    TColumns cols(&owner, nullptr);
    for (int i = 0; i < 3; ++i) cols.Add();
    cols.log = &log;
    c.op(cols);
    EXPECT_EQ(Ids(cols), c.ids);
    EXPECT_EQ(log, c.log);
    EXPECT_EQ(cols.UpdateCount(), 0);
  }
}

TEST(Collection, IndexErrorsAndLookups) {
  TPersistent owner;
  TColumns cols(&owner, nullptr);
  cols.Add();
  cols.Add();
  struct Case {
    std::function<void()> f;
    String message;
  } cases[] = {
      {[&] { cols.Items(2); }, u"List index out of bounds (2)"},
      {[&] { cols.Items(-1); }, u"List index out of bounds (-1)"},
      {[&] { cols.Delete(5); }, u"List index out of bounds (5)"},
      {[&] { cols.Insert(3); }, u"List index out of bounds (3)"},
      {[&] { cols.Items(0)->SetIndex(2); }, u"List index out of bounds (2)"},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageOf<EListError>(c.f), c.message);
  EXPECT_EQ(cols.Count(), 2);  // the failed insert left nothing behind
  EXPECT_EQ(cols.FindItemID(1), cols.Items(1));
  EXPECT_EQ(cols.FindItemID(7), nullptr);
  EXPECT_EQ(cols.Items(1)->Index(), 1);
  EXPECT_EQ(cols.OwnerForTest(), &owner);
  EXPECT_EQ(cols.Col(0)->OwnerForTest(), &cols);
}

TEST(Collection, AssignCopiesItemsAndItemsCanChangeCollection) {
  TPersistent owner;
  TColumns a(&owner, nullptr), b(&owner, nullptr);
  a.Add();
  a.Add();
  a.Col(0)->Caption = u"x";
  a.Col(1)->Caption = u"y";
  b.Add();
  b.Assign(&a);
  ASSERT_EQ(b.Count(), 2);
  EXPECT_EQ(b.Col(0)->Caption, u"x");
  EXPECT_EQ(b.Col(1)->Caption, u"y");
  EXPECT_EQ(b.Col(0)->ID(), 1);  // ids keep counting
  a.Assign(&a);
  EXPECT_EQ(a.Count(), 2);

  TCollectionItem* moved = a.Items(0);
  moved->SetCollection(&b);
  EXPECT_EQ(a.Count(), 1);
  EXPECT_EQ(b.Count(), 3);
  EXPECT_EQ(moved->Index(), 2);
  delete moved;  // a directly deleted item leaves its collection
  EXPECT_EQ(b.Count(), 2);

  TCollection plain;
  TCollectionItem* item = plain.Add();
  EXPECT_EQ(item->DisplayName(), u"TCollectionItem");
  EXPECT_EQ(MessageOf<EConvertError>([&] { plain.Assign(nullptr); }), u"Cannot assign a nil to a TCollection");
  auto* loose = New<TColumn>(nullptr);
  EXPECT_EQ(loose->Collection(), nullptr);
  EXPECT_EQ(loose->Index(), -1);
  loose->Free();
}

TEST(Collection, AFailedAssignStillEndsTheUpdate) {
  Log log;
  TPersistent owner;
  TColumns cols(&owner, nullptr);
  cols.Add();
  TOwnedCollection plain(&owner);  // items of the base class, which a column cannot take
  plain.Add();
  cols.log = &log;
  EXPECT_THROW(cols.Assign(&plain), EConvertError);
  EXPECT_EQ(cols.UpdateCount(), 0);
  EXPECT_EQ(log, (Log{"extracting Column new", "added Column new", "update all"}));
  log.clear();
  cols.Add();
  EXPECT_EQ(log, (Log{"added Column new", "update all"}));
}

// ---------------------------------------------------------------------------------------------
struct TUpdateTarget {
  int Count = 0;
  bool EndFails = false;
  void BeginUpdate() { ++Count; }
  void EndUpdate() {
    --Count;
    if (EndFails) throw Exception(u"end failed");
  }
};

TEST(UpdateScope, EndsTheUpdateHoweverTheScopeIsLeft) {
  struct Case {
    bool BodyFails, EndFails;
    const char16_t* Passed;  // the message that comes out, empty for none
  } cases[] = {
      {false, false, u""},
      {true, false, u"body failed"},
      {false, true, u"end failed"},
      {true, true, u"body failed"},  // the first error, not the one raised while it unwinds
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.BodyFails << c.EndFails);
    TUpdateTarget target;
    String passed;
    try {
      TUpdateScope outer(&target);
      {
        TUpdateScope inner(&target);
        EXPECT_EQ(target.Count, 2);
      }
      EXPECT_EQ(target.Count, 1);
      target.EndFails = c.EndFails;
      if (c.BodyFails) throw Exception(u"body failed");
    } catch (const Exception& e) {
      passed = e.Message();
    }
    EXPECT_EQ(target.Count, 0);
    EXPECT_EQ(StringToUtf8(passed), StringToUtf8(c.Passed));
  }
}

// ---------------------------------------------------------------------------------------------
TEST(List, PointerListOperations) {
  int v[5] = {0, 1, 2, 3, 4};
  TList list;
  for (int& x : v) list.Add(&x);
  list.Move(0, 4);
  EXPECT_EQ(list.Items(4), &v[0]);
  list.Exchange(0, 1);
  EXPECT_EQ(list.First(), &v[2]);
  EXPECT_EQ(list.Remove(&v[3]), 2);
  EXPECT_EQ(list.Remove(&v[3]), -1);
  list.Insert(0, nullptr);
  list.Pack();
  EXPECT_EQ(list.Count(), 4);
  list.Sort([](void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); });
  EXPECT_EQ(list.First(), &v[0]);
  EXPECT_EQ(list.Last(), &v[4]);
  list.Sort([](void*, void*) { return 1; });  // inconsistent compare stays within the list
  EXPECT_EQ(list.Count(), 4);

  struct Case {
    std::function<void()> f;
    String message;
  } cases[] = {
      {[&] { list.Items(4); }, u"List index out of bounds (4)"},
      {[&] { list.SetItems(-1, nullptr); }, u"List index out of bounds (-1)"},
      {[&] { list.Insert(6, nullptr); }, u"List index out of bounds (6)"},
      {[&] { list.Delete(4); }, u"List index out of bounds (4)"},
      {[&] { list.Move(0, 9); }, u"List index out of bounds (9)"},
      {[&] { list.Exchange(8, 0); }, u"List index out of bounds (8)"},
      {[] { TList().First(); }, u"List index out of bounds (0)"},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageOf<EListError>(c.f), c.message);
}

// ---------------------------------------------------------------------------------------------
TEST(Streams, MemoryStreamReadsWritesSeeksAndGrows) {
  TMemoryStream m;
  m.WriteBytes("hello");
  EXPECT_EQ(m.Position(), 5);
  m.SetPosition(8);
  m.WriteBytes("!");
  EXPECT_EQ(m.Bytes(), std::string("hello\0\0\0!", 9));
  EXPECT_EQ(m.Seek(-4, soEnd), 5);
  char buf[16] = {};
  EXPECT_EQ(m.Read(buf, 8), 4);
  EXPECT_EQ(m.Read(buf, 8), 0);
  m.SetPosition(0);
  EXPECT_THROW(m.ReadBuffer(buf, 10), EReadError);
  m.SetSize(3);
  EXPECT_EQ(m.Position(), 3);
  EXPECT_EQ(m.Bytes(), "hel");
  TMemoryStream copy;
  EXPECT_EQ(copy.CopyFrom(&m, 0), 3);
  EXPECT_EQ(copy.Bytes(), "hel");
}

TEST(Streams, FileStreamOpensCreatesAndReportsFailures) {
  TScratchFolder dir("classes");
  String path = dir.File("data.bin");
  {
    TFileStream f(path, fmCreate);
    f.WriteBytes(std::string("\x01\x02\x03\xFF", 4));
    EXPECT_EQ(f.Size(), 4);
  }
  {
    TFileStream f(path, fmOpenReadWrite);
    f.Seek(0, soEnd);
    f.WriteBytes("z");
    f.SetSize(3);
    EXPECT_EQ(f.Position(), 3);
  }
  TMemoryStream m;
  m.LoadFromFile(path);
  EXPECT_EQ(m.Bytes(), "\x01\x02\x03");
  {
    TFileStream ro(path, fmOpenRead | fmShareDenyNone);
    EXPECT_THROW(ro.WriteBuffer("x", 1), EWriteError);
  }
  String missing = dir.File("missing.bin");
  EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream f(missing, fmOpenRead); }),
            u"Cannot open file \"" + missing + u"\". No such file or directory");
  String badDir = Utf8ToString((dir / "no" / "x.bin").string());
  EXPECT_EQ(MessageOf<EFCreateError>([&] { TFileStream f(badDir, fmCreate); }),
            u"Cannot create file \"" + badDir + u"\". No such file or directory");
  EXPECT_THROW(TFileStream(dir.Folder(), fmOpenRead), EFOpenError);
}

}  // namespace
