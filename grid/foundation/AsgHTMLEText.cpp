// Mini-HTML text routines: tags, entities, highlighting and CONTROL tags.
#include <array>
#include <utility>

#include "grid/foundation/AsgHTMLE.h"
#include "platform/SysUtils.h"

namespace {

TColor gHighlightBack = clHighlight;
TColor gHighlightText = clHighlightText;

struct TAccent {
  char16_t Letter;
  const char16_t* Entity;
};
// The order is the order of replacement.
constexpr std::array<TAccent, 55> kAccents{{
    {u'é', u"&eacute;"}, {u'è', u"&egrave;"}, {u'ë', u"&euml;"},   {u'ê', u"&ecirc;"},  {u'ó', u"&oacute;"},
    {u'ò', u"&ograve;"}, {u'ö', u"&ouml;"},   {u'ô', u"&ocirc;"},  {u'í', u"&iacute;"}, {u'ì', u"&igrave;"},
    {u'ï', u"&iuml;"},   {u'î', u"&icirc;"},  {u'ú', u"&uacute;"}, {u'ù', u"&ugrave;"}, {u'ü', u"&uuml;"},
    {u'û', u"&ucirc;"},  {u'á', u"&aacute;"}, {u'à', u"&agrave;"}, {u'ä', u"&auml;"},   {u'â', u"&acirc;"},
    {u'É', u"&Eacute;"}, {u'È', u"&Egrave;"}, {u'Ë', u"&Euml;"},   {u'Ê', u"&Ecirc;"},  {u'Ó', u"&Oacute;"},
    {u'Ò', u"&Ograve;"}, {u'Ö', u"&Ouml;"},   {u'Ô', u"&Ocirc;"},  {u'Í', u"&Iacute;"}, {u'Ì', u"&Igrave;"},
    {u'Ï', u"&Iuml;"},   {u'Î', u"&Icirc;"},  {u'Ú', u"&Uacute;"}, {u'Ù', u"&Ugrave;"}, {u'Ü', u"&Uuml;"},
    {u'Û', u"&Ucirc;"},  {u'Á', u"&Aacute;"}, {u'À', u"&Agrave;"}, {u'Ä', u"&Auml;"},   {u'Â', u"&Acirc;"},
    {u'ç', u"&ccedil;"}, {u'Ç', u"&Ccedil;"}, {u'ø', u"&oslash;"}, {u'Ø', u"&Oslash;"}, {u'å', u"&aring;"},
    {u'Å', u"&Aring;"},  {u'©', u"&copy;"},   {u'®', u"&reg;"},    {u'€', u"&euro;"},   {u'«', u"&laquo;"},
    {u'»', u"&raquo;"},  {u'ã', u"&atilde;"}, {u'Ã', u"&Atilde;"}, {u'õ', u"&otilde;"}, {u'Õ', u"&Otilde;"},
}};

struct TBasicEntity {
  char16_t Letter;
  const char16_t* Entity;
};
constexpr std::array<TBasicEntity, 4> kBasic{{
    {u'<', u"&lt;"}, {u'>', u"&gt;"}, {u'&', u"&amp;"}, {u'"', u"&quot;"}}};

// 0-based position of Sub in Text from From, ASCII case-blind; npos when absent.
size_t FindNoCase(const String& Text, const String& Sub, size_t From = 0) {
  if (Sub.empty() || Text.size() < Sub.size()) return String::npos;
  auto up = [](char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; };
  for (size_t i = From; i + Sub.size() <= Text.size(); ++i) {
    size_t k = 0;
    while (k < Sub.size() && up(Text[i + k]) == up(Sub[k])) ++k;
    if (k == Sub.size()) return i;
  }
  return String::npos;
}

String ReplaceAllExact(const String& Text, const String& From, const String& To) {
  if (From.empty()) return Text;
  String out;
  size_t pos = 0;
  for (;;) {
    size_t hit = Text.find(From, pos);
    if (hit == String::npos) break;
    out.append(Text, pos, hit - pos);
    out += To;
    pos = hit + From.size();
  }
  out.append(Text, pos, String::npos);
  return out;
}

// The value of NAME= in a CONTROL tag: the text between the first two double quotes after it.
String ControlAttribute(const String& Tag, const String& NameWithEquals) {
  size_t p = FindNoCase(Tag, NameWithEquals);
  if (p == String::npos) return {};
  size_t q1 = Tag.find(u'"', p + NameWithEquals.size());
  if (q1 == String::npos) return {};
  size_t q2 = Tag.find(u'"', q1 + 1);
  if (q2 == String::npos) return {};
  return Tag.substr(q1 + 1, q2 - q1 - 1);
}

// One CONTROL tag of a text: where its "<" and ">" are, and what it says.
struct TControlSpan {
  size_t Open = 0;   // index of "<"
  size_t Close = 0;  // index of ">", or Text.size() when the tag is not closed
  TControlTag Tag;
};

std::vector<TControlSpan> WalkControls(const String& Text) {
  static const String kOpen = u"<CONTROL ";
  std::vector<TControlSpan> out;
  size_t from = 0;
  for (;;) {
    size_t p = FindNoCase(Text, kOpen, from);
    if (p == String::npos) break;
    TControlSpan s;
    s.Open = p;
    size_t gt = Text.find(u'>', p + 1);
    s.Close = gt == String::npos ? Text.size() : gt;
    size_t end = gt == String::npos ? Text.size() : gt + 1;
    s.Tag = ParseControlTag(Text.substr(p + 1, end - (p + 1)));
    out.push_back(std::move(s));
    from = end;
    if (from >= Text.size()) break;
  }
  return out;
}

const TControlSpan* FindControl(const std::vector<TControlSpan>& spans, const String& ID) {
  for (const auto& s : spans)
    if (s.Tag.ID == ID) return &s;
  return nullptr;
}

// Insertion point before visible character n (1-based): after the (n-1)-th visible character,
// before any tags that follow it.
size_t VisiblePosition(const String& Text, size_t n) {
  if (n <= 1) return 0;
  size_t visible = 0;
  bool inTag = false;
  for (size_t i = 0; i < Text.size(); ++i) {
    char16_t c = Text[i];
    if (inTag) {
      if (c == u'>') inTag = false;
      continue;
    }
    if (c == u'<') {
      inTag = true;
      continue;
    }
    ++visible;
    if (visible == n - 1) return i + 1;
  }
  return Text.size();
}

}  // namespace

