// What a control's widget shows of its font and colours, whether Qt hands them down from the
// parent's widget or the control sets its own, and what goes when controls are destroyed.
#include <gtest/gtest.h>

#include <utility>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/WidgetLook.h"

namespace {

constexpr TColor kSea = 0x00996633, kMoss = 0x00336655, kRust = 0x001133AA;

class ControlsLookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    parent = New<TPanel>(form);
    parent->SetParent(form);
    parent->SetBounds(0, 0, 200, 200);
    other = New<TPanel>(form);
    other->SetParent(form);
    other->SetBounds(200, 0, 200, 200);
    other->Font()->SetStyle(TFontStyles{fsBold});
    other->Font()->SetHeight(-19);
    other->SetColor(kRust);
    // The cases look at widgets: the form's are made now, as when it is first shown.
    form->HandleNeeded();
  }
  void TearDown() override { delete form; }

  TForm* form = nullptr;
  TPanel* parent = nullptr;
  TPanel* other = nullptr;
};

TEST_F(ControlsLookTest, WidgetShowsTheControlsLookWhetherHandedDownOrItsOwn) {
  struct Case {
    const char* name;
    std::function<TControl*(TForm*, TPanel*, TPanel*)> build;  // returns the child to look at
    int pixelSize;
    bool bold;
    TColor ground, ink;
  };
  auto edit = [](TForm* f, TPanel* p) {
    TEdit* e = New<TEdit>(f);
    e->SetParent(p);
    return e;
  };
  const Case cases[] = {
      {"the parent's font and colour come down after the child exists",
       [&](TForm* f, TPanel* p, TPanel*) {
         TControl* c = edit(f, p);
         c->SetParentColor(true);
         p->Font()->SetHeight(-17);
         p->Font()->SetStyle(TFontStyles{fsBold});
         p->SetColor(kSea);
         return c;
       },
       17, true, kSea, clBlack},
      {"a font of its own equal to the parent's stays when the parent's changes",
       [&](TForm* f, TPanel* p, TPanel*) {
         TControl* c = edit(f, p);
         c->Font()->Assign(p->Font());  // no longer ParentFont, same face
         p->Font()->SetHeight(-17);
         p->Font()->SetStyle(TFontStyles{fsBold});
         return c;
       },
       11, false, clWhite, clBlack},
      {"a colour of its own equal to the parent's stays when the parent's changes",
       [&](TForm* f, TPanel* p, TPanel*) {
         p->SetColor(kSea);
         TPanel* c = New<TPanel>(f);
         c->SetParentColor(true);
         c->SetParent(p);
         c->SetColor(kSea);  // no longer ParentColor, same colour
         p->SetColor(kMoss);
         return c;
       },
       11, false, kSea, clBlack},
      {"a text colour of its own equal to the parent's stays when the parent's changes",
       [&](TForm* f, TPanel* p, TPanel*) {
         p->SetColor(kMoss);
         p->Font()->SetColor(kSea);
         TPanel* c = New<TPanel>(f);
         c->SetParentColor(true);
         c->SetParent(p);
         c->Font()->Assign(p->Font());  // no longer ParentFont, same colour
         p->Font()->SetColor(kRust);
         return c;
       },
       11, false, kMoss, kSea},
      {"moved to a parent of another look, it keeps its own",
       [&](TForm* f, TPanel* p, TPanel* o) {
         TPanel* c = New<TPanel>(f);
         c->SetParent(p);
         c->SetColor(p->Color());
         c->Font()->Assign(p->Font());
         c->SetParent(o);
         return c;
       },
       11, false, ShownLook(parent).Ground, clBlack},
      {"moved to a parent of another look, it takes that one with ParentFont and ParentColor",
       [&](TForm* f, TPanel* p, TPanel* o) {
         TPanel* c = New<TPanel>(f);
         c->SetParentColor(true);
         c->SetParent(p);
         c->SetParent(o);
         return c;
       },
       19, true, kRust, clBlack},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TControl* c = k.build(form, parent, other);
    const TShownLook look = ShownLook(c);
    ASSERT_TRUE(look.HasWidget);
    EXPECT_EQ(look.PixelSize, k.pixelSize);
    EXPECT_EQ(look.Bold, k.bold);
    EXPECT_EQ(look.Ground, k.ground);
    EXPECT_EQ(look.Ink, k.ink);
    // The look of what lies below it follows: a label with ParentFont and ParentColor.
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      TLabel* l = New<TLabel>(form);
      l->SetParent(w);
      const TShownLook below = ShownLook(l);
      EXPECT_EQ(below.PixelSize, k.pixelSize);
      EXPECT_EQ(below.Bold, k.bold);
      EXPECT_EQ(below.Ground, k.ground);
    }
    delete c;
    // The next case starts from the same parent look.
    parent->SetParentFont(true);
    parent->Font()->SetColor(clWindowText);
    parent->SetColor(clBtnFace);
  }
}

