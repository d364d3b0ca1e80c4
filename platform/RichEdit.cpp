// The rich edit: its text document, the character format calls, rendering into a canvas, the
// size it asks for, and its lines' RTF streams.
#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/ComCtrls.h"
#include "platform/qt/ControlBackend.h"

namespace {

// What a character format holds beyond Qt's own properties: the exact size and offset, so that
// they come back as they were set.
constexpr int kRichHalfPointsProperty = QTextFormat::UserProperty + 48;
constexpr int kRichOffsetProperty = QTextFormat::UserProperty + 49;

QString RichQ(const String& s) { return QString::fromStdU16String(s); }
String RichS(const QString& q) { return String(reinterpret_cast<const char16_t*>(q.utf16()), static_cast<size_t>(q.size())); }

QColor RichQColor(TColor c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

QTextCharFormat RichToQt(const TRichCharFormat& f) {
  QTextCharFormat q;
  q.setFontFamilies(QStringList{RichQ(f.FontName)});
  q.setFontPointSize(f.HalfPoints / 2.0);
  q.setProperty(kRichHalfPointsProperty, f.HalfPoints);
  q.setFontWeight(f.Bold ? QFont::Bold : QFont::Normal);
  q.setFontItalic(f.Italic);
  q.setFontUnderline(f.Underline);
  q.setFontStrikeOut(f.Strike);
  if (f.Color != clNone) q.setForeground(RichQColor(f.Color));
  if (f.BackColor != clNone) q.setBackground(RichQColor(f.BackColor));
  q.setProperty(kRichOffsetProperty, f.OffsetTwips);
  if (f.Script == rsSuperscript) q.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
  if (f.Script == rsSubscript) q.setVerticalAlignment(QTextCharFormat::AlignSubScript);
  // The offset in percent of the font height (a point is 20 twips).
  if (f.OffsetTwips != 0 && f.HalfPoints > 0) q.setBaselineOffset(100.0 * f.OffsetTwips / (f.HalfPoints * 10.0));
  return q;
}

TColor RichColorOf(const QTextCharFormat& q, int property) {
  if (!q.hasProperty(property)) return clNone;
  const QBrush b = q.brushProperty(property);
  if (b.style() == Qt::NoBrush) return clNone;
  const QColor c = b.color();
  return RGB(c.red(), c.green(), c.blue());
}

TRichCharFormat RichFromQt(const QTextCharFormat& q, const TRichCharFormat& Default) {
  TRichCharFormat f;
  const QStringList families = q.fontFamilies().toStringList();
  f.FontName = families.isEmpty() || families[0].isEmpty() ? Default.FontName : RichS(families[0]);
  f.HalfPoints = q.hasProperty(kRichHalfPointsProperty) ? q.intProperty(kRichHalfPointsProperty)
                 : q.fontPointSize() > 0                ? static_cast<int>(std::lround(q.fontPointSize() * 2))
                                                        : Default.HalfPoints;
  f.Bold = q.hasProperty(QTextFormat::FontWeight) ? q.fontWeight() >= QFont::DemiBold : Default.Bold;
  f.Italic = q.fontItalic();
  f.Underline = q.fontUnderline();
  f.Strike = q.fontStrikeOut();
  f.Color = RichColorOf(q, QTextFormat::ForegroundBrush);
  f.BackColor = RichColorOf(q, QTextFormat::BackgroundBrush);
  f.OffsetTwips = q.intProperty(kRichOffsetProperty);
  f.Script = q.verticalAlignment() == QTextCharFormat::AlignSuperScript ? rsSuperscript
             : q.verticalAlignment() == QTextCharFormat::AlignSubScript ? rsSubscript
                                                                         : rsNone;
  return f;
}

// Paragraph ends and line breaks of document text as CR LF.
String RichCrLf(const QString& raw) {
  String out;
  out.reserve(static_cast<size_t>(raw.size()));
  for (QChar ch : raw) {
    const Char c = ch.unicode();
    if (c == kRichParagraph || c == kRichLineBreak)
      out += u"\r\n";
    else
      out += c;
  }
  return out;
}

// A stretch of equally formatted characters: [Start, Start + Length).
struct TRichPiece {
  int Start;
  int Length;
  QTextCharFormat Format;
};

// The formatted stretches of [From, To), paragraph ends included (a paragraph end carries the
// format of the paragraph it starts).
std::vector<TRichPiece> RichPieces(const QTextDocument& d, int From, int To) {
  std::vector<TRichPiece> out;
  for (QTextBlock b = d.findBlock(From); b.isValid() && b.position() < To; b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment fr = it.fragment();
      const int s = std::max(From, fr.position()), e = std::min(To, fr.position() + fr.length());
      if (s < e) out.push_back(TRichPiece{s, e - s, fr.charFormat()});
    }
    const int end = b.position() + b.length() - 1;
    if (b.next().isValid() && end >= From && end < To) out.push_back(TRichPiece{end, 1, b.next().charFormat()});
  }
  return out;
}

void RichApplyMask(TRichCharFormat& f, const TCharFormat2& m) {
  if (m.Mask & CFM_BOLD) f.Bold = m.Effects & CFE_BOLD;
  if (m.Mask & CFM_ITALIC) f.Italic = m.Effects & CFE_ITALIC;
  if (m.Mask & CFM_UNDERLINE) f.Underline = m.Effects & CFE_UNDERLINE;
  if (m.Mask & CFM_STRIKEOUT) f.Strike = m.Effects & CFE_STRIKEOUT;
  if (m.Mask & CFM_SIZE && m.Height > 0) f.HalfPoints = std::clamp(m.Height / 10, 1, 3276);
  if (m.Mask & CFM_FACE && !m.FaceName.empty()) f.FontName = m.FaceName;
  if (m.Mask & CFM_COLOR) f.Color = (m.Effects & CFE_AUTOCOLOR) ? clNone : ColorToRGB(m.TextColor);
  if (m.Mask & CFM_BACKCOLOR) f.BackColor = (m.Effects & CFE_AUTOBACKCOLOR) ? clNone : ColorToRGB(m.BackColor);
  if (m.Mask & CFM_OFFSET) f.OffsetTwips = std::clamp(m.Offset, -32760, 32760);
  if (m.Mask & CFM_SUBSCRIPT)
    f.Script = (m.Effects & CFE_SUPERSCRIPT) ? rsSuperscript : (m.Effects & CFE_SUBSCRIPT) ? rsSubscript : rsNone;
}

TCharFormat2 RichRecordOf(const TRichCharFormat& f) {
  TCharFormat2 m;
  m.Mask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SIZE | CFM_FACE | CFM_COLOR | CFM_BACKCOLOR |
           CFM_OFFSET | CFM_SUBSCRIPT;
  if (f.Bold) m.Effects |= CFE_BOLD;
  if (f.Italic) m.Effects |= CFE_ITALIC;
  if (f.Underline) m.Effects |= CFE_UNDERLINE;
  if (f.Strike) m.Effects |= CFE_STRIKEOUT;
  if (f.Color == clNone) m.Effects |= CFE_AUTOCOLOR;
  if (f.BackColor == clNone) m.Effects |= CFE_AUTOBACKCOLOR;
  if (f.Script == rsSuperscript) m.Effects |= CFE_SUPERSCRIPT;
  if (f.Script == rsSubscript) m.Effects |= CFE_SUBSCRIPT;
  m.Height = f.HalfPoints * 10;
  m.Offset = f.OffsetTwips;
  m.TextColor = f.Color;
  m.BackColor = f.BackColor;
  m.FaceName = f.FontName;
  return m;
}

// Clears from the mask of A what B answers differently.
void RichNarrowMask(TCharFormat2& a, const TCharFormat2& b) {
  const unsigned effects[] = {CFM_BOLD, CFM_ITALIC, CFM_UNDERLINE, CFM_STRIKEOUT, CFM_SUBSCRIPT};
  for (unsigned e : effects)
    if ((a.Effects & e) != (b.Effects & e)) a.Mask &= ~e;
  if (a.Height != b.Height) a.Mask &= ~CFM_SIZE;
  if (a.FaceName != b.FaceName) a.Mask &= ~CFM_FACE;
  if (a.TextColor != b.TextColor) a.Mask &= ~CFM_COLOR;
  if (a.BackColor != b.BackColor) a.Mask &= ~CFM_BACKCOLOR;
  if (a.Offset != b.Offset) a.Mask &= ~CFM_OFFSET;
}

}  // namespace

