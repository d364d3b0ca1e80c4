#include "protocols/ethernet_it/UOPC_UA_Client_Model.h"

#include <algorithm>

#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "platform/XMLDoc.h"
#include "shell/TableFile.h"
#include "shell/UBuiltinTexts.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

namespace {

const char16_t* const kOpcTypes[] = {u"BOOLEAN", u"INT8",   u"UINT8",    u"INT16",  u"UINT16",
                                     u"INT32",   u"UINT32", u"INT64",    u"UINT64", u"FLOAT",
                                     u"DOUBLE",  u"STRING", u"DATETIME", u"GUID",   u"BYTESTRING"};
constexpr int kOpcTypeSizes[] = {1, 1, 1, 2, 2, 4, 4, 8, 8, 4, 8, 20, 8, 16, 20};

// A hexadecimal group of a GUID text; 0 when it is none.
uint32_t Opc_Hex_Group(const String& Group) {
  int32_t v = 0;
  return TryCellToInt(u"0x" + Group, v) ? static_cast<uint32_t>(v) : 0;
}

// The check's number reading: a text that is no whole number counts as -1.
int32_t Opc_Num(const String& Text) { return CellToInt(Trim(Text), -1); }

// A check message of the client; a text that a language file left blank falls back to the
// built-in one, so a failing test never shows an empty box.
String Opc_Message(int Index, std::initializer_list<int64_t> Values) {
  String text = UI_Text(Index);
  if (Trim(text).empty() && Index < static_cast<int>(Builtin_Texts().size())) text = Builtin_Texts()[Index];
  return FormatLiteralD(text, Values);
}

String Opc_Check_Read(const TOPC_UA_Variable& v, int n, int m) {
  const String array = UpperCase(Trim(v.VarArray));
  const String type = UpperCase(Trim(v.VarType()));
  const bool text = type == u"STRING" || type == u"BYTESTRING";
  if (array.empty()) return Opc_Message(4211, {n, m});
  if (array != u"ARRAY") {
    if (text && Opc_Num(v.Start) < 0) return Opc_Message(4212, {n, m});
    if (text && Opc_Num(v.Len) < 0) return Opc_Message(4213, {n, m});
  } else {
    if (text) return Opc_Message(4214, {n, m});
    if (Opc_Num(v.Start) < 0) return Opc_Message(4215, {n, m});
    if (Opc_Num(v.Len) < 0) return Opc_Message(4216, {n, m});
  }
  if (Trim(v.Time).empty()) return Opc_Message(4197, {n, m});
  if (Opc_Num(v.Time) < 1) return Opc_Message(4198, {n, m});
  if (Trim(v.Position).empty()) return Opc_Message(4199, {n, m});
  const int32_t p = Opc_Num(v.Position);
  if (p < 0 || p > OPC_UA_Last_Position) return Opc_Message(4200, {n, m, OPC_UA_Last_Position});
  return String();
}

String Opc_Check_Write(const TOPC_UA_Variable& v, int n, int m) {
  if (Trim(v.OnTimer) == u"Y") {
    if (Trim(v.Time).empty()) return Opc_Message(4201, {n, m});
    if (Opc_Num(v.Time) < 1) return Opc_Message(4202, {n, m});
  }
  if (Trim(v.Position).empty()) return Opc_Message(4203, {n, m});
  const int32_t p = Opc_Num(v.Position);
  if (p < 0 || p > OPC_UA_Last_Position) return Opc_Message(4204, {n, m, OPC_UA_Last_Position});
  return String();
}

// The end of the last variable of a list: the largest position plus size.
int Opc_List_End(const std::vector<std::unique_ptr<TOPC_UA_Variable>>& List) {
  int end = 0;
  for (const auto& v : List) end = std::max(end, CellToInt(v->Position, 0) + GetLenVarType(v->VarType()));
  return end;
}

String Opc_Flag(const String& Field) { return Field == u"Y" ? u"1" : u"0"; }

void Opc_Write_Variable(TXMLNode Parent, const TOPC_UA_Variable& v, bool Write) {
  TXMLNode e = Parent.AddChild(u"Variable");
  e.SetAttribute(u"Enable", v.Enable ? u"1" : u"0");
  e.SetAttribute(u"DisplayName", v.DispalyName);
  e.SetAttribute(u"NodeType", v.NodeType());
  e.SetAttribute(u"NodeID", v.NodeID());
  e.SetAttribute(u"VarType", v.VarType());
  e.SetAttribute(u"NameSpaceIndex", IntToStr(v.nameSpaceIndex));
  e.SetAttribute(u"VarArray", Write ? String(u"Var") : v.VarArray);
  e.SetAttribute(u"Start", Write ? String(u"0") : v.Start);
  e.SetAttribute(u"Length", Write ? String(u"0") : v.Len);
  e.SetAttribute(u"OnChange", Opc_Flag(v.OnChange));
  e.SetAttribute(u"OnCMD", Opc_Flag(v.OnCMD));
  e.SetAttribute(u"OnTimer", Opc_Flag(v.OnTimer));
  e.SetAttribute(u"Time", v.Time);
  e.SetAttribute(u"Position", v.Position);
  e.SetAttribute(u"Mnemonic", v.Mnemonic);
}

// Reading one file: every failure names the file and what is missing.
class TClientReader {
 public:
  TClientReader(const String& Path, TOPC_UA_Server_List& List) : FPath(Path), FList(List) {}

