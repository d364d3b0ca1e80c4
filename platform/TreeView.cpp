#include "platform/TreeView.h"

#include <algorithm>

namespace {

void CollectShown(const std::vector<std::unique_ptr<TTreeNode>>& Nodes, std::vector<TTreeNode*>& Out);

void CollectChildren(const TTreeNode* Node, std::vector<TTreeNode*>& Out) {
  for (int i = 0; i < Node->Count(); ++i) {
    TTreeNode* c = Node->Item(i);
    Out.push_back(c);
    if (c->Expanded()) CollectChildren(c, Out);
  }
}

int CountAll(const TTreeNode* Node) {
  int n = 1;
  for (int i = 0; i < Node->Count(); ++i) n += CountAll(Node->Item(i));
  return n;
}

bool Contains(const TTreeNode* Ancestor, const TTreeNode* Node) {
  for (const TTreeNode* n = Node; n; n = n->Parent())
    if (n == Ancestor) return true;
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
void TTreeNode::SetText(const String& v) {
  FText = v;
  FOwner->NodesChanged();
}

void TTreeNode::SetExpanded(bool v) {
  if (v == FExpanded) return;
  FExpanded = v;
  // A collapsed branch cannot keep the selection out of sight.
  if (!v && FOwner->Selected() && FOwner->Selected() != this && Contains(this, FOwner->Selected()))
    FOwner->SetSelected(this);
  FOwner->NodesChanged();
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (Recurse)
    for (auto& c : FChildren) c->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  if (Recurse)
    for (auto& c : FChildren) c->Collapse(true);
  SetExpanded(false);
}

bool TTreeNode::Selected() const { return FOwner->Selected() == this; }

bool TTreeNode::IsVisible() const {
  for (const TTreeNode* p = FParent; p; p = p->FParent)
    if (!p->FExpanded) return false;
  return true;
}

// ---------------------------------------------------------------------------------------------
TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const String& S) {
  (void)Sibling;
  return AddChild(nullptr, S);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const String& S) {
  auto node = std::make_unique<TTreeNode>(FOwner, Parent);
  node->FText = S;
  TTreeNode* n = node.get();
  (Parent ? Parent->FChildren : FRoots).push_back(std::move(node));
  if (!FUpdating) FOwner->NodesChanged();
  return n;
}

void TTreeNodes::Clear() {
  FOwner->NodeRemoved(nullptr);
  while (!FRoots.empty()) FRoots.pop_back();
  FOwner->NodesChanged();
}

int TTreeNodes::Count() const {
  int n = 0;
  for (const auto& r : FRoots) n += CountAll(r.get());
  return n;
}

void TTreeNodes::EndUpdate() {
  if (FUpdating > 0 && --FUpdating == 0) FOwner->NodesChanged();
}

// ---------------------------------------------------------------------------------------------
TTreeView::TTreeView(TComponent* AOwner) : TCustomControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)) {
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
  SetTabStop(true);
}

TTreeView::~TTreeView() {
  FSelected = nullptr;
  FItems.reset();
}

void TTreeView::SetImages(TImageList* v) {
  FImages = v;
  Invalidate();
}

int TTreeView::ItemHeight() const {
  // The image height, or a text line's, whichever is taller, plus two.
  return std::max(FImages ? FImages->Height() : 0, 16) + 2;
}

std::vector<TTreeNode*> TTreeView::ShownNodes() const {
  std::vector<TTreeNode*> all;
  for (int i = 0; i < FItems->RootCount(); ++i) {
    TTreeNode* r = FItems->Root(i);
    all.push_back(r);
    if (r->Expanded()) CollectChildren(r, all);
  }
  return all;
}

TRect TTreeView::NodeRect(const TTreeNode* Node) const {
  const std::vector<TTreeNode*> shown = ShownNodes();
  const auto it = std::find(shown.begin(), shown.end(), Node);
  if (it == shown.end()) return {};
  const int row = static_cast<int>(it - shown.begin()) - FTop;
  const int h = ItemHeight();
  return Rect(0, 2 + row * h, ClientWidth(), 2 + (row + 1) * h);
}

TRect TTreeView::ButtonRect(const TTreeNode* Node) const {
  const TRect r = NodeRect(Node);
  if (r.IsEmpty() || !Node->HasChildren()) return {};
  const int cx = 2 + Node->Level() * kIndent + kIndent / 2, cy = (r.Top + r.Bottom) / 2;
  return Rect(cx - 4, cy - 4, cx + 5, cy + 5);
}

TTreeNode* TTreeView::GetNodeAt(int X, int Y) const {
  (void)X;
  if (Y < 2) return nullptr;
  const std::vector<TTreeNode*> shown = ShownNodes();
  const int row = FTop + (Y - 2) / ItemHeight();
  return row >= 0 && row < static_cast<int>(shown.size()) ? shown[static_cast<size_t>(row)] : nullptr;
}

void TTreeView::SetSelected(TTreeNode* Node) {
  if (Node == FSelected) return;
  for (TTreeNode* p = Node ? Node->Parent() : nullptr; p; p = p->Parent()) p->SetExpanded(true);
  FSelected = Node;
  if (Node) ScrollIntoView(Node);
  Invalidate();
  if (OnChange) OnChange(this);
}