TEST_F(ControlsLookTest, DestroyedControlsTakeTheirWidgetsAlong) {
  const int before = LiveWidgetCount();
  TPanel* inner = New<TPanel>(form);
  inner->SetParent(parent);
  for (int i = 0; i < 5; ++i) {
    TEdit* e = New<TEdit>(form);
    e->SetParent(inner);
    TComboBox* cb = New<TComboBox>(form);
    cb->SetParent(inner);
    cb->Items()->Add(u"one");
    TLabel* l = New<TLabel>(form);
    l->SetParent(inner);
  }
  form->Show();
  Application->ProcessMessages();
  const int built = LiveWidgetCount();
  ASSERT_GE(built, before + 16);
  // Freed alone, the panel's widgets go with it; the parent's stay and still paint.
  delete inner;
  DeleteDeferredWidgets();
  EXPECT_EQ(LiveWidgetCount(), before);
  ASSERT_NE(parent->ExistingWidget(), nullptr);
  parent->Repaint();
  // Freed from inside an event on one of its controls, the form's widgets go once the event is
  // over.
  TButton* b = New<TButton>(form);
  b->SetParent(parent);
  b->SetBounds(10, 10, 80, 24);
  b->OnClick = [this](TObject*) {
    // The closure goes with the button: nothing of it may be read after the delete.
    TForm* doomed = std::exchange(form, nullptr);
    delete doomed;
  };
  InputDriver driver;
  driver.Click(b);
  DeleteDeferredWidgets();
  EXPECT_EQ(form, nullptr);
  EXPECT_EQ(LiveWidgetCount(), before - 3);  // the form's own window and its two panels went too
}

// ---------------------------------------------------------------------------------------------
// Widgets are made on first need: a form's all together, when it is first shown or one of its
// controls needs its window.

TEST(ControlsLazyWidgets, AFormsWidgetsAreMadeWhenItIsFirstShownInStackingOrderWithTheirLook) {
  const int before = LiveWidgetCount();
  TForm* form = New<TForm>(nullptr);
  form->SetBounds(0, 0, 300, 200);
  TPanel* back = New<TPanel>(form);
  back->SetParent(form);
  back->SetBounds(0, 0, 100, 100);
  back->SetColor(kSea);
  TEdit* edit = New<TEdit>(form);
  edit->SetParent(back);
  TPanel* front = New<TPanel>(form);
  front->SetParent(form);
  front->SetBounds(50, 50, 100, 100);
  TPanel* hidden = New<TPanel>(form);
  hidden->SetParent(form);
  hidden->SetBounds(0, 0, 300, 200);
  hidden->SetVisible(false);
  back->BringToFront();
  EXPECT_EQ(LiveWidgetCount(), before);
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_FALSE(edit->HandleAllocated());

  form->Show();
  Application->ProcessMessages();
  for (TWinControl* c : std::initializer_list<TWinControl*>{form, back, edit, front, hidden})
    EXPECT_TRUE(c->HandleAllocated()) << StringToUtf8(c->ClassName());
  EXPECT_EQ(ShownLook(back).Ground, kSea);
  EXPECT_EQ(ShownLook(front).Ground, ShownLook(form).Ground);
  // Where they overlap the panel brought to the front is on top; the hidden one covers nothing.
  EXPECT_EQ(FindDragTarget(form->ClientToScreen(Point(75, 75)), false), back);
  EXPECT_EQ(FindDragTarget(form->ClientToScreen(Point(125, 125)), false), front);
  EXPECT_EQ(FindDragTarget(form->ClientToScreen(Point(250, 20)), false), form);
  // A control put under a parent that has its widget gets its own at once.
  TPanel* late = New<TPanel>(form);
  late->SetParent(front);
  EXPECT_TRUE(late->HandleAllocated());
  EXPECT_EQ(ShownLook(late).Ground, ShownLook(front).Ground);
  delete form;
  DeleteDeferredWidgets();
  EXPECT_EQ(LiveWidgetCount(), before);
}