void SetHighlightColors(TColor Background, TColor Text) {
  gHighlightBack = Background;
  gHighlightText = Text;
}
TColor HighlightBackgroundColor() { return gHighlightBack; }
TColor HighlightTextColor() { return gHighlightText; }

String StripHTMLTags(const String& Text) {
  String s = Text;
  for (const char16_t* tag : {u"<BR>", u"<HR>"}) {
    String t(tag);
    size_t p;
    size_t from = 0;
    while ((p = FindNoCase(s, t, from)) != String::npos) {
      s.replace(p, t.size(), u"\r\n");
      from = p + 2;
    }
  }
  String out;
  size_t pos = 0;
  for (;;) {
    size_t lt = s.find(u'<', pos);
    if (lt == String::npos) break;
    size_t gt = s.find(u'>', lt + 1);
    out.append(s, pos, lt - pos);
    if (gt == String::npos) {
      pos = lt;
      break;
    }
    pos = gt + 1;
  }
  out.append(s, pos, String::npos);
  return out;
}

String DecodeHTMLEntities(const String& Text, bool WithAccents) {
  if (Text.find(u'&') == String::npos) return Text;
  String out;
  out.reserve(Text.size());
  size_t i = 0;
  while (i < Text.size()) {
    if (Text[i] != u'&') {
      out += Text[i++];
      continue;
    }
    bool done = false;
    for (const auto& e : kBasic) {
      String ent(e.Entity);
      if (Text.compare(i, ent.size(), ent) == 0) {
        out += e.Letter;
        i += ent.size();
        done = true;
        break;
      }
    }
    if (!done && WithAccents) {
      for (const auto& a : kAccents) {
        String ent(a.Entity);
        if (Text.compare(i, ent.size(), ent) == 0) {
          out += a.Letter;
          i += ent.size();
          done = true;
          break;
        }
      }
    }
    if (!done) out += Text[i++];
  }
  return out;
}

String EncodeHTMLEntities(const String& Text, bool WithAccents) {
  String out;
  out.reserve(Text.size() + 8);
  for (char16_t c : Text) {
    bool done = false;
    for (const auto& e : kBasic) {
      if (c == e.Letter) {
        out += e.Entity;
        done = true;
        break;
      }
    }
    if (!done && WithAccents) {
      for (const auto& a : kAccents) {
        if (c == a.Letter) {
          out += a.Entity;
          done = true;
          break;
        }
      }
    }
    if (!done) out += c;
  }
  return out;
}

String SpacesToNbsp(const String& Text) { return ReplaceAllExact(Text, u" ", u"&nbsp;"); }

