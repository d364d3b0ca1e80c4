// DrawText: GDI's text layout on any canvas, measured through the canvas's metrics source.
#include <algorithm>

#include "platform/Graphics.h"

namespace {

struct Para {
  String Text;
  std::vector<int> Underlines;  // indices into Text
};

// Removes "&" prefixes: "&&" is "&", "&x" marks x. A lone "&" at the end vanishes.
void StripPrefixes(const String& in, String& out, std::vector<int>& marks) {
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] == u'&') {
      if (i + 1 < in.size()) {
        ++i;
        if (in[i] != u'&') marks.push_back(static_cast<int>(out.size()));
        out += in[i];
      }
      continue;
    }
    out += in[i];
  }
}

int TabWidth(TCanvas* c) {
  int ave = c->Metrics()->AveCharWidth(*c->Font());
  return std::max(1, 8 * ave);
}

// Width of text starting at x = 0 of its line, tabs to the next multiple of 8 average widths.
int LineWidth(TCanvas* c, std::u16string_view s, bool expandTabs) {
  auto* m = c->Metrics();
  const TFont& f = *c->Font();
  if (!expandTabs || s.find(u'\t') == std::u16string_view::npos) return m->TextWidth(f, s);
  int tab = TabWidth(c);
  int x = 0;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == u'\t') {
      x += m->TextWidth(f, s.substr(start, i - start));
      if (i < s.size()) x = (x / tab + 1) * tab;
      start = i + 1;
    }
  }
  return x;
}

struct Piece {
  size_t Begin = 0;  // in the paragraph
  size_t End = 0;
};

bool IsBreakSpace(Char ch) { return ch == u' ' || ch == u'\t'; }

// Breaks one paragraph into lines no wider than width. A word wider than the line stays whole
// (it overflows) unless breakWords is set, in which case it is cut between characters.
std::vector<Piece> WrapParagraph(TCanvas* c, const String& p, int width, bool expandTabs, bool breakWords) {
  std::vector<Piece> lines;
  size_t pos = 0;
  const size_t n = p.size();
  if (n == 0) {
    lines.push_back({0, 0});
    return lines;
  }
  while (pos < n) {
    size_t lineStart = pos;
    size_t lastFitEnd = std::string::npos;  // end of the last word that fits
    size_t i = pos;
    while (true) {
      // next word: [i, wordEnd)
      size_t wordEnd = i;
      while (wordEnd < n && !IsBreakSpace(p[wordEnd])) ++wordEnd;
      std::u16string_view candidate(p.data() + lineStart, wordEnd - lineStart);
      bool fits = LineWidth(c, candidate, expandTabs) <= width;
      if (!fits) break;
      lastFitEnd = wordEnd;
      size_t next = wordEnd;
      while (next < n && IsBreakSpace(p[next])) ++next;
      if (next >= n) {
        lastFitEnd = n;  // trailing blanks of the paragraph stay on its last line
        break;
      }
      i = next;
    }
    if (lastFitEnd == std::string::npos) {
      // The first word alone does not fit.
      size_t wordEnd = lineStart;
      while (wordEnd < n && !IsBreakSpace(p[wordEnd])) ++wordEnd;
      size_t end = wordEnd;
      if (breakWords) {
        end = lineStart + 1;
        while (end < wordEnd &&
               LineWidth(c, std::u16string_view(p.data() + lineStart, end + 1 - lineStart), expandTabs) <= width)
          ++end;
      }
      lines.push_back({lineStart, end});
      pos = end;
    } else {
      lines.push_back({lineStart, lastFitEnd});
      pos = lastFitEnd;
    }
    if (pos < n && pos == lines.back().End) {
      // Blanks at a break are swallowed by it.
      bool brokeInsideWord = pos > 0 && !IsBreakSpace(p[pos - 1]) && !IsBreakSpace(p[pos]);
      if (!brokeInsideWord)
        while (pos < n && IsBreakSpace(p[pos])) ++pos;
    }
  }
  return lines;
}

}  // namespace

std::vector<int> EditLineStarts(TCanvas* canvas, const String& text, int Width) {
  std::vector<int> starts;
  size_t begin = 0;
  const size_t n = text.size();
  for (size_t i = 0; i <= n; ++i) {
    if (i < n && text[i] != u'\r' && text[i] != u'\n') continue;
    if (Width > 0 && i > begin) {
      for (const Piece& l : WrapParagraph(canvas, text.substr(begin, i - begin), Width, false, true))
        starts.push_back(static_cast<int>(begin + l.Begin));
    } else {
      starts.push_back(static_cast<int>(begin));
    }
    if (i == n) break;
    if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
    begin = i + 1;  // a break at the end opens an empty last line
  }
  return starts;
}

