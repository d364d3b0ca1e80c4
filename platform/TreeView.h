#pragma once
// The common controls' tree view: nodes with a text, an image and a selected image from an image
// list, expanded or collapsed; one selected node; the text colour of each node open to a custom
// draw handler. Owner-drawn: one row per shown node, indented by level, a +/- button before a
// node with children.
#include <functional>
#include <memory>
#include <vector>

#include "platform/Controls.h"
#include "platform/Graphics.h"

class TTreeView;

class TTreeNode {
 public:
  TTreeNode(TTreeView* Owner, TTreeNode* Parent) : FOwner(Owner), FParent(Parent) {}
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  const String& Text() const { return FText; }
  void SetText(const String& v);
  int ImageIndex = -1;
  int SelectedIndex = -1;
  void* Data = nullptr;

  TTreeView* TreeView() const { return FOwner; }
  TTreeNode* Parent() const { return FParent; }
  int Count() const { return static_cast<int>(FChildren.size()); }
  bool HasChildren() const { return !FChildren.empty(); }
  TTreeNode* Item(int Index) const { return FChildren.at(static_cast<size_t>(Index)).get(); }
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
  // 0 for a root node.
  int Level() const { return FParent ? FParent->Level() + 1 : 0; }
  bool Expanded() const { return FExpanded; }
  void SetExpanded(bool v);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  bool Selected() const;
  // False when a collapsed ancestor hides it.
  bool IsVisible() const;

 private:
  friend class TTreeNodes;
  TTreeView* FOwner;
  TTreeNode* FParent;
  String FText;
  bool FExpanded = false;
  std::vector<std::unique_ptr<TTreeNode>> FChildren;
};

class TTreeNodes {
 public:
  explicit TTreeNodes(TTreeView* Owner) : FOwner(Owner) {}
  // A new last root node (Sibling only tells the level: a root).
  TTreeNode* Add(TTreeNode* Sibling, const String& S);
  // A new last child of Parent (a root when Parent is nullptr).
  TTreeNode* AddChild(TTreeNode* Parent, const String& S);
  void Clear();
  // Every node, shown or not.
  int Count() const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
  int RootCount() const { return static_cast<int>(FRoots.size()); }
  TTreeNode* Root(int Index) const { return FRoots.at(static_cast<size_t>(Index)).get(); }
  void BeginUpdate() { ++FUpdating; }
  void EndUpdate();

 private:
  TTreeView* FOwner;
  std::vector<std::unique_ptr<TTreeNode>> FRoots;
  int FUpdating = 0;
};

enum TCustomDrawStateItem { cdsSelected, cdsFocused, cdsHot };
using TCustomDrawState = TSmallSet<TCustomDrawStateItem>;
// Before a node is drawn: Canvas's font colour may be changed; DefaultDraw false draws nothing.
using TTVCustomDrawItemEvent =
    std::function<void(TTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw)>;

class TTreeView : public TCustomControl {
 public:
  static constexpr int kIndent = 19;  // per level; the +/- button sits in the indent's middle
  explicit TTreeView(TComponent* AOwner);
  ~TTreeView() override;
  String ClassName() const override { return u"TTreeView"; }

  TTreeNodes* Items() const { return FItems.get(); }
  TTreeNode* Selected() const { return FSelected; }
  // Expands the ancestors so that it shows; OnChange when it differs.
  void SetSelected(TTreeNode* Node);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* v);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v) { FReadOnly = v; }
  int ItemHeight() const;
  int TopItem() const { return FTop; }
  // The shown nodes from the top, in order.
  std::vector<TTreeNode*> ShownNodes() const;
  // The shown node at client Y, or nullptr.
  TTreeNode* GetNodeAt(int X, int Y) const;
  // Row rectangle of a shown node, empty when it is not shown.
  TRect NodeRect(const TTreeNode* Node) const;
  // The +/- button of a node with children.
  TRect ButtonRect(const TTreeNode* Node) const;

  TTVCustomDrawItemEvent OnCustomDrawItem;
  TNotifyEvent OnChange;  // the selected node changed

  // Platform internals: the nodes changed (painting and the node pointers kept here).
  void NodesChanged();
  void NodeRemoved(TTreeNode* Node);

 protected:
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  unsigned DialogCode() const override { return DLGC_WANTARROWS; }

 private:
  void ScrollIntoView(const TTreeNode* Node);
  std::unique_ptr<TTreeNodes> FItems;
  TTreeNode* FSelected = nullptr;
  TImageList* FImages = nullptr;
  bool FReadOnly = false;
  int FTop = 0;  // index of the first shown row
};