struct TRichEdit::TDocument {
  QTextDocument Doc;
  std::unique_ptr<QTextDocument> FormatCache;
  // A format set while nothing was selected: the next typed text takes it, unless the caret
  // moves or the content is replaced first.
  std::optional<QTextCharFormat> InsertFormat;
  // The format typed text takes at an empty selection at Pos: the one set for it, else the
  // format of the character before (the paragraph's at its start).
  QTextCharFormat TypingFormat(int Pos) {
    if (InsertFormat) return *InsertFormat;
    QTextCursor c(&Doc);
    c.setPosition(Pos);
    return c.charFormat();
  }
};

// =============================================================================================
// Content

TRichEdit::TRichEdit(TComponent* AOwner)
    : TMemo(AOwner), FLines(std::make_unique<TRichEditStrings>(this)) {
  // Laying the document out needs the fonts of the application.
  confqt::EnsureApp();
  FDoc = std::make_unique<TDocument>();
  FDoc->Doc.setDocumentMargin(0);
  FDoc->Doc.setUndoRedoEnabled(false);
  FLines->OnChange = [this](TObject*) {
    if (FSyncingLines) return;
    String t;
    for (int i = 0; i < FLines->Count(); ++i) {
      if (i > 0) t += u"\r\n";
      t += FLines->Strings(i);
    }
    SetRuns(RichRunsFromPlainText(t, DefaultFormat()));
  };
}

