#include "gateway/USNMP_MIB.h"

#include <set>

#include "gateway/TableFile.h"
#include "gateway/USNMP_Trap_Access.h"
#include "platform/Classes.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "shell/UComon.h"
#include "shell/UBuiltinTexts.h"
#include "shell/ULanguage.h"

std::vector<uint8_t> MIB_Read_Int_Flags;
std::vector<uint8_t> MIB_Write_Int_Flags;

namespace {

// The deploying organisation's data in the module identity; one place to change them.
const char* const MIB_Organization = "www.example.com";
const char* const MIB_Contact_Street = "Example Street 1";
const char* const MIB_Contact_Town = "00000 Example Town (EX)";
const char* const MIB_Contact_Country = "Example Country";
const char* const MIB_Contact_Mail = "example.com";

// Texts of the step's messages.
constexpr int UI_File_Exists = 1505;
constexpr int UI_Desc_Invalid = 1506;
constexpr int UI_Desc_Reserved = 1507;
constexpr int UI_Desc_Used = 1508;

String UIText(int Index) {
  if (Language_List && Index < Language_List->Count()) return Language_List->Strings(Index);
  return String();
}

void EnsureLists() {
  if (!MIB_Read_Descriptions) MIB_Read_Descriptions = New<TStringList>();
  if (!MIB_Write_Descriptions) MIB_Write_Descriptions = New<TStringList>();
}

int ReadCount() { return MIB_Read_Descriptions ? MIB_Read_Descriptions->Count() : 0; }
int WriteCount() { return MIB_Write_Descriptions ? MIB_Write_Descriptions->Count() : 0; }

String ReadDesc(int i) { return MIB_Read_Descriptions->Strings(i); }
String WriteDesc(int i) { return MIB_Write_Descriptions->Strings(i); }

bool IntFlag(const std::vector<uint8_t>& Flags, int i) {
  return i < static_cast<int>(Flags.size()) && Flags[i] == 1;
}

String ReadName(int i) {
  const String d = ReadDesc(i);
  return d.empty() ? u"bufferinval" + IntToStr(i + 1) : d;
}

String WriteName(int i) {
  const String d = WriteDesc(i);
  return d.empty() ? u"bufferoutval" + IntToStr(i + 1) : d;
}

// Identifiers of the module's fixed part and the names it imports.
const std::vector<String>& FixedIdentifiers() {
  static const std::vector<String> ids = [] {
    std::vector<String> v = {u"identity",    u"brenix",      u"gateway",    u"application", u"data",
                             u"hellostring", u"countin",     u"countout",   u"bufferin",    u"bufferinval",
                             u"bufferout",   u"bufferoutval", u"traps",     u"trapsval"};
    for (int k = 1; k <= 8; ++k) {
      v.push_back(u"bufferinblk" + IntToStr(k));
      v.push_back(u"bufferoutblk" + IntToStr(k));
    }
    return v;
  }();
  return ids;
}

// Lower-case words that SMIv2 parsers or common MIB compilers treat as keywords, and the names
// of the base module, which compilers keep in one name space with the module's own.
const std::set<String>& ReservedWords() {
  static const std::set<String> words = {
      u"current",     u"deprecated", u"obsolete",    u"mandatory",   u"optional",  u"iso",
      u"ccitt",       u"org",        u"dod",         u"internet",    u"directory", u"mgmt",
      u"transmission", u"experimental", u"private",   u"enterprises", u"security",  u"snmpV2",
      u"snmpDomains", u"snmpProxys", u"snmpModules", u"zeroDotZero"};
  return words;
}

bool ValidIdentifier(const String& D) {
  if (D.empty() || D.size() > 64) return false;
  if (D[0] < u'a' || D[0] > u'z') return false;
  for (Char c : D) {
    const bool ok = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    if (!ok) return false;
  }
  return true;
}

// A refusal must never read as "no refusal": an emptied text falls back to the built-in one.
String FillText(int Index, const String& Description) {
  String t = UIText(Index);
  if (Trim(t).empty() && Index < static_cast<int>(Builtin_Texts().size())) t = Builtin_Texts()[Index];
  if (Trim(t).empty()) t = u"Error!! The Description %s cannot be used as a name in the MIB";
  const size_t p = t.find(u"%s");
  if (p != String::npos) t.replace(p, 2, u"\"" + Description + u"\"");
  return t;
}

void AppendLine(std::string& Out, const std::string& Line) {
  Out += Line;
  Out += "\r\n";
}

std::string Ascii(const String& S) { return StringToUtf8(S); }

}  // namespace

