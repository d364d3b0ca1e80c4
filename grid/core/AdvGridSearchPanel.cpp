// The search footer: a panel at the grid's bottom with a search edit, find-next, find-previous,
// highlight and close buttons and a match-case check box, and the grid's actions behind them.
#include <mutex>

#include "grid/core/AdvGrid.h"
#include "grid/dropdown/AdvDropDownDraw.h"

namespace {

constexpr TColor kSearchGlyphKey = clFuchsia;  // the transparent colour of the footer's glyphs
constexpr TColor kSearchGlyphInk = 0x404040;
constexpr TColor kSearchGlyphInkDisabled = 0xA0A0A0;
constexpr TColor kSearchGlyphHot = 0x2020C0;
constexpr TColor kSearchGlyphMarker = 0x00E0FF;

TCanvas* SearchGlyphStart(TBitmap* B, int Size) {
  B->SetPixelFormat(pf24bit);  // a bitmap without a format holds no pixels
  B->SetSize(Size, Size);
  TCanvas* c = B->Canvas();
  c->Brush()->SetColor(kSearchGlyphKey);
  c->FillRect(Rect(0, 0, Size, Size));
  return c;
}

// A filled arrow pointing down (Down) or up, in 16 x 16.
void PaintSearchArrow(TBitmap* B, bool Down, TColor Ink) {
  TCanvas* c = SearchGlyphStart(B, 16);
  c->Pen()->SetColor(Ink);
  c->Brush()->SetColor(Ink);
  c->FillRect(Rect(6, Down ? 2 : 7, 10, Down ? 9 : 14));
  for (int i = 0; i < 5; ++i) {
    const int y = Down ? 9 + i : 6 - i;
    c->FillRect(Rect(3 + i, y, 13 - i, y + 1));
  }
}

// A cross of two-pixel strokes in 12 x 12.
void PaintSearchClose(TBitmap* B, TColor Ink) {
  TCanvas* c = SearchGlyphStart(B, 12);
  c->Brush()->SetColor(Ink);
  for (int i = 2; i < 10; ++i) {
    c->FillRect(Rect(i, i, i + 2, i + 1));
    c->FillRect(Rect(10 - i, i, 12 - i, i + 1));
  }
}

// A marker pen over a highlighted stroke in 16 x 16.
void PaintSearchHighlight(TBitmap* B, TColor Ink, TColor Marker) {
  TCanvas* c = SearchGlyphStart(B, 16);
  c->Brush()->SetColor(Marker);
  c->FillRect(Rect(1, 11, 15, 15));
  c->Brush()->SetColor(Ink);
  for (int i = 0; i < 7; ++i) c->FillRect(Rect(6 + i, 8 - i, 9 + i, 9 - i));
}

void RegisterSearchGlyphs() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterBitmapResource(u"ASGARDOWN", [](TBitmap* B) { PaintSearchArrow(B, true, kSearchGlyphInk); });
    RegisterBitmapResource(u"ASGARDOWND", [](TBitmap* B) { PaintSearchArrow(B, true, kSearchGlyphInkDisabled); });
    RegisterBitmapResource(u"ASGARUP", [](TBitmap* B) { PaintSearchArrow(B, false, kSearchGlyphInk); });
    RegisterBitmapResource(u"ASGARUPD", [](TBitmap* B) { PaintSearchArrow(B, false, kSearchGlyphInkDisabled); });
    RegisterBitmapResource(u"ASGCLOSE", [](TBitmap* B) { PaintSearchClose(B, kSearchGlyphInk); });
    RegisterBitmapResource(u"ASGCLOSEH", [](TBitmap* B) { PaintSearchClose(B, kSearchGlyphHot); });
    RegisterBitmapResource(u"ASGCLOSED", [](TBitmap* B) { PaintSearchClose(B, clBlack); });
    RegisterBitmapResource(u"ASGHI", [](TBitmap* B) { PaintSearchHighlight(B, kSearchGlyphInk, kSearchGlyphMarker); });
    RegisterBitmapResource(u"ASGHID", [](TBitmap* B) {
      PaintSearchHighlight(B, kSearchGlyphInkDisabled, kSearchGlyphInkDisabled);
    });
  });
}

void LoadSearchGlyph(TBitmap* Into, const char16_t* Name) {
  RegisterSearchGlyphs();
  TBitmap b;
  b.LoadFromResourceName(Name);
  Into->Assign(&b);
}

