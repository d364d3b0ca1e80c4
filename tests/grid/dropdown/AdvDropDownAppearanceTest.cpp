// Header and footer settings of the drop-down popups: defaults, assignment and the narrow change
// notification.
#include <gtest/gtest.h>

#include <memory>

#include "grid/dropdown/AdvDropDownAppearance.h"
#include "platform/SysUtils.h"

namespace {

struct Counts {
  int change = 0;
  int buttons = 0;
};

template <class TAppearance>
void Count(TAppearance& a, Counts& c) {
  a.OnChange = [&c](TObject*) { ++c.change; };
  a.OnButtonsChanged = [&c](TObject*) { ++c.buttons; };
}

}  // namespace

TEST(DropDownAppearance, DefaultsOfHeaderAndFooter) {
  THeaderAppearance header(nullptr);
  TFooterAppearance footer(nullptr);
  const TFont libraryDefault;
  EXPECT_EQ(header.Font()->Name(), u"Tahoma");
  EXPECT_EQ(footer.Font()->Name(), libraryDefault.Name());
  struct Row {
    const char* what;
    bool visible;
    int height, borderWidth, imageIndex;
    TColor color, colorTo, border;
    TGradientDirection direction;
    TButtonAlignment alignment;
  };
  const Row rows[] = {
      {"header", header.Visible(), header.Height(), header.BorderWidth(), header.ImageIndex(), header.Color(),
       header.ColorTo(), header.BorderColor(), header.GradientDirection(), header.ButtonAlignment()},
      {"footer", footer.Visible(), footer.Height(), footer.BorderWidth(), footer.ImageIndex(), footer.Color(),
       footer.ColorTo(), footer.BorderColor(), footer.GradientDirection(), footer.ButtonAlignment()},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_TRUE(r.visible);
    EXPECT_EQ(r.height, 22);
    EXPECT_EQ(r.borderWidth, 1);
    EXPECT_EQ(r.imageIndex, -1);
    EXPECT_EQ(r.color, TColor(0xC0C0C0));
    EXPECT_EQ(r.colorTo, TColor(0xFFFFFF));
    EXPECT_EQ(r.border, TColor(0));
    EXPECT_EQ(r.direction, gdVertical);
    EXPECT_EQ(r.alignment, baRight);
  }
  EXPECT_TRUE(footer.SizeGrip());
  EXPECT_TRUE(header.Caption().empty());
  EXPECT_EQ(header.Buttons()->Count(), 0);
  EXPECT_EQ(footer.Buttons()->Count(), 0);
}

TEST(DropDownAppearance, OnlyAChangedVisibleRaisesOnChange) {
  THeaderAppearance header(nullptr);
  Counts c;
  Count(header, c);
  header.SetVisible(true);
  EXPECT_EQ(c.change, 0);
  header.SetVisible(false);
  EXPECT_EQ(c.change, 1);
  // Every other property is stored silently.
  header.SetHeight(40);
  header.SetColor(clRed);
  header.SetCaption(u"x");
  header.SetBorderWidth(3);
  EXPECT_EQ(c.change, 1);
  EXPECT_EQ(c.buttons, 0);

  TFooterAppearance footer(nullptr);
  Counts f;
  Count(footer, f);
  footer.SetVisible(true);
  footer.SetVisible(false);
  footer.SetVisible(false);
  EXPECT_EQ(f.change, 1);
}

TEST(DropDownAppearance, ButtonItemNotifications) {
  THeaderAppearance header(nullptr);
  TFooterAppearance footer(nullptr);
  Counts h, f;
  Count(header, h);
  Count(footer, f);
  THeaderButton* hb = header.Buttons()->Add();
  TFooterButton* fb = footer.Buttons()->Add();
  EXPECT_EQ(h.buttons + f.buttons, 0);  // adding raises nothing

  struct Step {
    const char* what;
    std::function<void()> write;
    int headerCalls, footerCalls;
  };
  const Step steps[] = {
      {"height", [&] { hb->SetHeight(30); fb->SetHeight(30); }, 0, 0},
      {"width", [&] { hb->SetWidth(40); fb->SetWidth(40); }, 1, 1},
      {"same width", [&] { hb->SetWidth(40); fb->SetWidth(40); }, 0, 0},
      {"caption", [&] { hb->SetCaption(u"OK"); fb->SetCaption(u"OK"); }, 1, 1},
      {"enabled", [&] { hb->SetEnabled(false); fb->SetEnabled(false); }, 1, 1},
      {"image and modal result", [&] { hb->SetImageIndex(2); fb->SetImageIndex(2); fb->SetModalResult(1); }, 0, 0},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    h = {};
    f = {};
    s.write();
    EXPECT_EQ(h.buttons, s.headerCalls);
    EXPECT_EQ(f.buttons, s.footerCalls);
    EXPECT_EQ(h.change + f.change, 0);
  }
  header.Buttons()->Delete(0);
  footer.Buttons()->Clear();
  EXPECT_EQ(h.buttons + f.buttons, 0);
}

TEST(DropDownAppearance, CollectionSenderAndOwners) {
  TFont owner;  // any persistent object
  THeaderAppearance header(&owner);
  TObject* sender = nullptr;
  header.Buttons()->OnChange = [&sender](TObject* s) { sender = s; };
  header.Buttons()->Add()->SetCaption(u"a");
  EXPECT_EQ(sender, header.Buttons());
  EXPECT_EQ(header.Buttons()->Owner(), &owner);
}

