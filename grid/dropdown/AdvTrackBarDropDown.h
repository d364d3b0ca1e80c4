#pragma once
// A drop-down edit of an integer: its popup holds a track bar; the arrow keys and a sideways drag
// over the edit step the value too.
#include "grid/dropdown/AdvDropDown.h"
#include "platform/ComCtrls.h"

class TAdvTrackBarDropDown : public TAdvCustomDropDown {
 public:
  explicit TAdvTrackBarDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TAdvTrackBarDropDown"; }

  int Max() const { return FMax; }
  void SetMax(int Value);
  int Min() const { return FMin; }
  void SetMin(int Value);
  int Frequency() const { return FFrequency; }
  void SetFrequency(int Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  TTrackBar* TrackBar() const { return FTrackBar; }

  TNotifyEvent OnTrackChange;

  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void WndProc(TMessage& Message) override;

 protected:
  void Change() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void TrackChanged();

  TTrackBar* FTrackBar = nullptr;  // owned by the popup form
  int FMin = 0;
  int FFrequency = 1;
  int FPageSize = 2;
  int FMax = 10;
  int FPosition = 0;
  bool FMouseDragging = false;
  int FLastMouseX = 0;
};
