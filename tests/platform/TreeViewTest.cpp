// The tree view: nodes, expansion, selection by mouse and keys, images and custom-drawn text colour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Forms.h"
#include "platform/TreeView.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"

namespace {

std::vector<std::string> Texts(const std::vector<TTreeNode*>& Nodes) {
  std::vector<std::string> v;
  for (TTreeNode* n : Nodes) v.push_back(StringToUtf8(n->Text()));
  return v;
}

struct TreeForm {
  ModalScript script;
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  TTreeView* tree = nullptr;
  TTreeNode *root = nullptr, *a = nullptr, *a1 = nullptr, *b = nullptr;
  TreeForm() {
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    tree = New<TTreeView>(form);
    tree->SetParent(form);
    tree->SetBounds(10, 10, 200, 150);
    root = tree->Items()->Add(nullptr, u"root");
    a = tree->Items()->AddChild(root, u"a");
    a1 = tree->Items()->AddChild(a, u"a1");
    b = tree->Items()->AddChild(root, u"b");
    form->Show();
  }
  ~TreeForm() { delete form; }
};

TEST(TreeView, ExpansionDecidesTheShownNodes) {
  TreeForm t;
  EXPECT_EQ(t.tree->Items()->Count(), 4);
  EXPECT_EQ(Texts(t.tree->ShownNodes()), (std::vector<std::string>{"root"}));
  t.root->Expand(false);
  EXPECT_EQ(Texts(t.tree->ShownNodes()), (std::vector<std::string>{"root", "a", "b"}));
  t.root->Expand(true);
  EXPECT_EQ(Texts(t.tree->ShownNodes()), (std::vector<std::string>{"root", "a", "a1", "b"}));
  EXPECT_EQ(t.a1->Level(), 2);
  EXPECT_FALSE(t.tree->ButtonRect(t.a).IsEmpty());
  EXPECT_TRUE(t.tree->ButtonRect(t.b).IsEmpty());  // no children, no button
  // Selecting a hidden node shows it; collapsing its branch moves the selection up.
  t.root->Collapse(true);
  t.tree->SetSelected(t.a1);
  EXPECT_TRUE(t.a1->IsVisible());
  t.a->Collapse(false);
  EXPECT_EQ(t.tree->Selected(), t.a);
  t.tree->Items()->Clear();
  EXPECT_EQ(t.tree->Selected(), nullptr);
  EXPECT_TRUE(t.tree->ShownNodes().empty());
}

TEST(TreeView, MouseAndKeysSelectAndExpand) {
  TreeForm t;
  int changes = 0, clicks = 0;
  t.tree->OnChange = [&](TObject*) { ++changes; };
  t.tree->OnClick = [&](TObject*) { ++clicks; };
  const TRect rb = t.tree->ButtonRect(t.root);
  t.driver.Click(t.tree, (rb.Left + rb.Right) / 2, (rb.Top + rb.Bottom) / 2);  // the +/- box
  EXPECT_TRUE(t.root->Expanded());
  EXPECT_EQ(t.tree->Selected(), nullptr);
  const TRect ra = t.tree->NodeRect(t.a);
  t.driver.Click(t.tree, 80, (ra.Top + ra.Bottom) / 2);
  EXPECT_EQ(t.tree->Selected(), t.a);
  EXPECT_EQ(changes, 1);
  EXPECT_GE(clicks, 1);
  EXPECT_TRUE(t.tree->Focused());
  t.driver.Key(t.form, VK_RIGHT);  // expands
  EXPECT_TRUE(t.a->Expanded());
  t.driver.Key(t.form, VK_RIGHT);  // into the first child
  EXPECT_EQ(t.tree->Selected(), t.a1);
  t.driver.Key(t.form, VK_DOWN);
  EXPECT_EQ(t.tree->Selected(), t.b);
  t.driver.Key(t.form, VK_HOME);
  EXPECT_EQ(t.tree->Selected(), t.root);
  t.driver.Key(t.form, VK_LEFT);  // collapses
  EXPECT_FALSE(t.root->Expanded());
  EXPECT_EQ(changes, 4);
}

TEST(TreeView, ImagesAndTheCustomDrawnTextColourArePainted) {
  TreeForm t;
  TImageList images;
  std::unique_ptr<TBitmap> strip = PatternBitmap(32, 16, {});
  strip->Canvas()->Brush()->SetColor(clLime);
  strip->Canvas()->FillRect(Rect(0, 0, 16, 16));
  strip->Canvas()->Brush()->SetColor(clFuchsia);
  strip->Canvas()->FillRect(Rect(16, 0, 32, 16));
  images.Add(strip.get(), nullptr);
  t.tree->SetImages(&images);
  t.root->ImageIndex = 0;
  t.root->SelectedIndex = 1;
  t.root->Expand(false);
  t.tree->OnCustomDrawItem = [&](TTreeView* Sender, TTreeNode* Node, TCustomDrawState, bool&) {
    if (Node == t.a) Sender->Canvas()->Font()->SetColor(clBlue);
  };
  auto colours = [&](TTreeNode* n) {
    std::unique_ptr<TBitmap> shot = PaintToBitmap(t.form);
    TRect r = t.tree->NodeRect(n);
    const TRect at = PaintedRect(t.tree, t.form);
    OffsetRect(r, at.Left, at.Top);
    return BitmapColors(shot.get(), r);
  };
  EXPECT_GT(colours(t.root).count(clLime), 0u);
  EXPECT_EQ(colours(t.root).count(clFuchsia), 0u);
  EXPECT_GT(colours(t.a).count(clBlue), 0u);  // its text, in the handler's colour
  EXPECT_EQ(colours(t.b).count(clBlue), 0u);
  t.tree->SetSelected(t.root);
  EXPECT_GT(colours(t.root).count(clFuchsia), 0u);  // the selected image
}

}  // namespace