  void Read() {
    TXMLDocument doc;
    LoadTableRoot(doc, FPath);
    TXMLNode root;
    for (TXMLNode n = doc.ChildNodes().First(); n && !root; n = n.NextSibling())
      if (n.NodeType() == ntElement && n.NodeName() == u"OPC_UA_Client") root = n;
    const TXMLNode servers = Child(root, u"OPC_UA_Client", u"OPC_UA_Server_List");
    int n = 0;
    for (TXMLNode s : Elements(servers)) Read_Server(s, ++n);
  }

 private:
  TXMLNode Child(TXMLNode Parent, const String& ParentName, const String& Name) const {
    TXMLNode c = Parent ? Parent.ChildNodes().FindNode(Name) : TXMLNode();
    if (!Parent) throw ETableFileMissingSection(FPath, ParentName);
    if (!c) throw ETableFileMissingSection(FPath, Name);
    return c;
  }
  static std::vector<TXMLNode> Elements(TXMLNode Parent) {
    std::vector<TXMLNode> v;
    for (TXMLNode n = Parent.ChildNodes().First(); n; n = n.NextSibling())
      if (n.NodeType() == ntElement) v.push_back(n);
    return v;
  }
  String Required(TXMLNode e, const String& Section, int Row, const String& Name) const {
    if (!e.HasAttribute(Name)) throw ETableFileMissingAttribute(FPath, Section, Row, Name);
    return e.Attributes(Name);
  }

  void Read_Server(TXMLNode e, int n) {
    auto s = std::make_unique<TOPC_UA_Server>();
    const String section = u"OPC_UA_Server_List";
    s->Enable = e.AttributeDef(u"Enable", String()) == u"1";
    s->ServerAddress = Required(e, section, n, u"ServerAddress");
    s->Authorization = Required(e, section, n, u"Authorization");
    s->UserName = Required(e, section, n, u"UserName");
    s->Password = Required(e, section, n, u"Password");
    s->Certificate = Required(e, section, n, u"Certificate");
    s->PrivateKey = Required(e, section, n, u"PrivateKey");
    s->SecurityType = Required(e, section, n, u"SecurityType");
    s->SecurityPolicy = Required(e, section, n, u"SecurityPolicy");
    s->Mnemonic = Required(e, section, n, u"Mnemonic");
    // The server joins the list before its variables, so that a failure among them keeps what
    // was read.
    TOPC_UA_Server* server = s.get();
    FList.push_back(std::move(s));
    const TXMLNode vars = Child(e, u"OPC_UA_Server", u"OPC_UA_Variables");
    Read_Variables(Child(vars, u"OPC_UA_Variables", u"OPC_UA_Read_Var"), server->Var_List_R,
                   u"OPC_UA_Read_Var of server " + IntToStr(n));
    Read_Variables(Child(vars, u"OPC_UA_Variables", u"OPC_UA_Write_Var"), server->Var_List_W,
                   u"OPC_UA_Write_Var of server " + IntToStr(n));
  }

