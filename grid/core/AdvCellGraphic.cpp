#include "grid/core/AdvCellGraphic.h"

#include <algorithm>
#include <cmath>

TCellGraphic::~TCellGraphic() {
  switch (FCellType) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
      if (FCellCreated) delete FCellBitmap;
      break;
    case ctImages:
    case ctBalloon:
      delete FCellBitmap;
      break;
    case ctIcon:
      if (FCellCreated) delete FCellIcon;
      break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
      // A balloon's text list hangs on the box; it is freed here only, never by the remover.
      if (FCellAngle == 1) delete FCellBitmap;
      break;
    default:
      break;
  }
}

void TCellGraphic::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCellGraphic*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  if (s == this) return;
  FCellType = s->FCellType;
  FCellVAlign = s->FCellVAlign;
  FCellHAlign = s->FCellHAlign;
  FCellIndex = s->FCellIndex;
  FCellTransparent = s->FCellTransparent;
  FCellValue = s->FCellValue;
  FCellAngle = s->FCellAngle;
  FCellBoolean = s->FCellBoolean;
  FCellErrFrom = s->FCellErrFrom;
  FCellErrLen = s->FCellErrLen;
  FCellText = s->FCellText;
  FCellCreated = s->FCellCreated;
  // Colours are values, not held objects: they travel with the copy.
  FCellBitmapColor = s->FCellBitmapColor;
  FCellIconColor = s->FCellIconColor;
}

void TCellGraphic::Place(TCellType Type, TCellHAlign hal, TCellVAlign val) {
  FCellType = Type;
  FCellHAlign = hal;
  FCellVAlign = val;
}

void TCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val) {
  FCellBitmap = ABmp;
  FCellTransparent = Transparent;
  Place(ctBitmap, hal, val);
}

void TCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                              TCellHAlign hal, TCellVAlign val) {
  PlacePicture(ctPicture, APicture, Transparent, StretchMode, Padding, hal, val);
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                                  TCellHAlign hal, TCellVAlign val) {
  PlacePicture(ctFilePicture, APicture, Transparent, StretchMode, Padding, hal, val);
}

void TCellGraphic::PlacePicture(TCellType Type, TObject* APicture, bool Transparent, TStretchMode StretchMode,
                                int Padding, TCellHAlign hal, TCellVAlign val) {
  FCellBitmap = APicture;
  FCellTransparent = Transparent;
  FCellAngle = StretchMode;
  FCellIndex = Padding;
  Place(Type, hal, val);
}

void TCellGraphic::SetIcon(TIcon* AIcon, TCellHAlign hal, TCellVAlign val) {
  FCellIcon = AIcon;
  Place(ctIcon, hal, val);
}

void TCellGraphic::SetImageIdx(int Idx, TCellHAlign hal, TCellVAlign val) {
  FCellIndex = Idx;
  Place(ctImageList, hal, val);
}

void TCellGraphic::SetDataImage(int Idx, TCellHAlign hal, TCellVAlign val) {
  FCellIndex = Idx;
  Place(ctDataImage, hal, val);
}

void TCellGraphic::SetMultiImage(int Col, int Row, bool Dir, TCellHAlign hal, TCellVAlign val,
                                 TImageChangeEvent Notifier) {
  auto* list = new TIntList(Col, Row);
  list->OnChange = std::move(Notifier);
  FCellBitmap = list;
  FCellBoolean = !Dir;
  FCellCreated = true;
  Place(ctImages, hal, val);
}

void TCellGraphic::SetButton(int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val) {
  FCellIndex = static_cast<int>((static_cast<uint32_t>(bh) << 16) | (static_cast<uint32_t>(bw) & 0xFFFF));
  FCellText = Caption;
  FCellBoolean = false;
  Place(ctButton, hal, val);
}

void TCellGraphic::SetBitButton(int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                                TCellVAlign val) {
  SetButton(bw, bh, Caption, hal, val);
  FCellBitmap = Glyph;
  FCellType = ctBitButton;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val) {
  FCellBoolean = Value;
  FCellAngle = 0;
  FCellTransparent = Flat;
  Place(Data ? ctDataCheckBox : ctCheckBox, hal, val);
}

void TCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val) {
  FCellCheckBoxState = Value;
  FCellBoolean = false;
  FCellTransparent = Flat;
  Place(ctTriStateCheckBox, hal, val);
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val) {
  FCellBoolean = Value;
  FCellAngle = 0;
  FCellTransparent = Flat;
  Place(ctRadioButton, hal, val);
}

void TCellGraphic::SetInterfacedCell(TObject* AObject) {
  FCellBitmap = AObject;
  FCellType = ctInterface;
}

void TCellGraphic::SetAngle(int AAngle) {
  while (AAngle < 0) AAngle += 360;
  while (AAngle > 360) AAngle -= 360;
  FCellAngle = AAngle;
  FCellType = ctRotated;
}

void TCellGraphic::GetPictureSize(int cw, int rh, bool HasText, TPoint& Size) const {
  (void)HasText;  // the area is the same with or without text
  int pw = 0, ph = 0;
  if (FCellType == ctPicture) {
    auto* p = dynamic_cast<TPicture*>(FCellBitmap);
    if (!p) return;
    pw = p->Width();
    ph = p->Height();
  } else if (FCellType == ctFilePicture) {
    auto* p = dynamic_cast<TFilePicture*>(FCellBitmap);
    if (!p) return;
    pw = p->Width();
    ph = p->Height();
  } else {
    return;
  }
  const int aw = cw - FCellIndex, ah = rh - FCellIndex;
  auto aspect = [&](bool Cap) {
    double wr = pw > 0 ? static_cast<double>(aw) / pw : 1.0;
    double hr = ph > 0 ? static_cast<double>(ah) / ph : 1.0;
    if (Cap) {
      wr = std::min(wr, 1.0);
      hr = std::min(hr, 1.0);
    }
    if (wr >= hr)
      Size = TPoint(static_cast<int>(std::lround(pw * hr)), ah);
    else
      Size = TPoint(aw, static_cast<int>(std::lround(ph * wr)));
  };
  const bool fits = aw >= pw && ah >= ph;
  switch (static_cast<TStretchMode>(FCellAngle)) {
    case noStretch:
      Size = TPoint(pw, ph);
      break;
    case Stretch:
      Size = TPoint(aw, ah);
      break;
    case StretchWithAspectRatio:
      aspect(false);
      break;
    case Shrink:
      Size = fits ? TPoint(pw, ph) : TPoint(aw, ah);
      break;
    case ShrinkWithAspectRatio:
      if (fits)
        Size = TPoint(pw, ph);
      else
        aspect(true);
      break;
  }
}
