#include "gateway/BACnetEDE.h"

#include "platform/Encoding.h"
#include "platform/Files.h"
#include "platform/TimeSource.h"
#include "shell/TableFile.h"
#include "shell/UComon.h"

namespace {

constexpr int kEdeHeaderLines = 7;

// The text after the first ";", trimmed; the whole text when it holds none.
String EdeAfterSeparator(const String& Text) {
  const int p = Pos(u";", Text);
  return p == 0 ? Text : Trim(Copy(Text, p + 1, static_cast<int>(Text.size())));
}

// The text before the first ";", trimmed; empty when it holds none.
String EdeBeforeSeparator(const String& Text) {
  const int p = Pos(u";", Text);
  return p == 0 ? String() : Trim(Copy(Text, 1, p - 1));
}

int32_t EdeNumber(const String& Field) { return CellToInt(Trim(Field)); }

bool EdeFlag(const String& Field) { return UpperCase(Trim(Field)) == u"Y"; }

// "#" first, then "mandatory" after blanks (lower case only).
bool EdeMandatoryLine(const String& Line) {
  const String t = Trim(Line);
  if (t.empty() || t[0] != u'#') return false;
  return Trim(t.substr(1)).rfind(u"mandatory", 0) == 0;
}

String EdeTwoDigits(int Value) { return (Value < 10 ? String(u"0") : String()) + IntToStr(Value); }

}  // namespace

bool EDE_Kept_Object_Type(int32_t Type) {
  switch (Type) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 13: case 14: case 19: case 21: case 22: case 23:
    case 45: case 46: case 48:
      return true;
    default:
      return false;
  }
}

TBACnet_Var Split_EDE_Line(const String& Line) {
  String fields[15];
  fields[0] = EdeBeforeSeparator(Line);
  String rest = Line;
  for (int i = 1; i < 15; ++i) {
    rest = EdeAfterSeparator(rest);
    fields[i] = EdeBeforeSeparator(rest);
  }
  String last = EdeAfterSeparator(rest);
  if (!last.empty() && last.back() == u';') last = Trim(last.substr(0, last.size() - 1));

  TBACnet_Var v;
  v.keyname = fields[0];
  v.device_obj_instance = EdeNumber(fields[1]);
  v.object_name = fields[2];
  v.object_type = EdeNumber(fields[3]);
  v.object_instance = EdeNumber(fields[4]);
  v.description = fields[5];
  v.present_value_default = fields[6];
  v.min_present_value = fields[7];
  v.max_present_value = fields[8];
  v.commandable = EdeFlag(fields[9]);
  v.support_COV = EdeFlag(fields[10]);
  v.hi_limit = fields[11];
  v.low_limit = fields[12];
  v.stete_text_reference = fields[13];
  v.unit_code = fields[14];
  v.vendor_specific_address = last;
  return v;
}

void Read_EDE_Lines(const std::vector<String>& Lines, std::vector<TBACnet_Var>& List) {
  if (Lines.size() < static_cast<size_t>(kEdeHeaderLines))
    throw EEDEFileError(u"The EDE file has " + IntToStr(static_cast<int>(Lines.size())) +
                        u" lines; it needs at least 7");
  size_t start = 0;
  if (EdeMandatoryLine(Lines[kEdeHeaderLines - 1])) {
    start = kEdeHeaderLines + 1;
  } else {
    bool found = false;
    for (size_t i = 0; i < Lines.size(); ++i) {
      if (!EdeMandatoryLine(Lines[i])) continue;
      found = true;
      start = i + 2;
    }
    if (!found) return;
  }
  for (size_t i = start; i < Lines.size(); ++i) {
    const String line = Trim(Lines[i]);
    if (line.empty()) continue;
    TBACnet_Var v = Split_EDE_Line(line);
    if (!EDE_Kept_Object_Type(v.object_type)) continue;
    v.import = true;
    v.read = true;
    v.write = v.commandable;
    List.push_back(std::move(v));
  }
}

void Read_EDE_File(const String& FileName, std::vector<TBACnet_Var>& List) {
  String text;
  try {
    text = ReadTextFile(FileName);
  } catch (const std::exception& E) {
    throw EEDEFileError(u"The EDE file " + FileName + u" cannot be read: " + Utf8ToString(E.what()));
  }
  try {
    Read_EDE_Lines(SplitLines(text), List);
  } catch (const EEDEFileError& E) {
    throw EEDEFileError(u"The EDE file " + FileName + u" cannot be read: " + E.Message());
  }
}

String Get_EDE_Timestamp() {
  uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
  DecodeDateTime(ClockNow(), year, month, day, hour, minute, second, msec);
  return EdeTwoDigits(hour) + u":" + EdeTwoDigits(minute) + u":" + EdeTwoDigits(second) + u" " + EdeTwoDigits(day) +
         u"/" + EdeTwoDigits(month) + u"/" + IntToStr(year);
}

String Get_EDE_Project_Name() { return String(); }

String EDE_File_Text(const std::vector<TBACnet_EDE_Obj>& Objects) {
  const String crlf = u"\r\n";
  String text = u"PROJECT_NAME; Brenix-" + Get_EDE_Project_Name() + u"-" + Project_Name + u";;;;;;" + crlf;
  text += u"VERSION_OF_REFERENCEFILE;1.0;;;;;;" + crlf;
  text += u"TIMESTAMP_OF_LAST_CHANGE;" + Get_EDE_Timestamp() + u";;;;;;" + crlf;
  text += u"AUTHOR_OF_LAST_CHANGE;Brenix;;;;;;" + crlf;
  text += u"VERSION_OF_LAYOUT;2;;;;;;" + crlf;
  text += u"# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;" + crlf;
  text += u"# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;" + crlf;
  for (const TBACnet_EDE_Obj& o : Objects) {
    for (const String* f : {&o.Keyname, &o.DevObjInstance, &o.ObjectName, &o.ObjectType, &o.ObjectInstance,
                            &o.Description, &o.UnitCode})
      text += *f + u";";
    text += crlf;
  }
  return text;
}

void Write_EDE_File(const String& FileName, const std::vector<TBACnet_EDE_Obj>& Objects) {
  SaveFileWhole(FileName, StringToWin1252(EDE_File_Text(Objects)));
}