TRichEdit::~TRichEdit() {
  FLines->OnChange = nullptr;
  // The widget shows the document: it lets go of it before the document goes.
  if (auto* e = qobject_cast<QTextEdit*>(ExistingWidget())) e->setDocument(nullptr);
}

TRichCharFormat TRichEdit::DefaultFormat() const {
  TRichCharFormat f;
  TFont* font = const_cast<TRichEdit*>(this)->Font();
  f.FontName = font->Name();
  f.HalfPoints = std::max(1, font->Size() * 2);
  f.Bold = font->Style().Contains(fsBold);
  f.Italic = font->Style().Contains(fsItalic);
  f.Underline = font->Style().Contains(fsUnderline);
  f.Strike = font->Style().Contains(fsStrikeOut);
  return f;
}

TRichRuns TRichEdit::Runs() const {
  const TRichCharFormat def = DefaultFormat();
  TRichRuns runs;
  const QTextDocument& d = FDoc->Doc;
  for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
    if (b != d.begin()) AppendRichText(runs, String(1, kRichParagraph), RichFromQt(b.charFormat(), def));
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment fr = it.fragment();
      if (fr.isValid()) AppendRichText(runs, RichS(fr.text()), RichFromQt(fr.charFormat(), def));
    }
  }
  return runs;
}

void TRichEdit::SetRuns(const TRichRuns& Runs) {
  QTextDocument& d = FDoc->Doc;
  d.clear();
  QTextCursor c(&d);
  c.beginEditBlock();
  c.setBlockCharFormat(RichToQt(Runs.empty() ? DefaultFormat() : Runs.front().Format));
  for (const TRichRun& r : Runs) {
    const QTextCharFormat q = RichToQt(r.Format);
    QString part;
    for (Char ch : r.Text) {
      // Carriage returns and line feeds would make paragraphs of their own accord: made so here.
      if (ch == kRichParagraph || ch == u'\r' || ch == u'\n') {
        if (!part.isEmpty()) c.insertText(part, q);
        part.clear();
        c.insertBlock(QTextBlockFormat(), q);
      } else {
        part += QChar(ch);
      }
    }
    if (!part.isEmpty()) c.insertText(part, q);
  }
  c.endEditBlock();
  FDoc->InsertFormat.reset();
  FSelStart = FSelLength = 0;
  selStart_ = selLength_ = 0;
  ContentChanged();
}