void TTreeView::ScrollIntoView(const TTreeNode* Node) {
  const std::vector<TTreeNode*> shown = ShownNodes();
  const auto it = std::find(shown.begin(), shown.end(), Node);
  if (it == shown.end()) return;
  const int row = static_cast<int>(it - shown.begin());
  const int rows = std::max(1, (ClientHeight() - 4) / ItemHeight());
  if (row < FTop) FTop = row;
  if (row >= FTop + rows) FTop = row - rows + 1;
}

void TTreeView::NodesChanged() {
  const int count = static_cast<int>(ShownNodes().size());
  FTop = std::clamp(FTop, 0, std::max(0, count - 1));
  Invalidate();
}

void TTreeView::NodeRemoved(TTreeNode* Node) {
  if (!Node || (FSelected && Contains(Node, FSelected))) FSelected = nullptr;
  if (!Node) FTop = 0;
}

void TTreeView::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  c->IntersectClipRect(r);
  const std::vector<TTreeNode*> shown = ShownNodes();
  const int h = ItemHeight();
  for (size_t i = static_cast<size_t>(FTop); i < shown.size(); ++i) {
    TTreeNode* n = shown[i];
    const TRect row = NodeRect(n);
    if (row.Top >= r.Bottom) break;
    const int x0 = 2 + n->Level() * kIndent;
    // Dotted connectors are left out: the +/- box and the indent show the structure.
    if (n->HasChildren()) {
      const TRect b = ButtonRect(n);
      c->Brush()->SetColor(Color());
      c->Pen()->SetColor(clGray);
      c->Rectangle(b.Left, b.Top, b.Right, b.Bottom);
      c->Pen()->SetColor(clBlack);
      const int cy = (b.Top + b.Bottom) / 2, cx = (b.Left + b.Right) / 2;
      c->MoveTo(b.Left + 2, cy);
      c->LineTo(b.Right - 2, cy);
      if (!n->Expanded()) {
        c->MoveTo(cx, b.Top + 2);
        c->LineTo(cx, b.Bottom - 2);
      }
    }
    int x = x0 + kIndent;
    const int image = n->Selected() && n->SelectedIndex >= 0 ? n->SelectedIndex : n->ImageIndex;
    if (FImages && image >= 0 && image < FImages->Count()) {
      FImages->Draw(c, x, row.Top + (h - FImages->Height()) / 2, image, Enabled());
      x += FImages->Width() + 2;
    }
    TCustomDrawState state;
    if (n->Selected()) state.Include(cdsSelected);
    if (n->Selected() && Focused()) state.Include(cdsFocused);
    c->Font()->Assign(Font());
    c->Brush()->SetColor(n->Selected() ? (Focused() ? clHighlight : clBtnFace) : Color());
    if (n->Selected() && Focused()) c->Font()->SetColor(clHighlightText);
    bool defaultDraw = true;
    if (OnCustomDrawItem) OnCustomDrawItem(this, n, state, defaultDraw);
    if (!defaultDraw) continue;
    const TRect textRect = Rect(x, row.Top, x + c->TextWidth(n->Text()) + 4, row.Bottom);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(textRect);
    c->Brush()->SetStyle(bsClear);
    TRect tr = textRect;
    tr.Left += 2;
    DrawText(c, n->Text(), tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (n->Selected() && Focused()) {
      c->Brush()->SetStyle(bsSolid);
      c->DrawFocusRect(textRect);
    }
  }
}

void TTreeView::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const std::vector<TTreeNode*> shown = ShownNodes();
  if (shown.empty()) return;
  const auto it = std::find(shown.begin(), shown.end(), FSelected);
  const int i = it == shown.end() ? -1 : static_cast<int>(it - shown.begin());
  const int last = static_cast<int>(shown.size()) - 1;
  switch (Key) {
    case VK_UP:
      SetSelected(shown[static_cast<size_t>(std::max(0, i - 1))]);
      break;
    case VK_DOWN:
      SetSelected(shown[static_cast<size_t>(std::min(last, i + 1))]);
      break;
    case VK_HOME:
      SetSelected(shown.front());
      break;
    case VK_END:
      SetSelected(shown.back());
      break;
    case VK_RIGHT:
      if (!FSelected) return;
      if (FSelected->HasChildren() && !FSelected->Expanded())
        FSelected->Expand(false);
      else if (FSelected->HasChildren())
        SetSelected(FSelected->GetFirstChild());
      break;
    case VK_LEFT:
      if (!FSelected) return;
      if (FSelected->Expanded())
        FSelected->Collapse(false);
      else if (FSelected->Parent())
        SetSelected(FSelected->Parent());
      break;
    default:
      return;
  }
  Key = 0;
}

void TTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (CanFocus() && !Focused()) SetFocus();
  TTreeNode* n = GetNodeAt(X, Y);
  if (!n) return;
  const TRect b = ButtonRect(n);
  if (!b.IsEmpty() && X >= b.Left - 2 && X < b.Right + 2) {
    n->SetExpanded(!n->Expanded());
    return;
  }
  if (Shift.Contains(ssDouble) && n->HasChildren()) n->SetExpanded(!n->Expanded());
  SetSelected(n);
}
