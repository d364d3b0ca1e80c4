#pragma once
// Undo and redo of one base grid's cell texts, one change or one sequence of changes at a time.
#include <functional>

#include "platform/Classes.h"

class TBaseGrid;

class TUndoRedoItem : public TCollectionItem {
 public:
  explicit TUndoRedoItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
  String ClassName() const override { return u"TUndoRedoItem"; }
  int Row() const { return FRow; }
  void SetRow(int v) { FRow = v; }
  int Col() const { return FCol; }
  void SetCol(int v) { FCol = v; }
  const String& Value() const { return FValue; }
  void SetValue(const String& v) { FValue = v; }
  const String& OrigValue() const { return FOrigValue; }
  void SetOrigValue(const String& v) { FOrigValue = v; }
  bool SequenceStart() const { return FSequenceStart; }
  void SetSequenceStart(bool v) { FSequenceStart = v; }
  bool SequenceStop() const { return FSequenceStop; }
  void SetSequenceStop(bool v) { FSequenceStop = v; }
  bool IsMarker() const { return FSequenceStart || FSequenceStop; }

 private:
  int FRow = -1;
  int FCol = -1;
  String FValue;
  String FOrigValue;
  bool FSequenceStart = false;
  bool FSequenceStop = false;
};

class TUndoRedoCollection : public TCollection {
 public:
  TUndoRedoCollection();
  String ClassName() const override { return u"TUndoRedoCollection"; }
  TUndoRedoItem* Item(int Index) const { return static_cast<TUndoRedoItem*>(Items(Index)); }
};

using TAdvGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, int Col, int Row,
                                                 const String& OrigValue, const String& NewValue)>;

// Level entries (0 .. Level - 1) are in effect; the ones above are undone and can be redone until
// a new change is registered, which drops them.
class TAdvGridUndoRedo : public TComponent {
 public:
  explicit TAdvGridUndoRedo(TComponent* AOwner);
  ~TAdvGridUndoRedo() override;
  String ClassName() const override { return u"TAdvGridUndoRedo"; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

  virtual void RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue);
  virtual void StartSequence();
  virtual void StopSequence();
  void Undo();
  void Redo();
  void Reset();
  bool CanUndo() const { return FLevel > 0; }
  bool CanRedo() const { return FLevel < FItems->Count(); }

  TUndoRedoCollection* Items() const { return FItems; }
  // Copies the entries of another history; the level moves to the end.
  void SetItems(TUndoRedoCollection* Value);
  TBaseGrid* Grid() const { return FGrid; }
  void SetGrid(TBaseGrid* Value);
  int Level() const { return FLevel; }
  // Kept within 0 .. the number of entries.
  void SetLevel(int Value);
  int MaxLevel() const { return FMaxLevel; }
  void SetMaxLevel(int Value) { FMaxLevel = Value < 0 ? 0 : Value; }

  TAdvGridUndoRedoEvent OnUndo;
  TAdvGridUndoRedoEvent OnRedo;

 private:
  TUndoRedoItem* Append();
  void DropUndone();
  void UndoEntry(TUndoRedoItem* e);
  void RedoEntry(TUndoRedoItem* e);

  TUndoRedoCollection* FItems = nullptr;
  TBaseGrid* FGrid = nullptr;
  int FLevel = 0;
  int FMaxLevel = 0;
};