void TRichEdit::LoadBytes(std::string_view Bytes) {
  const TRichCharFormat def = DefaultFormat();
  if (FPlainText)
    SetRuns(RichRunsFromPlainText(DecodeText(Bytes), def));
  else
    SetRuns(LoadRichBytes(Bytes, def));
}

std::string TRichEdit::SaveBytes(TTextEncoding Encoding) const {
  if (FPlainText) return EncodeText(GetText(), Encoding);
  return WriteRtf(Runs(), DefaultFormat());
}

String TRichEdit::GetText() const { return RichCrLf(FDoc->Doc.toRawText()); }

void TRichEdit::SetText(const String& s) {
  if (!FPlainText && s.size() >= 5 && s.compare(0, 5, u"{\\rtf") == 0) {
    // RTF arrives as characters, one per byte.
    std::string bytes;
    bytes.reserve(s.size());
    bool narrow = true;
    for (Char c : s) {
      if (c > 0xFF) narrow = false;
      bytes.push_back(static_cast<char>(c & 0xFF));
    }
    TRichRuns runs;
    if (narrow && ReadRtf(bytes, DefaultFormat(), runs)) {
      SetRuns(runs);
      return;
    }
  }
  SetRuns(RichRunsFromPlainText(s, DefaultFormat()));
}

int TRichEdit::TextLength() const { return FDoc->Doc.characterCount() - 1; }

void TRichEdit::ContentChanged() {
  FDoc->FormatCache.reset();
  const String plain = GetText();
  if (plain != text_) {
    text_ = plain;
    FSyncingLines = true;
    FLines->SetText(plain);
    FSyncingLines = false;
    SyncWidget();
    Change();
  } else {
    SyncWidget();
  }
  SetSelection(std::min(FSelStart, TextLength()), FSelLength);
  if (ResizeRequests()) RequestSize();
}

// =============================================================================================
// Selection

void TRichEdit::SetSelection(int Start, int Length) {
  const int len = TextLength();
  Start = std::clamp(Start, 0, len);
  Length = std::clamp(Length, 0, len - Start);
  if (Start == FSelStart && Length == FSelLength) return;
  FDoc->InsertFormat.reset();
  FSelStart = Start;
  FSelLength = Length;
  selStart_ = Start;
  selLength_ = Length;
  SyncWidget();
  SelectionChange();
}

void TRichEdit::SetSelStart(int v) { SetSelection(v, 0); }
void TRichEdit::SetSelLength(int v) { SetSelection(FSelStart, v); }
void TRichEdit::SelectAll() { SetSelection(0, TextLength()); }

void TRichEdit::SelectionChange() {
  if (OnSelectionChange) OnSelectionChange(this);
}

String TRichEdit::SelText() const {
  QTextCursor c(&FDoc->Doc);
  c.setPosition(FSelStart);
  c.setPosition(FSelStart + FSelLength, QTextCursor::KeepAnchor);
  return RichCrLf(c.selectedText());
}