int DrawTextLineWidth(TCanvas* canvas, std::u16string_view line, bool expandTabs) {
  return LineWidth(canvas, line, expandTabs);
}

TDrawTextLayout LayoutDrawText(TCanvas* canvas, const String& text, const TRect& r, unsigned flags) {
  TDrawTextLayout out;
  auto* m = canvas->Metrics();
  const TFont& font = *canvas->Font();
  int lineH = m->Ascent(font) + m->Descent(font);
  if (flags & DT_EXTERNALLEADING) lineH += m->ExternalLeading(font);
  out.LineHeight = lineH;
  const bool single = flags & DT_SINGLELINE;
  const bool expandTabs = flags & DT_EXPANDTABS;
  const bool calc = flags & DT_CALCRECT;

  if (text.empty()) {
    out.Extent = r;
    out.Extent.Right = r.Left;
    out.Extent.Bottom = single ? r.Top + lineH : r.Top;
    out.Height = out.Extent.Bottom - r.Top;
    return out;
  }

  // Prefix processing first: the layout measures what is shown.
  String stripped;
  std::vector<int> marks;
  if (!(flags & DT_NOPREFIX)) {
    StripPrefixes(text, stripped, marks);
    if (flags & DT_HIDEPREFIX) marks.clear();
  }
  const String& shown = (flags & DT_NOPREFIX) ? text : stripped;

  // Paragraphs: a single line keeps CR and LF as characters.
  std::vector<Piece> paras;
  if (single) {
    paras.push_back({0, shown.size()});
  } else {
    size_t start = 0;
    for (size_t i = 0; i <= shown.size(); ++i) {
      if (i == shown.size()) {
        // A line break at the very end starts no further line.
        if (start < i || paras.empty()) paras.push_back({start, i});
        break;
      }
      if (shown[i] == u'\r' || shown[i] == u'\n') {
        paras.push_back({start, i});
        if (shown[i] == u'\r' && i + 1 < shown.size() && shown[i + 1] == u'\n') ++i;
        start = i + 1;
      }
    }
  }

  const int width = r.Right - r.Left;
  struct Raw {
    size_t Begin, End;
    int Width = -1;  // measured already (-1: not yet)
  };
  std::vector<Raw> raw;
  for (const Piece& pa : paras) {
    if ((flags & DT_WORDBREAK) && !single) {
      // One word that fits is its own line (a cell's usual text): measured once.
      const std::u16string_view word(shown.data() + pa.Begin, pa.End - pa.Begin);
      if (!word.empty() && word.find_first_of(u" \t") == std::u16string_view::npos) {
        const int w = LineWidth(canvas, word, expandTabs);
        if (w <= width) {
          raw.push_back({pa.Begin, pa.End, w});
          continue;
        }
      }
      String p = shown.substr(pa.Begin, pa.End - pa.Begin);
      for (const Piece& l : WrapParagraph(canvas, p, width, expandTabs, flags & DT_EDITCONTROL))
        raw.push_back({pa.Begin + l.Begin, pa.Begin + l.End});
    } else {
      raw.push_back({pa.Begin, pa.End});
    }
  }

  // A partly visible last line is left out by an edit control (the first line always stays).
  bool cutShort = false;
  if ((flags & DT_EDITCONTROL) && !single && !calc) {
    size_t fit = std::max<int>(1, lineH > 0 ? (r.Bottom - r.Top) / lineH : 1);
    if (raw.size() > fit) {
      raw.resize(fit);
      cutShort = true;
    }
  }
  const bool wrapped = (flags & DT_WORDBREAK) && !single;

  int maxW = 0;
  for (size_t li = 0; li < raw.size(); ++li) {
    const Raw& l = raw[li];
    const bool last = li + 1 == raw.size();
    TDrawTextLine line;
    line.Text = shown.substr(l.Begin, l.End - l.Begin);
    for (int mk : marks)
      if (mk >= static_cast<int>(l.Begin) && mk < static_cast<int>(l.End)) {
        line.UnderlineIndex = mk - static_cast<int>(l.Begin);
        break;
      }
    line.Width = l.Width >= 0 ? l.Width : LineWidth(canvas, line.Text, expandTabs);
    // The ellipsis marks where the text stops: on every line that is too wide when lines are not
    // wrapped; when they are, only at the end of the text (a wide word inside is just clipped).
    const bool ellipsis = (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) && !calc &&
                          (wrapped ? last && (line.Width > width || cutShort) : line.Width > width);
    if (ellipsis) {
      const String dots = u"...";
      String cut = line.Text;
      while (!cut.empty() && LineWidth(canvas, cut + dots, expandTabs) > width) cut.pop_back();
      if (line.UnderlineIndex >= static_cast<int>(cut.size())) line.UnderlineIndex = -1;
      line.Text = cut + dots;
      line.Width = LineWidth(canvas, line.Text, expandTabs);
    }
    maxW = std::max(maxW, line.Width);
    out.Lines.push_back(std::move(line));
  }

  int total = static_cast<int>(out.Lines.size()) * lineH;
  int y = r.Top;
  if (single) {
    if (flags & DT_VCENTER)
      y = r.Top + (r.Bottom - r.Top - lineH) / 2;
    else if (flags & DT_BOTTOM)
      y = r.Bottom - lineH;
  }
  for (TDrawTextLine& line : out.Lines) {
    if (flags & DT_CENTER)
      line.X = r.Left + (width - line.Width) / 2;
    else if (flags & DT_RIGHT)
      line.X = r.Right - line.Width;
    else
      line.X = r.Left;
    line.Y = y;
    y += lineH;
  }
  out.Height = (single && !calc && (flags & (DT_VCENTER | DT_BOTTOM))) ? y - r.Top : total;
  out.Extent = r;
  if (calc) {
    out.Extent.Right = r.Left + maxW;
    out.Extent.Bottom = r.Top + total;
  }
  return out;
}

