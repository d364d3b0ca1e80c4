// libFuzzer target for text decoding and string lists: any bytes decode; text written in a
// Unicode encoding decodes back to itself; a list survives its comma text, its delimited text and
// (without line breaks in its items) its text.
#include <cstddef>
#include <cstdint>

#include "fuzz/readers/FuzzSupport.h"
#include "platform/Classes.h"
#include "platform/Encoding.h"

namespace {

bool HasLoneSurrogate(const String& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const Char c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      ++i;
      continue;
    }
    if (c >= 0xD800 && c <= 0xDFFF) return true;
  }
  return false;
}

std::vector<String> Items(const TStrings& l) {
  std::vector<String> v;
  for (int i = 0; i < l.Count(); ++i) v.push_back(l.Strings(i));
  return v;
}

void Decoding(std::string_view bytes) {
  TTextEncoding detected = teOEM;
  const String text = DecodeText(bytes, &detected);
  if (IsValidUtf8(bytes) && !IsMostlyUtf8(bytes)) fuzz::Fail("valid UTF-8 is UTF-8");
  if (detected == teUTF8 && text != Utf8ToString(bytes)) fuzz::Fail("UTF-8 decodes as UTF-8");
  const std::string utf8 = StringToUtf8(text);
  if (!IsValidUtf8(utf8)) fuzz::Fail("UTF-16 converts to valid UTF-8");
  for (TTextEncoding e : {teUTF16LE, teUTF16BE}) {
    if (DecodeText(EncodeText(text, e)) != text) fuzz::Fail("UTF-16 decodes back");
  }
  // UTF-8 has no form for a lone surrogate (it is written as U+FFFD).
  if (!HasLoneSurrogate(text)) {
    if (DecodeText(EncodeText(text, teUTF8BOM)) != text) fuzz::Fail("UTF-8 with a mark decodes back");
    TTextEncoding back = teOEM;
    const String plain = DecodeText(EncodeText(text, teUTF8), &back);
    // Without a mark, text that starts like one is read as marked.
    if (back == teUTF8 && plain != text) fuzz::Fail("UTF-8 without a mark decodes back");
  }
  if (Win1252ToString(StringToWin1252(Win1252ToString(bytes))) != Win1252ToString(bytes))
    fuzz::Fail("Windows-1252 round trip");
  if (Cp850ToString(StringToCp850(Cp850ToString(bytes))) != Cp850ToString(bytes)) fuzz::Fail("code page 850 round trip");
  std::vector<String> lines = SplitLines(text);
  size_t total = 0;
  for (const String& l : lines) total += l.size();
  if (total > text.size()) fuzz::Fail("lines are parts of the text");
}

void Lists(const String& text, Char delimiter, Char quote, bool strict) {
  TStringList list;
  list.SetCommaText(text);
  const std::vector<String> items = Items(list);
  TStringList back;
  back.SetCommaText(list.CommaText());
  if (Items(back) != items) fuzz::Fail("a list survives its comma text");

  TStringList custom;
  custom.SetDelimiter(delimiter);
  custom.SetQuoteChar(quote);
  custom.SetStrictDelimiter(strict);
  custom.SetDelimitedText(text);
  TStringList again;
  again.SetDelimiter(delimiter);
  again.SetQuoteChar(quote);
  again.SetStrictDelimiter(strict);
  again.SetDelimitedText(custom.DelimitedText());
  // Without the strict rule a delimiter or quote at or below the space is read as a blank, so a
  // trailing empty item cannot come back: the class library's reading, kept. A quote that is also
  // the delimiter makes every delimiter open a quoted item: no text can round-trip that.
  const bool roundTrips = delimiter != quote && (strict || (delimiter > u' ' && quote > u' '));
  if (roundTrips && Items(again) != Items(custom)) fuzz::Fail("a list survives its delimited text");

  TStringList lines;
  lines.SetText(text);
  TStringList relined;
  relined.SetText(lines.Text());
  if (Items(relined) != Items(lines)) fuzz::Fail("a list survives its text");
  for (int i = 0; i < lines.Count(); ++i) {
    lines.Names(i);
    lines.ValueFromIndex(i);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 3), size - 3);
  Decoding(bytes);
  const Char delimiter = data[0] == '"' ? u',' : static_cast<Char>(data[0]);
  const Char quote = data[1] == data[0] ? u'"' : static_cast<Char>(data[1]);
  Lists(Utf8ToString(bytes), delimiter, quote, data[2] & 1);
  return 0;
}