String InsertHighlightTags(const String& Text, const String& SearchText, const String& Tag,
                           bool CaseSensitive) {
  if (SearchText.empty()) return Text;
  // Visible text: the text without its tags.
  String visible;
  {
    size_t pos = 0;
    for (;;) {
      size_t lt = Text.find(u'<', pos);
      if (lt == String::npos) break;
      size_t gt = Text.find(u'>', lt + 1);
      if (gt == String::npos) break;
      visible.append(Text, pos, lt - pos);
      pos = gt + 1;
    }
    visible.append(Text, pos, String::npos);
  }
  String text = Text;
  String search = SearchText;
  if (Text.find(SearchText) != String::npos &&
      (visible.find(u'<') != String::npos || visible.find(u'>') != String::npos)) {
    auto escape = [](const String& s) { return ReplaceAllExact(ReplaceAllExact(s, u"<", u"&lt;"), u">", u"&gt;"); };
    visible = escape(visible);
    text = visible;
    search = escape(search);
  }
  const String hayUpper = CaseSensitive ? visible : AnsiUpperCase(visible);
  const String needle = CaseSensitive ? search : AnsiUpperCase(search);
  const String open = u"<" + Tag + u">";
  const String close = u"</" + Tag + u">";
  size_t offset = 0;
  for (;;) {
    size_t hit = hayUpper.find(needle, offset);
    if (hit == String::npos) break;
    size_t m = hit + 1;  // 1-based visible position of the hit
    size_t at = VisiblePosition(text, m);
    // A hit right after the previous one opens after that one's end tag.
    if (text.compare(at, close.size(), close) == 0) at += close.size();
    text.insert(at, open);
    offset = hit + needle.size();
    text.insert(VisiblePosition(text, offset + 1), close);
  }
  return text;
}

String RemoveHighlightTags(const String& Text, const String& Tag) {
  String s = Text;
  const String name = UpperCase(Tag);
  for (const String& t : {u"<" + name + u">", u"</" + name + u">"}) {
    size_t p;
    while ((p = FindNoCase(s, t)) != String::npos) s.erase(p, t.size());
  }
  s = ReplaceAllExact(s, u"&lt;", u"<");
  return ReplaceAllExact(s, u"&gt;", u">");
}

TControlTag ParseControlTag(const String& TagText) {
  TControlTag t;
  t.Type = UpperCase(ControlAttribute(TagText, u"TYPE="));
  t.Width = ControlAttribute(TagText, u"WIDTH=");
  t.Height = ControlAttribute(TagText, u"HEIGHT=");
  t.ID = ControlAttribute(TagText, u"ID=");
  t.Value = DecodeHTMLEntities(ControlAttribute(TagText, u"VALUE="), true);
  t.Prop = DecodeHTMLEntities(ControlAttribute(TagText, u"PROP="), true);
  t.MaxLen = ControlAttribute(TagText, u"MAXLEN=");
  return t;
}

bool HasControlTag(const String& Text) { return FindNoCase(Text, u"<CONTROL") != String::npos; }

String NextEditControlID(const String& Text, const String& ID) {
  bool passed = ID.empty();
  for (const auto& s : WalkControls(Text)) {
    if (!passed) {
      if (s.Tag.ID == ID) passed = true;
      continue;
    }
    const String& type = s.Tag.Type;
    if (type != u"BUTTON" && type != u"CHECK" && type != u"RADIO") return s.Tag.ID;
  }
  return {};
}

String ResetRadioControls(const String& Text) {
  std::vector<String> ids;
  for (const auto& s : WalkControls(Text))
    if (s.Tag.Type == u"RADIO") ids.push_back(s.Tag.ID);
  String copy = Text;
  for (const auto& id : ids) SetControlValue(copy, id, u"FALSE");
  return copy;
}

bool GetControlValue(const String& Text, const String& ID, String& Value) {
  auto spans = WalkControls(Text);
  const TControlSpan* s = FindControl(spans, ID);
  if (!s) return false;
  Value = s->Tag.Value;
  return true;
}

String GetControlProp(const String& Text, const String& ID) {
  auto spans = WalkControls(Text);
  const TControlSpan* s = FindControl(spans, ID);
  return s ? s->Tag.Prop : String();
}

int GetControlMaxLen(const String& Text, const String& ID) {
  auto spans = WalkControls(Text);
  const TControlSpan* s = FindControl(spans, ID);
  if (!s) return 0;
  int v = 0;
  ReadLeadingInt(s->Tag.MaxLen, v);
  return v;
}

bool SetControlValue(String& Text, const String& ID, const String& NewValue) {
  const String value = EncodeHTMLEntities(NewValue, true);
  auto spans = WalkControls(Text);
  const TControlSpan* s = FindControl(spans, ID);
  if (!s) return false;
  const TControlTag& t = s->Tag;
  String tag = u"CONTROL ID=\"" + t.ID + u"\" VALUE=\"" + value + u"\" WIDTH=\"" + t.Width + u"\" TYPE=\"" +
               t.Type + u"\"";
  if (!t.Prop.empty()) tag += u" PROP=\"" + EncodeHTMLEntities(t.Prop, true) + u"\"";
  if (!t.MaxLen.empty()) tag += u" MAXLEN=\"" + t.MaxLen + u"\"";
  tag += u">";
  String rest = s->Close < Text.size() ? Text.substr(s->Close + 1) : String();
  Text = Text.substr(0, s->Open + 1) + tag + rest;
  return true;
}