void SetSearchHint(TControl* C, const String& Hint) {
  C->SetHint(Hint);
  C->SetShowHint(!Hint.empty());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TRetEdit

void TRetEdit::KeyPress(Char& Key) {
  if (Key == 13 || Key == 10) {
    const bool ctrl = Key == 10 || GetKeyState(VK_CONTROL) < 0;
    Key = 0;  // the edit is single-line text: line breaks never enter it
    if (ctrl) {
      if (OnCtrlReturn) OnCtrlReturn(this);
    } else if (OnReturn) {
      OnReturn(this);
    }
    return;
  }
  TEdit::KeyPress(Key);
}

// ---------------------------------------------------------------------------------------------
// TSearchPanel

TSearchPanel::TSearchPanel(TComponent* AOwner) : TPanel(AOwner), FGrid(dynamic_cast<TAdvStringGrid*>(AOwner)) {
  SetBevelOuter(bvNone);
  SetShowCaption(false);
  FEditControl = new TRetEdit(this);
  FForwardButton = new TAdvGridButton(this);
  FBackwardButton = new TAdvGridButton(this);
  FExitButton = new TAdvGridButton(this);
  FHiliteButton = new TAdvGridButton(this);
  FMatchCase = new TAdvCheckBox(this);
  LoadSearchGlyph(FForwardButton->Glyph(), u"ASGARDOWN");
  LoadSearchGlyph(FForwardButton->GlyphDisabled(), u"ASGARDOWND");
  LoadSearchGlyph(FBackwardButton->Glyph(), u"ASGARUP");
  LoadSearchGlyph(FBackwardButton->GlyphDisabled(), u"ASGARUPD");
  LoadSearchGlyph(FExitButton->Glyph(), u"ASGCLOSE");
  LoadSearchGlyph(FExitButton->GlyphHot(), u"ASGCLOSEH");
  LoadSearchGlyph(FExitButton->GlyphDown(), u"ASGCLOSED");
  LoadSearchGlyph(FHiliteButton->Glyph(), u"ASGHI");
  LoadSearchGlyph(FHiliteButton->GlyphDisabled(), u"ASGHID");
  FHiliteButton->SetStyle(tasCheck);
  FHiliteButton->SetAllowAllUp(true);
  FHiliteButton->SetGroupIndex(1);
  for (TAdvGridButton* b : {FForwardButton, FBackwardButton, FHiliteButton}) b->SetEnabled(false);
  FMatchCase->SetTransparent(true);
  FEditControl->OnReturn = [this](TObject*) {
    if (OnForwardClick) OnForwardClick(this);
  };
  FEditControl->OnCtrlReturn = [this](TObject*) {
    if (OnBackwardClick) OnBackwardClick(this);
  };
  FEditControl->OnChange = [this](TObject*) { EditChanged(); };
  FForwardButton->OnClick = [this](TObject*) {
    if (OnForwardClick) OnForwardClick(this);
  };
  FBackwardButton->OnClick = [this](TObject*) {
    if (OnBackwardClick) OnBackwardClick(this);
  };
  FExitButton->OnClick = [this](TObject*) {
    if (OnExitClick) OnExitClick(this);
  };
  FHiliteButton->OnClick = [this](TObject*) {
    if (OnHighlightClick) OnHighlightClick(this);
  };
}

void TSearchPanel::EditChanged() {
  const bool any = !FEditControl->GetText().empty();
  for (TAdvGridButton* b : {FForwardButton, FBackwardButton, FHiliteButton}) b->SetEnabled(any);
  if (OnEditChange) OnEditChange(this);
}

void TSearchPanel::SetColorTo(TColor v) {
  if (FColorTo == v) return;
  FColorTo = v;
  Invalidate();
}

void TSearchPanel::PlaceControls() {
  // The controls join the panel only once it sits in the grid: a parent makes a window.
  if (!Parent()) return;
  const bool rtl = FGrid && FGrid->UseRightToLeftAlignment();
  auto place = [&](TControl* C, int Left, int Top, int W, int H) {
    if (C->Parent() != this) C->SetParent(this);
    C->SetBounds(rtl ? Width() - W - Left : Left, Top, W, H);
  };
  place(FEditControl, 25, 6, 110, FEditControl->Height());
  place(FForwardButton, 140, 5, 90, FForwardButton->Visible() ? 23 : 0);
  place(FBackwardButton, 235, 5, 90, FBackwardButton->Visible() ? 23 : 0);
  place(FExitButton, 5, 7, 14, 14);
  place(FHiliteButton, 330, 5, 90, FHiliteButton->Visible() ? 23 : 0);
  place(FMatchCase, FHiliteButton->Visible() ? 425 : 330, 8, 100, FMatchCase->Visible() ? 18 : 0);
}

void TSearchPanel::ApplyTexts() {
  FForwardButton->SetCaption(FindNextCaption);
  FBackwardButton->SetCaption(FindPrevCaption);
  FHiliteButton->SetCaption(HighLightCaption);
  FMatchCase->SetCaption(MatchCaseCaption);
  SetSearchHint(FForwardButton, HintFindNext);
  SetSearchHint(FBackwardButton, HintFindPrev);
  SetSearchHint(FExitButton, HintClose);
  SetSearchHint(FHiliteButton, HintHighlight);
}

void TSearchPanel::Resize() {
  TPanel::Resize();
  PlaceControls();
}

void TSearchPanel::Paint() {
  TCanvas* c = Canvas();
  const TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  if (FColorTo != clNone) {
    DrawGradient(c, Color(), FColorTo, 32, r, false);
  } else {
    c->Brush()->SetColor(Color());
    c->FillRect(r);
  }
  c->Pen()->SetColor(FGrid ? FGrid->GridLineColor() : clSilver);
  c->MoveTo(r.Left, r.Top);
  c->LineTo(r.Right, r.Top);
}

// ---------------------------------------------------------------------------------------------
// The grid's side

void TAdvStringGrid::UpdateSearchPanel() {
  if (Loading() || !FSearchPanel) return;
  TSearchPanel* p = FSearchPanel;
  TSearchFooter* f = FSearchFooter.get();
  if ((p->HiliteButton()->Down() && p->Visible() && !f->Visible()) || f->AlwaysHighLight()) SearchFooterUnHighlight();
  p->SetColor(f->Color());
  p->SetColorTo(f->ColorTo());
  p->FindNextCaption = f->FindNextCaption();
  p->FindPrevCaption = f->FindPrevCaption();
  p->MatchCaseCaption = f->MatchCaseCaption();
  p->HighLightCaption = f->HighLightCaption();
  p->HintFindNext = f->HintFindNext();
  p->HintFindPrev = f->HintFindPrev();
  p->HintClose = f->HintClose();
  p->HintHighlight = f->HintHighlight();
  p->ApplyTexts();
  p->Font()->Assign(f->Font());
  const TControlLookStyle style = FControlLook->ControlStyle();
  for (TAdvGridButton* b : {p->ForwardButton(), p->BackwardButton(), p->HiliteButton()}) {
    if (f->AutoThemeAdapt()) {
      b->SetAutoThemeAdapt(true);
      b->SetFlat(true);
    } else {
      b->SetAutoThemeAdapt(false);
      b->SetFlat(style == csFlat);
    }
  }
  p->HiliteButton()->SetVisible(f->ShowHighLight());
  p->ExitButton()->SetVisible(f->ShowClose());
  p->MatchCase()->SetVisible(f->ShowMatchCase());
  p->MatchCase()->SetTransparent(true);
  p->BackwardButton()->SetVisible(f->ShowFindPrev());
  p->ForwardButton()->SetVisible(f->ShowFindNext());
  p->SetVisible(f->Visible());
  p->SetHeight(f->Visible() ? TSearchPanel::kPanelHeight : 0);
  p->PlaceControls();
  if (!p->OnForwardClick) {
    p->OnForwardClick = [this](TObject*) { SearchFooterForward(); };
    p->OnBackwardClick = [this](TObject*) { SearchFooterBackward(); };
    p->OnEditChange = [this](TObject*) { SearchFooterEditChange(); };
    p->OnExitClick = [this](TObject*) { SearchFooterExit(); };
    p->OnHighlightClick = [this](TObject*) { SearchFooterHighlight(); };
  }
  if (f->Visible()) AdjustTopRowForSearchFooter();
}

TFindParams TAdvStringGrid::SearchFooterParams(bool Backward, bool Forward) {
  TSearchFooter* f = FSearchFooter.get();
  TFindParams p{fnAutoGoto};
  if (Backward) p = p + fnBackward;
  if (FSearchPanel->HiliteButton()->Down()) p = p + fnIgnoreHTMLTags;
  if (FSearchPanel->MatchCase()->Checked()) p = p + fnMatchCase;
  if (f->SearchActiveColumnOnly()) p = p + fnFindInCurrentCol;
  if (f->SearchMatchStart()) p = p + fnMatchStart;
  const bool edit = !Backward && !Forward;
  if (edit && f->SearchFixedCells()) p = p + fnIncludeFixed;
  if (edit && f->SearchHiddenRows()) p = p + fnIncludeHiddenRows;
  if (!Backward && f->SearchDirection() == sdLeftRight) p = p + fnDirectionLeftRight;
  if (f->SearchColumn() >= 0 && f->SearchColumn() < ColCount()) {
    p = p + fnFindInPresetCol;
    FFindCol = f->SearchColumn();
  }
  return p;
}

void TAdvStringGrid::SearchFooterHighlightText(const String& Text) {
  const bool doCase = FSearchPanel->MatchCase()->Checked();
  if (FSearchFooter->SearchColumn() != -1)
    HilightInCol(false, doCase, FSearchFooter->SearchColumn(), Text);
  else
    HilightInGrid(false, doCase, Text);
}

void TAdvStringGrid::SearchFooterUnHighlight() {
  if (FSearchFooter->SearchColumn() != -1)
    UnHilightInCol(false, FSearchFooter->SearchColumn());
  else
    UnHilightInGrid(false);
}

void TAdvStringGrid::SearchFooterEditChange() {
  TRetEdit* edit = FSearchPanel->EditControl();
  const String text = edit->GetText();
  bool defaultSearch = true;
  if (OnSearchEditChange) OnSearchEditChange(this, text, defaultSearch);
  if (!defaultSearch || !FSearchFooter->AutoSearch()) return;
  const bool down = FSearchPanel->HiliteButton()->Down();
  const bool highlight = down || FSearchFooter->AlwaysHighLight();
  if (highlight) SearchFooterUnHighlight();
  if (text.empty()) {
    edit->SetColor(clWindow);
    if (down) SearchFooterUnHighlight();
    return;
  }
  FSearchCell = Find(TPoint(-1, -1), text, SearchFooterParams(false, false));
  DoSearchFooterAction(text, FSearchCell.X, FSearchCell.Y, saFindFirst);
  if (FSearchCell.X < 0) {
    edit->SetColor(clRed);
    return;
  }
  edit->SetColor(clWindow);
  if (FSearchCell.Y < RowCount()) ScrollInView(FSearchCell.X, FSearchCell.Y);
  if (highlight) SearchFooterHighlightText(text);
}

// Find next (previous with Backward) from the last result.
void TAdvStringGrid::SearchFooterStep(bool Backward) {
  const String text = FSearchPanel->EditControl()->GetText();
  const TFindParams p = SearchFooterParams(Backward, !Backward);
  if (!FSearchFooter->AutoSearch()) {
    if (text != FSearchFooter->LastSearch) FSearchCell = TPoint(-1, -1);
    FSearchFooter->LastSearch = text;
  }
  FSearchCell = Find(FSearchCell, text, p);
  const bool found = FSearchCell.X >= 0;
  if (found && !Backward) ScrollInView(FSearchCell.X, FSearchCell.Y);
  // Keeps the found row off the bottom edge (and the floating footer).
  const bool floating = FFloatingFooter->Visible();
  if (Row() > TopRow() + VisibleRowCount() + (floating ? 0 : 1) - 3 &&
      RowCount() > VisibleRowCount() + FixedRows() + (floating ? 1 : 0))
    SetTopRow(TopRow() + 2);
  if (found && Backward) ScrollInView(FSearchCell.X, FSearchCell.Y);
  DoSearchFooterAction(text, FSearchCell.X, FSearchCell.Y, Backward ? saFindPrevious : saFindNext);
  FSearchPanel->Invalidate();
}

void TAdvStringGrid::SearchFooterForward() { SearchFooterStep(false); }

void TAdvStringGrid::SearchFooterBackward() { SearchFooterStep(true); }

void TAdvStringGrid::SearchFooterHighlight() {
  if (FSearchPanel->HiliteButton()->Down())
    SearchFooterHighlightText(FSearchPanel->EditControl()->GetText());
  else
    SearchFooterUnHighlight();
}

void TAdvStringGrid::SearchFooterExit() {
  if (OnSearchFooterClose) OnSearchFooterClose(this);
  FSearchFooter->SetVisible(false);
}