int TCanvas::DoDrawText(const String& text, TRect& r, unsigned flags) {
  TDrawTextLayout lay = LayoutDrawText(this, text, r, flags);
  if (flags & DT_CALCRECT) {
    r = lay.Extent;
    return lay.Height;
  }
  const bool clip = !(flags & DT_NOCLIP);
  const bool expandTabs = flags & DT_EXPANDTABS;
  auto* m = Metrics();
  for (const TDrawTextLine& line : lay.Lines) {
    unsigned opts = clip ? ETO_CLIPPED : 0;
    const TRect* rp = clip ? &r : nullptr;
    if (expandTabs && line.Text.find(u'\t') != String::npos) {
      const int tab = TabWidth(this);
      int x = 0;
      size_t start = 0;
      for (size_t i = 0; i <= line.Text.size(); ++i) {
        if (i == line.Text.size() || line.Text[i] == u'\t') {
          String seg = line.Text.substr(start, i - start);
          if (!seg.empty()) ExtTextOut(line.X + x, line.Y, opts, rp, seg);
          x += m->TextWidth(font_, seg);
          if (i < line.Text.size()) x = (x / tab + 1) * tab;
          start = i + 1;
        }
      }
    } else if (!line.Text.empty()) {
      ExtTextOut(line.X, line.Y, opts, rp, line.Text);
    }
    if (line.UnderlineIndex >= 0) {
      std::u16string_view before(line.Text.data(), line.UnderlineIndex);
      int ux = line.X + LineWidth(this, before, expandTabs);
      int uw = m->TextWidth(font_, std::u16string_view(line.Text.data() + line.UnderlineIndex, 1));
      int uy = line.Y + m->Ascent(font_) + 1;
      TRect u{ux, uy, ux + uw, uy + 1};
      if (clip && !IntersectRect(u, u, r)) continue;
      // The underline is drawn in the text colour without disturbing the brush the caller set.
      TColor oldColor = brush_.Color();
      TBrushStyle oldStyle = brush_.Style();
      TSavedState st = SaveBaseState();
      brush_.SetColor(font_.Color());
      FillRect(u);
      brush_.SetColor(oldColor);
      brush_.SetStyle(oldStyle);
      RestoreBaseState(st);
    }
  }
  return lay.Height;
}

int DrawText(TCanvas* canvas, const String& text, TRect& r, unsigned flags) {
  if (!canvas) return 0;
  return canvas->DoDrawText(text, r, flags);
}