void TRichEdit::SetSelText(const String& s) {
  QTextDocument& d = FDoc->Doc;
  QTextCursor c(&d);
  // Typed text takes the format of the selection's first character, else the typing format.
  c.setPosition(FSelLength > 0 ? FSelStart + 1 : FSelStart);
  const QTextCharFormat q = FSelLength > 0 ? c.charFormat() : FDoc->TypingFormat(FSelStart);
  FDoc->InsertFormat.reset();
  c.setPosition(FSelStart);
  c.setPosition(FSelStart + FSelLength, QTextCursor::KeepAnchor);
  c.beginEditBlock();
  c.removeSelectedText();
  QString part;
  for (size_t i = 0; i < s.size(); ++i) {
    const Char ch = s[i];
    if (ch == u'\r' || ch == u'\n' || ch == kRichParagraph) {
      if (ch == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
      c.insertText(part, q);
      part.clear();
      c.insertBlock(QTextBlockFormat(), q);
    } else {
      part += QChar(ch);
    }
  }
  c.insertText(part, q);
  c.endEditBlock();
  FSelStart = c.position();
  FSelLength = 0;
  selStart_ = FSelStart;
  selLength_ = 0;
  ContentChanged();
  SelectionChange();
}

// =============================================================================================
// Character formats

TCharFormat2 TRichEdit::GetCharFormat(unsigned Which) const {
  const TRichCharFormat def = DefaultFormat();
  if (Which == SCF_DEFAULT) return RichRecordOf(def);
  const QTextDocument& d = FDoc->Doc;
  int from = 0, to = TextLength();
  if (Which & SCF_SELECTION && !(Which & SCF_ALL)) {
    from = FSelStart;
    to = FSelStart + FSelLength;
  }
  if (from == to && FDoc->InsertFormat) return RichRecordOf(RichFromQt(*FDoc->InsertFormat, def));
  if (from == to) {
    // An empty selection answers for the character before it (the first one at the start).
    QTextCursor c(const_cast<QTextDocument*>(&d));
    c.setPosition(std::min(from + (from == 0 ? 1 : 0), TextLength()));
    return RichRecordOf(RichFromQt(c.charFormat(), def));
  }
  const std::vector<TRichPiece> pieces = RichPieces(d, from, to);
  if (pieces.empty()) return RichRecordOf(def);
  TCharFormat2 m = RichRecordOf(RichFromQt(pieces.front().Format, def));
  for (size_t i = 1; i < pieces.size(); ++i) RichNarrowMask(m, RichRecordOf(RichFromQt(pieces[i].Format, def)));
  return m;
}

bool TRichEdit::SetCharFormat(unsigned Which, const TCharFormat2& Format) {
  if (Which == SCF_DEFAULT) {
    TRichCharFormat f = DefaultFormat();
    RichApplyMask(f, Format);
    Font()->SetName(f.FontName);
    Font()->SetSize(std::max(1, f.HalfPoints / 2));
    TFontStyles st;
    if (f.Bold) st |= fsBold;
    if (f.Italic) st |= fsItalic;
    if (f.Underline) st |= fsUnderline;
    if (f.Strike) st |= fsStrikeOut;
    Font()->SetStyle(st);
    return true;
  }
  int from = 0, to = TextLength();
  if (Which & SCF_SELECTION && !(Which & SCF_ALL)) {
    from = FSelStart;
    to = FSelStart + FSelLength;
  }
  QTextDocument& d = FDoc->Doc;
  const TRichCharFormat def = DefaultFormat();
  if (from == to) {
    // Nothing selected: the format waits for the next typed text.
    if (!(Which & SCF_SELECTION) || (Which & SCF_ALL)) return true;
    TRichCharFormat f = RichFromQt(FDoc->TypingFormat(FSelStart), def);
    RichApplyMask(f, Format);
    FDoc->InsertFormat = RichToQt(f);
    return true;
  }
  const std::vector<TRichPiece> pieces = RichPieces(d, from, to);
  QTextCursor c(&d);
  c.beginEditBlock();
  for (const TRichPiece& p : pieces) {
    TRichCharFormat f = RichFromQt(p.Format, def);
    RichApplyMask(f, Format);
    c.setPosition(p.Start);
    c.setPosition(p.Start + p.Length, QTextCursor::KeepAnchor);
    c.setCharFormat(RichToQt(f));
  }
  c.endEditBlock();
  ContentChanged();
  return true;
}

TCharFormat2 TTextAttributes::Get() const { return FOwner->GetCharFormat(SCF_SELECTION); }
void TTextAttributes::Set(TCharFormat2 Format) { FOwner->SetCharFormat(SCF_SELECTION, Format); }
String TTextAttributes::Name() const { return Get().FaceName; }
int TTextAttributes::Size() const { return Get().Height / 20; }
TColor TTextAttributes::Color() const {
  const TCharFormat2 m = Get();
  return (m.Effects & CFE_AUTOCOLOR) ? clNone : m.TextColor;
}
TFontStyles TTextAttributes::Style() const {
  const TCharFormat2 m = Get();
  TFontStyles s;
  if (m.Effects & CFE_BOLD) s |= fsBold;
  if (m.Effects & CFE_ITALIC) s |= fsItalic;
  if (m.Effects & CFE_UNDERLINE) s |= fsUnderline;
  if (m.Effects & CFE_STRIKEOUT) s |= fsStrikeOut;
  return s;
}

void TTextAttributes::SetName(const String& Value) {
  TCharFormat2 m;
  m.Mask = CFM_FACE;
  m.FaceName = Value;
  Set(m);
}

void TTextAttributes::SetSize(int Value) {
  TCharFormat2 m;
  m.Mask = CFM_SIZE;
  m.Height = Value * 20;
  Set(m);
}

void TTextAttributes::SetColor(TColor Value) {
  TCharFormat2 m;
  m.Mask = CFM_COLOR;
  m.TextColor = Value;
  if (Value == clNone) m.Effects = CFE_AUTOCOLOR;
  Set(m);
}

void TTextAttributes::SetStyle(TFontStyles Value) {
  TCharFormat2 m;
  m.Mask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  if (Value.Contains(fsBold)) m.Effects |= CFE_BOLD;
  if (Value.Contains(fsItalic)) m.Effects |= CFE_ITALIC;
  if (Value.Contains(fsUnderline)) m.Effects |= CFE_UNDERLINE;
  if (Value.Contains(fsStrikeOut)) m.Effects |= CFE_STRIKEOUT;
  Set(m);
}

void TTextAttributes::Assign(TFont* Font) {
  TCharFormat2 m;
  m.Mask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  m.FaceName = Font->Name();
  m.Height = Font->Size() * 20;
  m.TextColor = Font->Color();
  const TFontStyles s = Font->Style();
  if (s.Contains(fsBold)) m.Effects |= CFE_BOLD;
  if (s.Contains(fsItalic)) m.Effects |= CFE_ITALIC;
  if (s.Contains(fsUnderline)) m.Effects |= CFE_UNDERLINE;
  if (s.Contains(fsStrikeOut)) m.Effects |= CFE_STRIKEOUT;
  Set(m);
}

// =============================================================================================
// Lines

void TRichEditStrings::LoadFromStream(TStream* Stream) {
  const int64_t size = std::max<int64_t>(Stream->Size() - Stream->Position(), 0);
  std::string bytes(static_cast<size_t>(size), '\0');
  if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  FOwner->LoadBytes(bytes);
}

void TRichEditStrings::SaveToStream(TStream* Stream, TTextEncoding Encoding) {
  Stream->WriteBytes(FOwner->SaveBytes(Encoding));
}

// =============================================================================================
// Layout: the size asked for, and rendering into a canvas

int TRichEdit::LayoutWidth() const {
  return std::max(0, FFormatRect.IsEmpty() ? ClientWidth() : FFormatRect.Width());
}

void TRichEdit::RequestSize() {
  // The widget lays the shown document out at its own width: measured on a copy then.
  std::unique_ptr<QTextDocument> copy;
  QTextDocument* d = &FDoc->Doc;
  if (ExistingWidget()) {
    copy.reset(FDoc->Doc.clone());
    d = copy.get();
  }
  d->setTextWidth(WordWrap() ? LayoutWidth() : -1);
  const QSizeF s = d->size();
  const int w = WordWrap() ? LayoutWidth() : static_cast<int>(std::ceil(d->idealWidth()));
  const TRect r{0, 0, w, static_cast<int>(std::ceil(s.height()))};
  RequestResize(r);
}

void TRichEdit::RequestResize(const TRect& Rect) {
  if (OnResizeRequest) OnResizeRequest(this, Rect);
}

int TRichEdit::FormatRange(const TFormatRange* Range, bool Render) {
  if (!Range) {
    FDoc->FormatCache.reset();
    return 0;
  }
  const int len = TextLength();
  const int from = std::clamp(Range->Chars.Min, 0, len);
  const int to = Range->Chars.Max < 0 ? len : std::clamp(Range->Chars.Max, from, len);
  if (from == 0 && to == len) {
    FDoc->FormatCache.reset(FDoc->Doc.clone());
  } else {
    QTextCursor c(&FDoc->Doc);
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    FDoc->FormatCache = std::make_unique<QTextDocument>();
    QTextCursor(FDoc->FormatCache.get()).insertFragment(c.selection());
  }
  QTextDocument* d = FDoc->FormatCache.get();
  d->setDocumentMargin(0);
  const int dpiX = std::max(1, Range->DpiX), dpiY = std::max(1, Range->DpiY);
  const TRect px{static_cast<int>(int64_t(Range->Rect.Left) * dpiX / 1440),
                 static_cast<int>(int64_t(Range->Rect.Top) * dpiY / 1440),
                 static_cast<int>(int64_t(Range->Rect.Right) * dpiX / 1440),
                 static_cast<int>(int64_t(Range->Rect.Bottom) * dpiY / 1440)};
  // Laid out at 96 pixels per inch, then scaled to the canvas.
  const double w = std::max(0, px.Width()) * 96.0 / dpiX, h = std::max(0, px.Height()) * 96.0 / dpiY;
  d->setTextWidth(w);
  // The first character of the first line that does not fit.
  int next = to;
  for (QTextBlock b = d->begin(); b.isValid() && next == to; b = b.next()) {
    const QTextLayout* lay = b.layout();
    const QPointF at = d->documentLayout()->blockBoundingRect(b).topLeft();
    for (int i = 0; lay && i < lay->lineCount(); ++i) {
      const QTextLine line = lay->lineAt(i);
      if (at.y() + line.y() + line.height() > h + 0.5) {
        next = from + b.position() + line.textStart();
        break;
      }
    }
  }
  if (Render && Range->Canvas) {
    if (QPainter* p = Range->Canvas->NativePainter()) {
      p->save();
      p->setClipRect(QRect(px.Left, px.Top, px.Width(), px.Height()), Qt::IntersectClip);
      p->translate(px.Left, px.Top);
      p->scale(dpiX / 96.0, dpiY / 96.0);
      QAbstractTextDocumentLayout::PaintContext ctx;
      ctx.palette.setColor(QPalette::Text, ToQColor(Font()->Color()));
      ctx.clip = QRectF(0, 0, w, h);
      d->documentLayout()->draw(p, ctx);
      p->restore();
    }
  }
  return next;
}

void TRichEdit::SetFormatRect(const TRect& r) {
  FFormatRect = r;
  if (ResizeRequests()) RequestSize();
}

void TRichEdit::SetWordWrap(bool v) {
  TMemo::SetWordWrap(v);
  if (ResizeRequests()) RequestSize();
}

void TRichEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const int oldWidth = Width();
  TMemo::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (Width() != oldWidth && WordWrap() && FFormatRect.IsEmpty() && ResizeRequests()) RequestSize();
}