TEST(ControlsLazyWidgets, AFormNeverShownMakesNoWidgetUntilAControlNeedsItsWindow) {
  const int before = LiveWidgetCount();
  TForm* form = New<TForm>(nullptr);
  TPanel* panel = New<TPanel>(form);
  panel->SetParent(form);
  TEdit* edit = New<TEdit>(form);
  edit->SetParent(panel);
  TLabel* label = New<TLabel>(form);
  label->SetParent(panel);
  TEdit* sibling = New<TEdit>(form);
  sibling->SetParent(form);
  panel->SetColor(kMoss);
  edit->SetText(u"typed");
  EXPECT_EQ(LiveWidgetCount(), before);
  EXPECT_FALSE(ShownLook(label).HasWidget);

  // The edit's window needs its parents' and brings the whole form's.
  edit->HandleNeeded();
  for (TWinControl* c : std::initializer_list<TWinControl*>{form, panel, edit, sibling})
    EXPECT_TRUE(c->HandleAllocated()) << StringToUtf8(c->ClassName());
  EXPECT_TRUE(ShownLook(label).HasWidget);
  EXPECT_EQ(ShownLook(label).Ground, kMoss);
  EXPECT_FALSE(form->Visible());
  delete form;
  DeleteDeferredWidgets();
  EXPECT_EQ(LiveWidgetCount(), before);

  // Freed without ever being shown, a form leaves no widget behind.
  form = New<TForm>(nullptr);
  New<TPanel>(form)->SetParent(form);
  delete form;
  EXPECT_EQ(LiveWidgetCount(), before);
}

// ---------------------------------------------------------------------------------------------
// Notifications among the components of one owner.

std::vector<std::string>* g_heard = nullptr;

struct TLookListener : TComponent {
  explicit TLookListener(TComponent* owner) : TComponent(owner) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (g_heard && AComponent) g_heard->push_back(std::string(Operation == opInsert ? "+" : "-") + StringToUtf8(AComponent->Name()));
  }
};

struct TListeningPanel : TPanel {
  explicit TListeningPanel(TComponent* owner) : TPanel(owner) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TPanel::Notification(AComponent, Operation);
    if (g_heard && AComponent && Operation == opRemove) g_heard->push_back("panel -" + StringToUtf8(AComponent->Name()));
  }
};

TEST(ComponentNotifications, ComponentsHearTheirSiblingsControlsWhatTheyAskedAbout) {
  std::vector<std::string> heard;
  g_heard = &heard;
  TForm* form = New<TForm>(nullptr);
  // A component owned by a control hears of the form's components through the control.
  TPanel* holder = New<TPanel>(form);
  New<TLookListener>(holder);
  TListeningPanel* panel = New<TListeningPanel>(form);
  TComponent* asked = New<TComponent>(form);
  asked->SetName(u"Asked");
  TComponent* unasked = New<TComponent>(form);
  unasked->SetName(u"Unasked");
  asked->FreeNotification(panel);
  heard.clear();
  struct Case {
    TComponent* gone;
    std::vector<std::string> expected;
  } cases[] = {
      // The control hears only what it asked about; the plain component hears every removal.
      {unasked, {"-Unasked"}},
      {asked, {"panel -Asked", "-Asked"}},
  };
  for (const Case& c : cases) {
    heard.clear();
    c.gone->Free();
    EXPECT_EQ(heard, c.expected);
  }
  heard.clear();
  TComponent* late = New<TComponent>(form);
  late->SetName(u"Late");
  TComponent* moved = New<TComponent>(nullptr);
  moved->SetName(u"Moved");
  form->InsertComponent(moved);
  EXPECT_EQ(heard, (std::vector<std::string>{"+", "+Moved"}));  // a newcomer has no name yet
  g_heard = nullptr;
  delete form;
}

}  // namespace