bool ReadLeadingInt(const String& Text, int& Value) {
  size_t i = 0;
  const size_t n = Text.size();
  while (i < n && Text[i] == u' ') ++i;
  bool neg = false;
  if (i < n && (Text[i] == u'+' || Text[i] == u'-')) {
    neg = Text[i] == u'-';
    ++i;
  }
  int64_t v = 0;
  size_t digits = 0;
  auto clampAdd = [&](int64_t next) { v = next > 0x7FFFFFFFLL ? 0x7FFFFFFFLL + 1 : next; };
  if (i < n && (Text[i] == u'$' || (Text[i] == u'0' && i + 1 < n && (Text[i + 1] == u'x' || Text[i + 1] == u'X')))) {
    i += Text[i] == u'$' ? 1 : 2;
    while (i < n) {
      char16_t c = Text[i];
      int d = (c >= u'0' && c <= u'9') ? c - u'0'
              : (c >= u'a' && c <= u'f') ? c - u'a' + 10
              : (c >= u'A' && c <= u'F') ? c - u'A' + 10
                                         : -1;
      if (d < 0) break;
      clampAdd(v * 16 + d);
      ++digits;
      ++i;
    }
  } else {
    while (i < n && Text[i] >= u'0' && Text[i] <= u'9') {
      clampAdd(v * 10 + (Text[i] - u'0'));
      ++digits;
      ++i;
    }
  }
  if (v > 0x7FFFFFFFLL) v = 0x7FFFFFFFLL;
  Value = static_cast<int>(neg ? -v : v);
  return digits > 0 && i == n;
}

TColor HTMLColorValue(const String& Value) {
  if (!Value.empty() && Value[0] == u'#') {
    auto hex = [](char16_t c) -> int {
      if (c >= u'0' && c <= u'9') return c - u'0';
      if (c >= u'A' && c <= u'F') return c - u'A' + 10;
      if (c >= u'a' && c <= u'f') return c - u'a' + 10;
      return 0;
    };
    auto pair = [&](size_t at) -> int {
      if (at + 1 >= Value.size()) return 0;
      return hex(Value[at]) * 16 + hex(Value[at + 1]);
    };
    return RGB(pair(1), pair(3), pair(5));
  }
  struct TNamed {
    const char16_t* Name;
    TColor Color;
  };
  static constexpr TNamed kFirst[] = {
      {u"clred", 0x0000FF},  {u"clblack", 0x000000},   {u"clblue", 0xFF0000},  {u"clgreen", 0x008000},
      {u"claqua", 0xFFFF00}, {u"clyellow", 0x00FFFF},  {u"clfuchsia", 0xFF00FF}, {u"clwhite", 0xFFFFFF},
      {u"cllime", 0x00FF00}, {u"clsilver", 0xC0C0C0},  {u"clgray", 0x808080},  {u"clolive", 0x008080},
      {u"clnavy", 0x800000}, {u"clpurple", 0x800080},  {u"clteal", 0x808000},  {u"clmaroon", 0x000080},
  };
  static constexpr TNamed kSystem[] = {
      {u"clbackground", clBackground},       {u"clactivecaption", clActiveCaption},
      {u"clinactivecaption", clInactiveCaption}, {u"clmenu", clMenu},
      {u"clwindow", clWindow},               {u"clwindowframe", clWindowFrame},
      {u"clmenutext", clMenuText},           {u"clwindowtext", clWindowText},
      {u"clcaptiontext", clCaptionText},     {u"clactiveborder", clActiveBorder},
      {u"clinactiveborder", clInactiveBorder}, {u"clappworkspace", clAppWorkSpace},
      {u"clhighlight", clHighlight},         {u"clhighlighttext", clHighlightText},
      {u"clbtnface", clBtnFace},             {u"clbtnshadow", clBtnShadow},
      {u"clgraytext", clGrayText},           {u"clbtntext", clBtnText},
      {u"clinactivecaptiontext", clInactiveCaptionText}, {u"clbtnhighlight", clBtnHighlight},
      {u"cl3ddkshadow", cl3DDkShadow},       {u"cl3dlight", cl3DLight},
      {u"clinfotext", clInfoText},           {u"clinfobk", clInfoBk},
  };
  const String name = LowerCase(Value);
  for (const auto& c : kFirst)
    if (name == c.Name && name != u"clblack") return c.Color;
  for (const auto& c : kSystem)
    if (name == c.Name) return c.Color;
  return clBlack;
}