void TRichEdit::SetHideSelection(bool v) {
  FHideSelection = v;
  SyncWidget();
}

// =============================================================================================
// Messages, keys and the widget

void TRichEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case EM_SETCHARFORMAT:
      m.Result = m.LParam && SetCharFormat(static_cast<unsigned>(m.WParam), *reinterpret_cast<TCharFormat2*>(m.LParam));
      return;
    case EM_GETCHARFORMAT: {
      const TCharFormat2 f = GetCharFormat(static_cast<unsigned>(m.WParam));
      if (m.LParam) *reinterpret_cast<TCharFormat2*>(m.LParam) = f;
      m.Result = static_cast<intptr_t>(f.Mask);
      return;
    }
    case EM_FORMATRANGE:
      m.Result = FormatRange(reinterpret_cast<const TFormatRange*>(m.LParam), m.WParam != 0);
      return;
    case EM_REQUESTRESIZE: RequestSize(); return;
    case EM_EXGETSEL:
      if (m.LParam) *reinterpret_cast<TCharRange*>(m.LParam) = TCharRange{FSelStart, FSelStart + FSelLength};
      return;
    case EM_EXSETSEL:
      if (m.LParam) {
        const TCharRange r = *reinterpret_cast<TCharRange*>(m.LParam);
        const int end = r.Max < 0 ? TextLength() : r.Max;
        SetSelection(std::min(r.Min, end), std::abs(end - r.Min));
      }
      m.Result = FSelStart + FSelLength;
      return;
    case EM_GETRECT:
      if (m.LParam) *reinterpret_cast<TRect*>(m.LParam) = FFormatRect.IsEmpty() ? ClientRect() : FFormatRect;
      return;
    case EM_SETRECT: SetFormatRect(m.LParam ? *reinterpret_cast<TRect*>(m.LParam) : TRect{}); return;
    case EM_SCROLLCARET:
      if (auto* e = qobject_cast<QTextEdit*>(ExistingWidget())) e->ensureCursorVisible();
      return;
    default: TMemo::WndProc(m);
  }
}