void Read_SNMP_Trap_Descriptions() { Read_SNMP_Trap_Descriptions_From(Path_SNMP_Trap); }

void Read_SNMP_Trap_Descriptions_From(const String& Path) {
  EnsureLists();
  MIB_Read_Descriptions->Clear();
  MIB_Write_Descriptions->Clear();
  MIB_Read_Int_Flags.clear();
  MIB_Write_Int_Flags.clear();

  TSNMP_Trap_File file;
  if (!Read_SNMP_Trap_File(Path, file)) return;

  auto take = [](const TTableRows& Rows, TStringList* Descriptions, std::vector<uint8_t>& Flags) {
    for (const TTableRow& row : Rows) {
      if (!SNMP_Trap_Row_Enabled(row)) continue;
      if (Descriptions->Count() >= MIB_Max_Objects) break;
      Flags.push_back(UpperCase(row.Value(u"Type")) == u"INT" ? 1 : 0);
      Descriptions->Add(row.Value(u"Description"));
    }
  };
  take(file.Read, MIB_Read_Descriptions, MIB_Read_Int_Flags);
  take(file.Write, MIB_Write_Descriptions, MIB_Write_Int_Flags);
}

String Check_MIB_Descriptions() {
  const int nr = ReadCount();
  const int nw = WriteCount();

  // Every name the module defines besides the descriptions themselves.
  std::set<String> generated(FixedIdentifiers().begin(), FixedIdentifiers().end());
  for (int i = 0; i < nr; ++i) {
    generated.insert(u"trapval" + IntToStr(i + 1));
    if (ReadDesc(i).empty()) generated.insert(ReadName(i));
  }
  for (int i = 0; i < nw; ++i)
    if (WriteDesc(i).empty()) generated.insert(WriteName(i));

  std::set<String> seen;
  for (int i = 0; i < nr + nw; ++i) {
    const String d = i < nr ? ReadDesc(i) : WriteDesc(i - nr);
    if (d.empty()) continue;
    if (!ValidIdentifier(d)) return FillText(UI_Desc_Invalid, d);
    if (ReservedWords().count(d)) return FillText(UI_Desc_Reserved, d);
    if (generated.count(d) || !seen.insert(d).second) return FillText(UI_Desc_Used, d);
  }
  return String();
}