  void Read_Variables(TXMLNode Parent, std::vector<std::unique_ptr<TOPC_UA_Variable>>& List, const String& Section) {
    int m = 0;
    for (TXMLNode e : Elements(Parent)) {
      if (static_cast<int>(List.size()) == OPC_UA_Max_Variables)
        throw ETableFileTooManyRows(FPath, Section, OPC_UA_Max_Variables);
      ++m;
      auto v = std::make_unique<TOPC_UA_Variable>();
      v->Enable = e.AttributeDef(u"Enable", String()) == u"1";
      v->DispalyName = Required(e, Section, m, u"DisplayName");
      v->SetNodeType(Required(e, Section, m, u"NodeType"));
      v->SetNodeID(Required(e, Section, m, u"NodeID"));
      v->SetVarType(Required(e, Section, m, u"VarType"));
      int32_t ns = 0;
      if (!TryCellToInt(Required(e, Section, m, u"NameSpaceIndex"), ns))
        throw ETableFileError(u"Error in file " + ExtractFileName(FPath) + u": row " + IntToStr(m) + u" of \"" +
                                  Section + u"\" has a \"NameSpaceIndex\" that is not a whole number",
                              FPath);
      v->nameSpaceIndex = static_cast<uint16_t>(ns);
      v->VarArray = e.AttributeDef(u"VarArray", u"Variable");
      v->Start = e.AttributeDef(u"Start", u"0");
      v->Len = e.AttributeDef(u"Length", u"0");
      v->OnChange = e.AttributeDef(u"OnChange", String()) == u"1" ? u"Y" : u"N";
      v->OnCMD = e.AttributeDef(u"OnCMD", String()) == u"1" ? u"Y" : u"N";
      v->OnTimer = e.AttributeDef(u"OnTimer", String()) == u"1" ? u"Y" : u"N";
      v->Time = Required(e, Section, m, u"Time");
      v->Position = Required(e, Section, m, u"Position");
      v->Mnemonic = Required(e, Section, m, u"Mnemonic");
      List.push_back(std::move(v));
    }
  }

  String FPath;
  TOPC_UA_Server_List& FList;
};

}  // namespace

// ---- computed properties ----

String TOPC_UA_Variable::NodeType() const { return OPC_UA_IdType_To_Text(identifierType); }

void TOPC_UA_Variable::SetNodeType(const String& Text) {
  identifierType = static_cast<uint16_t>(OPC_UA_Text_To_IdType(Text));
}

String TOPC_UA_Variable::NodeID() const {
  opcua_structure r;
  r.identifierType = identifierType;
  r.numeric = numeric;
  r.guide1 = guide1;
  r.guide2 = guide2;
  r.guide3 = guide3;
  std::copy(std::begin(guide4), std::end(guide4), std::begin(r.guide4));
  switch (identifierType) {
    case 3:
      return stringname;
    case 5:
      return byteString;
    default:
      return OPC_UA_Id_To_Text(r);
  }
}

void TOPC_UA_Variable::SetNodeID(const String& Text) {
  switch (identifierType) {
    case 0: {
      // Unsigned 32 bits: a value above 2147483647 is an identifier too.
      const int64_t v = CellToInt64(Text, 0);
      numeric = v >= 0 && v <= 0xFFFFFFFFLL ? static_cast<uint32_t>(v) : 0;
      break;
    }
    case 3:
      stringname = Text;
      break;
    case 5:
      byteString = Text;
      break;
    case 4: {
      String rest = Trim(Text);
      auto group = [&rest]() {
        const size_t at = rest.find(u'-');
        String g = at == String::npos ? rest : rest.substr(0, at);
        rest = at == String::npos ? String() : rest.substr(at + 1);
        return Opc_Hex_Group(g);
      };
      guide1 = group();
      guide2 = static_cast<uint16_t>(group());
      guide3 = static_cast<uint16_t>(group());
      for (int i = 0; i < 8; ++i) {
        if (rest.size() < 3) {
          guide4[i] = static_cast<uint8_t>(Opc_Hex_Group(rest));
          rest.clear();
        } else {
          guide4[i] = static_cast<uint8_t>(Opc_Hex_Group(rest.substr(0, 2)));
          rest.erase(0, i == 1 ? 3 : 2);
        }
      }
      break;
    }
    default:
      break;
  }
}