void TRichEdit::DefaultChar(Char Key) {
  if (ReadOnly()) return;
  if (Key == 13) {
    if (WantReturns() || GetKeyState(VK_CONTROL) < 0) SetSelText(u"\r\n");
    return;
  }
  if (Key == 9) {
    if (WantTabs()) SetSelText(u"\t");
    return;
  }
  if (Key == 8) {
    if (FSelLength == 0 && FSelStart > 0) SetSelection(FSelStart - 1, 1);
    SetSelText(String());
    return;
  }
  if (Key >= 32) SetSelText(String(1, Key));
}

void TRichEdit::DefaultKeyDown(Word Key, TShiftState Shift) {
  const int len = TextLength(), caret = FSelStart + FSelLength;
  switch (Key) {
    case VK_LEFT:
      SetSelection(FSelLength > 0 ? FSelStart : caret - 1, 0);
      return;
    case VK_RIGHT:
      SetSelection(FSelLength > 0 ? caret : caret + 1, 0);
      return;
    case VK_HOME: SetSelection(0, Shift.Contains(ssShift) ? caret : 0); return;
    case VK_END:
      if (Shift.Contains(ssShift))
        SetSelection(FSelStart, len - FSelStart);
      else
        SetSelection(len, 0);
      return;
    case VK_DELETE:
      if (ReadOnly()) return;
      if (FSelLength == 0) SetSelection(FSelStart, 1);
      SetSelText(String());
      return;
    default: return;
  }
}