TEST(DropDownAppearance, AssignCopiesEverythingAndRaisesPerChangedItem) {
  TFooterAppearance source(nullptr);
  source.SetColor(clRed);
  source.SetColorTo(clNone);
  source.SetBorderColor(clBlue);
  source.SetCaption(u"Total");
  source.SetHeight(30);
  source.SetVisible(false);
  source.SetSizeGrip(false);
  source.SetImageIndex(3);
  source.SetBorderWidth(2);
  source.SetGradientDirection(gdHorizontal);
  source.SetButtonAlignment(baLeft);
  source.Font()->SetName(u"Courier New");
  TFooterButton* b1 = source.Buttons()->Add();
  b1->SetCaption(u"OK");
  b1->SetModalResult(1);
  source.Buttons()->Add()->SetHeight(5);  // no notifying property differs from a new item's

  TFooterAppearance target(nullptr);
  Counts c;
  Count(target, c);
  target.Assign(&source);
  EXPECT_EQ(c.change, 1);   // Visible went from true to false
  EXPECT_EQ(c.buttons, 1);  // only the first item differs in Caption, Enabled or Width
  EXPECT_EQ(target.Color(), clRed);
  EXPECT_EQ(target.ColorTo(), clNone);
  EXPECT_EQ(target.BorderColor(), clBlue);
  EXPECT_EQ(target.Caption(), u"Total");
  EXPECT_EQ(target.Height(), 30);
  EXPECT_FALSE(target.Visible());
  EXPECT_FALSE(target.SizeGrip());
  EXPECT_EQ(target.ImageIndex(), 3);
  EXPECT_EQ(target.BorderWidth(), 2);
  EXPECT_EQ(target.GradientDirection(), gdHorizontal);
  EXPECT_EQ(target.ButtonAlignment(), baLeft);
  EXPECT_EQ(target.Font()->Name(), u"Courier New");
  ASSERT_EQ(target.Buttons()->Count(), 2);
  EXPECT_EQ(target.Buttons()->Items(0)->Caption(), u"OK");
  EXPECT_EQ(target.Buttons()->Items(0)->ModalResult(), 1);
  EXPECT_EQ(target.Buttons()->Items(1)->Height(), 5);
}

TEST(DropDownAppearance, ForeignSourcesAndConversionError) {
  THeaderAppearance header(nullptr);
  TFooterAppearance footer(nullptr);
  footer.SetCaption(u"foot");
  footer.SetVisible(false);
  Counts c;
  Count(header, c);
  header.Assign(&footer);  // silently nothing
  header.AssignColors(&footer);
  EXPECT_TRUE(header.Caption().empty());
  EXPECT_TRUE(header.Visible());
  EXPECT_EQ(c.change + c.buttons, 0);

  THeaderButton* hb = header.Buttons()->Add();
  TFooterButton* fb = footer.Buttons()->Add();
  EXPECT_THROW(hb->Assign(fb), EConvertError);
  EXPECT_THROW(fb->Assign(hb), EConvertError);
}

TEST(DropDownAppearance, ItemsWriteAssignsIntoTheStoredItem) {
  THeaderAppearance header(nullptr);
  THeaderButton* stored = header.Buttons()->Add();
  THeaderAppearance other(nullptr);
  THeaderButton* given = other.Buttons()->Add();
  given->SetCaption(u"Go");
  given->SetWidth(50);
  header.Buttons()->SetItems(0, given);
  EXPECT_EQ(header.Buttons()->Items(0), stored);
  EXPECT_EQ(stored->Caption(), u"Go");
  EXPECT_EQ(stored->Width(), 50);
  EXPECT_EQ(header.Buttons()->Insert(0)->Index(), 0);
  EXPECT_EQ(stored->Index(), 1);
}

TEST(DropDownAppearance, AssignColorsTouchesColoursFontAndDirectionOnly) {
  THeaderAppearance source(nullptr);
  source.SetColor(clRed);
  source.SetColorTo(clLime);
  source.SetBorderColor(clBlue);
  source.SetGradientDirection(gdHorizontal);
  source.Font()->SetName(u"Arial");
  source.SetCaption(u"src");
  source.SetHeight(40);
  source.SetVisible(false);
  source.SetImageIndex(4);
  source.SetBorderWidth(5);
  source.SetButtonAlignment(baLeft);
  source.Buttons()->Add();

  THeaderAppearance target(nullptr);
  Counts c;
  Count(target, c);
  target.AssignColors(&source);
  EXPECT_EQ(target.Color(), clRed);
  EXPECT_EQ(target.ColorTo(), clLime);
  EXPECT_EQ(target.BorderColor(), clBlue);
  EXPECT_EQ(target.GradientDirection(), gdHorizontal);
  EXPECT_EQ(target.Font()->Name(), u"Arial");
  EXPECT_TRUE(target.Caption().empty());
  EXPECT_EQ(target.Height(), 22);
  EXPECT_TRUE(target.Visible());
  EXPECT_EQ(target.ImageIndex(), -1);
  EXPECT_EQ(target.BorderWidth(), 1);
  EXPECT_EQ(target.ButtonAlignment(), baRight);
  EXPECT_EQ(target.Buttons()->Count(), 0);
  EXPECT_EQ(c.change + c.buttons, 0);

  TFooterAppearance fsource(nullptr), ftarget(nullptr);
  fsource.SetColor(clRed);
  fsource.SetSizeGrip(false);
  fsource.SetHeight(10);
  ftarget.AssignColors(&fsource);
  EXPECT_EQ(ftarget.Color(), clRed);
  EXPECT_TRUE(ftarget.SizeGrip());
  EXPECT_EQ(ftarget.Height(), 22);
}