std::string SNMP_MIB_Text() {
  std::string t;
  AppendLine(t, "GATEWAY DEFINITIONS ::= BEGIN");
  AppendLine(t, "IMPORTS");
  AppendLine(t, "       MODULE-IDENTITY,OBJECT-TYPE,NOTIFICATION-TYPE,enterprises");
  AppendLine(t, "         FROM SNMPv2-SMI");
  AppendLine(t, "         DisplayString, TimeStamp");
  AppendLine(t, "         FROM SNMPv2-TC;");
  AppendLine(t, "");
  AppendLine(t, "identity MODULE-IDENTITY");
  AppendLine(t, "    LAST-UPDATED \"201701310000Z\"");
  AppendLine(t, std::string("    ORGANIZATION \"") + MIB_Organization + "\"");
  AppendLine(t, "    CONTACT-INFO");
  AppendLine(t, std::string("\t \"") + MIB_Contact_Street);
  AppendLine(t, std::string("    ") + MIB_Contact_Town);
  AppendLine(t, std::string("    ") + MIB_Contact_Country);
  AppendLine(t, std::string("    email:    ") + MIB_Contact_Mail + "\"");
  AppendLine(t, "    DESCRIPTION");
  AppendLine(t, "\t\"MIB objects for agent module \"");
  AppendLine(t, "    REVISION     \"201701310000Z\"");
  AppendLine(t, "    DESCRIPTION");
  AppendLine(t, "\t\"Corrected notification \"");
  AppendLine(t, "    REVISION     \"200202060000Z\"");
  AppendLine(t, "    DESCRIPTION");
  AppendLine(t, "\t\"First draft\"");
  AppendLine(t, "    ::= { brenix 2 }");
  AppendLine(t, "brenix          OBJECT IDENTIFIER ::= { enterprises 49314 }");
  AppendLine(t, "gateway OBJECT IDENTIFIER::= { brenix 1 }");
  AppendLine(t, "application OBJECT IDENTIFIER::= { gateway 1 }");
  AppendLine(t, "data OBJECT IDENTIFIER::= { application 1 }");
  AppendLine(t,
             "hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" "
             "::= { data 1}");
  AppendLine(t,
             "countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" "
             "::= { data 2}");
  AppendLine(t,
             "countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  DESCRIPTION \"\" "
             "::= { data 3}");

  auto blocks = [&t](const std::string& Parent, const std::string& Access) {
    AppendLine(t, Parent + " OBJECT IDENTIFIER::= { data " + (Parent == "bufferin" ? "4" : "5") + " }");
    for (int k = 1; k <= 8; ++k) {
      const std::string n = std::to_string(k);
      AppendLine(t, Parent + "blk" + n + " OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS " + Access +
                        " STATUS current DESCRIPTION \"data block n." + n + "\" ::= { " + Parent + " " + n + " }");
    }
    AppendLine(t, " " + Parent + "val OBJECT IDENTIFIER::= { " + Parent + " 9 }");
  };
  auto objects = [&t](int Count, const std::string& Access, const std::string& Parent,
                      const std::vector<uint8_t>& Flags, String (*Name)(int), String (*Desc)(int)) {
    for (int i = 0; i < Count; ++i) {
      const std::string syntax = IntFlag(Flags, i) ? "INTEGER" : "OCTET STRING";
      AppendLine(t, Ascii(Name(i)) + " OBJECT-TYPE SYNTAX " + syntax + " MAX-ACCESS " + Access +
                        " STATUS current DESCRIPTION \"" + Ascii(Desc(i)) + "\" ::= { " + Parent + " " +
                        std::to_string(i + 1) + " }");
    }
  };

  blocks("bufferin", "read-only");
  objects(ReadCount(), "read-only", "bufferinval", MIB_Read_Int_Flags, ReadName, ReadDesc);
  blocks("bufferout", "read-write");
  objects(WriteCount(), "read-write", "bufferoutval", MIB_Write_Int_Flags, WriteName, WriteDesc);

  AppendLine(t, "traps OBJECT IDENTIFIER::= { application 2 }");
  AppendLine(t, " trapsval OBJECT IDENTIFIER::= { traps 1 }");
  for (int i = 0; i < ReadCount(); ++i) {
    const std::string n = std::to_string(i + 1);
    AppendLine(t, "trapval" + n + " NOTIFICATION-TYPE OBJECTS { " + Ascii(ReadName(i)) +
                      " } STATUS current DESCRIPTION \"" + Ascii(ReadDesc(i)) + "\" ::= { trapsval " + n + " }");
  }
  AppendLine(t, "END");
  return t;
}

void Save_SNMP_MIB(const String& FileName) {
  EnsureLists();
  const String refused = Check_MIB_Descriptions();
  if (!refused.empty()) throw EMIBDescriptionError(refused);
  WriteFileWhole(FileName, SNMP_MIB_Text());
}

void Create_SNMP_MIB_File(const String& FileName) {
  Read_SNMP_Trap_Descriptions();
  Save_SNMP_MIB(FileName);
}

void Create_SNMP_MIB(TSaveDialog& SaveMIB) {
  SaveMIB.SetFilter(u"Management Information Base (*.mib)|*.mib");
  SaveMIB.SetDefaultExt(u"*.mib");
  SaveMIB.SetInitialDir(Project_Folder);
  if (!SaveMIB.Execute()) return;
  const String fileName = SaveMIB.FileName();
  if (FileExists(fileName) && MessageDlg(UIText(UI_File_Exists), mtConfirmation, mbYesNo) != mrYes) return;
  Read_SNMP_Trap_Descriptions();
  const String refused = Check_MIB_Descriptions();
  if (!refused.empty()) {
    MessageDlg(refused, mtError, TMsgDlgButtons{mbOK});
    return;
  }
  Save_SNMP_MIB(fileName);
}