QWidget* TRichEdit::CreateWidget(QWidget* parentWidget) {
  auto* e = new QTextEdit(parentWidget);
  e->setDocument(&FDoc->Doc);
  e->setFocusPolicy(Qt::NoFocus);
  e->setFrameShape(QFrame::NoFrame);
  QObject::connect(e, &QTextEdit::selectionChanged, e, [this, e] {
    const QTextCursor c = e->textCursor();
    SetSelection(c.selectionStart(), c.selectionEnd() - c.selectionStart());
  });
  Backend()->nativeInput = true;
  return e;
}

void TRichEdit::SyncWidget() {
  TWinControl::SyncWidget();
  auto* e = qobject_cast<QTextEdit*>(ExistingWidget());
  if (!e) return;
  e->setReadOnly(ReadOnly());
  e->setLineWrapMode(WordWrap() ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
  const TScrollStyle sb = ScrollBars();
  e->setHorizontalScrollBarPolicy(sb == ssHorizontal || sb == ssBoth ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  e->setVerticalScrollBarPolicy(sb == ssVertical || sb == ssBoth ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // Without the focus the selection shows only when it is to stay visible.
  QPalette pal = e->palette();
  pal.setColor(QPalette::Inactive, QPalette::Highlight,
               pal.color(FHideSelection ? QPalette::Base : QPalette::Highlight));
  pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
               pal.color(FHideSelection ? QPalette::Text : QPalette::HighlightedText));
  e->setPalette(pal);
  QTextCursor c = e->textCursor();
  if (c.selectionStart() != FSelStart || c.selectionEnd() != FSelStart + FSelLength) {
    c.setPosition(FSelStart);
    c.setPosition(FSelStart + FSelLength, QTextCursor::KeepAnchor);
    const QSignalBlocker block(e);
    e->setTextCursor(c);
  }
}