String TOPC_UA_Variable::VarType() const {
  return dataType >= 1 && dataType <= 14 ? OPC_UA_DataType_To_Text(dataType) : String(u"Boolean");
}

void TOPC_UA_Variable::SetVarType(const String& Text) {
  const String t = UpperCase(Text);
  dataType = 0;
  for (int i = 0; i < 15; ++i)
    if (t == kOpcTypes[i]) dataType = i;
}

// ---- positions and check ----

int GetLenVarType(const String& Type) {
  const String t = UpperCase(Type);
  for (int i = 0; i < 15; ++i)
    if (t == kOpcTypes[i]) return kOpcTypeSizes[i];
  return 0;
}

void Start_Position(const TOPC_UA_Server_List& List, int Row, int& Read_Start, int& Write_Start) {
  Read_Start = Write_Start = 0;
  const int above = Row - 2;
  if (Row - 1 <= 0 || above >= static_cast<int>(List.size())) return;
  Read_Start = Opc_List_End(List[static_cast<size_t>(above)]->Var_List_R);
  Write_Start = Opc_List_End(List[static_cast<size_t>(above)]->Var_List_W);
}

void Auto_Position(TOPC_UA_Server& Server, int Read_Start, int Write_Start) {
  for (auto& v : Server.Var_List_R) {
    v->Position = IntToStr(Read_Start);
    Read_Start += GetLenVarType(v->VarType());
  }
  for (auto& v : Server.Var_List_W) {
    v->Position = IntToStr(Write_Start);
    Write_Start += GetLenVarType(v->VarType());
  }
}

String Check_OPC_UA_Client(const TOPC_UA_Server_List& List) {
  int n = 0;
  for (const auto& s : List) {
    ++n;
    int m = 0;
    for (const auto& v : s->Var_List_R) {
      ++m;
      if (!v->Enable) continue;
      if (String e = Opc_Check_Read(*v, n, m); !e.empty()) return e;
    }
    m = 0;
    for (const auto& v : s->Var_List_W) {
      ++m;
      if (!v->Enable) continue;
      if (String e = Opc_Check_Write(*v, n, m); !e.empty()) return e;
    }
  }
  return String();
}

// ---- file ----

std::string OPC_UA_Client_Bytes(const TOPC_UA_Server_List& List) {
  TXMLDocument doc;
  TXMLNode servers = doc.AddRoot(u"OPC_UA_Client").AddChild(u"OPC_UA_Server_List");
  for (const auto& s : List) {
    TXMLNode e = servers.AddChild(u"OPC_UA_Server");
    e.SetAttribute(u"Enable", s->Enable ? u"1" : u"0");
    e.SetAttribute(u"ServerAddress", s->ServerAddress);
    e.SetAttribute(u"Authorization", s->Authorization);
    e.SetAttribute(u"UserName", s->UserName);
    e.SetAttribute(u"Password", s->Password);
    e.SetAttribute(u"Certificate", s->Certificate);
    e.SetAttribute(u"PrivateKey", s->PrivateKey);
    e.SetAttribute(u"SecurityType", s->SecurityType);
    e.SetAttribute(u"SecurityPolicy", s->SecurityPolicy);
    e.SetAttribute(u"Mnemonic", s->Mnemonic);
    TXMLNode vars = e.AddChild(u"OPC_UA_Variables");
    TXMLNode read = vars.AddChild(u"OPC_UA_Read_Var");
    for (const auto& v : s->Var_List_R) Opc_Write_Variable(read, *v, false);
    TXMLNode write = vars.AddChild(u"OPC_UA_Write_Var");
    for (const auto& v : s->Var_List_W) Opc_Write_Variable(write, *v, true);
  }
  return doc.SaveToUtf8();
}

void Save_OPC_UA_Client(const TOPC_UA_Server_List& List, const String& Path) {
  WriteFileWhole(Path, OPC_UA_Client_Bytes(List));
}

bool Load_OPC_UA_Client(const String& Path, TOPC_UA_Server_List& List) {
  if (!FileExists(Path)) return false;
  TClientReader(Path, List).Read();
  return true;
}
