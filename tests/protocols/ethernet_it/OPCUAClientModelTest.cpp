// The OPC UA client configuration without a window: node identifiers and data types as texts,
// sizes and automatic positions, the check of every server and variable, and OPC_UA_Client.xml.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/Files.h"
#include "platform/testing/ScratchFolder.h"
#include "protocols/ethernet_it/UOPC_UA_Client_Model.h"
#include "shell/TableFile.h"
#include "shell/ULanguage.h"
#include "tests/protocols/ethernet_it/EthernetItFormTestSupport.h"

namespace {

std::unique_ptr<TOPC_UA_Variable> Var(const String& Name, const String& Type, const String& Position,
                                      const String& Time = u"100") {
  auto v = std::make_unique<TOPC_UA_Variable>();
  v->Enable = true;
  v->DispalyName = Name;
  v->SetVarType(Type);
  v->VarArray = u"Variable";
  v->Start = v->Len = u"0";
  v->Time = Time;
  v->Position = Position;
  v->OnChange = v->OnCMD = v->OnTimer = u"N";
  return v;
}

std::unique_ptr<TOPC_UA_Server> Server(const String& Address) {
  auto s = std::make_unique<TOPC_UA_Server>();
  s->Enable = true;
  s->ServerAddress = Address;
  s->Authorization = u"Anonymous";
  s->SecurityType = s->SecurityPolicy = u"None";
  return s;
}

class OpcUaModelTest : public ::testing::Test {
 protected:
  void SetUp() override { Load_Default_Strings(); }
  void TearDown() override { Load_Default_Strings(); }
  String Write(const std::string& Text) {
    std::ofstream(folder_ / "OPC_UA_Client.xml", std::ios::binary) << Text;
    return folder_.File("OPC_UA_Client.xml");
  }
  TScratchFolder folder_{"opc_ua_model"};
};

}  // namespace

TEST_F(OpcUaModelTest, NodeIdentifiersReadAndWriteByKind) {
  TOPC_UA_Variable v;
  v.SetNodeType(u"guid");
  EXPECT_EQ(v.identifierType, 4);
  v.SetNodeID(u" 0123abcd-ef01-2345-6789-abcdef012345 ");
  EXPECT_EQ(v.guide1, 0x0123ABCDu);
  EXPECT_EQ(v.guide2, 0xEF01);
  EXPECT_EQ(v.guide3, 0x2345);
  EXPECT_EQ(std::vector<uint8_t>(v.guide4, v.guide4 + 8),
            (std::vector<uint8_t>{0x67, 0x89, 0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45}));
  EXPECT_EQ(v.NodeType(), u"Guid");
  EXPECT_EQ(v.NodeID(), u"0123ABCD-EF01-2345-6789-ABCDEF012345");
  v.SetNodeID(u"1-2-3");
  EXPECT_EQ(v.NodeID(), u"00000001-0002-0003-0000-000000000000");

  struct Case {
    const char16_t* Type;
    const char16_t* Id;
    const char16_t* Shown;
  };
  const Case cases[] = {
      {u"Numeric", u"4294967295", u"4294967295"},  // unsigned 32 bits
      {u"NUMERIC", u"2147483648", u"2147483648"},
      {u"Numeric", u"4294967296", u"0"},  // beyond 32 bits: no number
      {u"Numeric", u"abc", u"0"},
      {u"String", u" Temp ", u" Temp "},
      {u"ByteString", u"AQID", u"AQID"},
      {u"Other", u"17", u"17"},  // an unknown kind is numeric
  };
  for (const Case& k : cases) {
    TOPC_UA_Variable x;
    x.SetNodeType(k.Type);
    x.SetNodeID(k.Id);
    EXPECT_EQ(x.NodeID(), k.Shown) << StringToUtf8(k.Id);
  }
  TOPC_UA_Variable t;
  for (const char16_t* type : {u"datetime", u"nonsense"}) {
    t.SetVarType(type);
    EXPECT_EQ(t.VarType(), String(type) == u"datetime" ? u"DateTime" : u"Boolean");
  }
}

TEST_F(OpcUaModelTest, SizesAndAutomaticPositions) {
  EXPECT_EQ(GetLenVarType(u"DateTime"), 8);
  EXPECT_EQ(GetLenVarType(u"string"), 20);
  EXPECT_EQ(GetLenVarType(u"Guid"), 16);
  EXPECT_EQ(GetLenVarType(u"Decimal"), 0);

  TOPC_UA_Server_List list;
  list.push_back(Server(u"opc.tcp://127.0.0.1:4840"));
  list.push_back(Server(u"opc.tcp://127.0.0.1:4841"));
  list[0]->Var_List_R.push_back(Var(u"a", u"Double", u"100"));
  list[0]->Var_List_R.push_back(Var(u"b", u"Int16", u"x"));  // no number: counts as 0
  list[0]->Var_List_R.back()->Enable = false;                // disabled ones count
  list[0]->Var_List_W.push_back(Var(u"w", u"DateTime", u"10"));
  list[1]->Var_List_R.push_back(Var(u"c", u"String", u""));
  list[1]->Var_List_R.push_back(Var(u"d", u"DateTime", u""));
  list[1]->Var_List_R.push_back(Var(u"e", u"Float", u""));
  list[1]->Var_List_W.push_back(Var(u"f", u"UInt32", u""));
  list[1]->Var_List_W.push_back(Var(u"g", u"Int8", u""));

  int read = -1, write = -1;
  Start_Position(list, 1, read, write);
  EXPECT_EQ((std::pair{read, write}), (std::pair{0, 0}));
  Start_Position(list, 2, read, write);
  EXPECT_EQ((std::pair{read, write}), (std::pair{108, 18}));
  Auto_Position(*list[1], read, write);
  EXPECT_EQ(list[1]->Var_List_R[0]->Position, u"108");
  EXPECT_EQ(list[1]->Var_List_R[1]->Position, u"128");
  EXPECT_EQ(list[1]->Var_List_R[2]->Position, u"136");
  EXPECT_EQ(list[1]->Var_List_W[0]->Position, u"18");
  EXPECT_EQ(list[1]->Var_List_W[1]->Position, u"22");
}

TEST_F(OpcUaModelTest, TheCheckShowsTheFirstFailureWithServerAndVariable) {
  struct Case {
    const char* Name;
    std::function<void(TOPC_UA_Variable&)> Read;   // applied to read variable 2 of server 2
    std::function<void(TOPC_UA_Variable&)> Write;  // applied to write variable 1 of server 2
    const char16_t* Message;
  };
  auto none = [](TOPC_UA_Variable&) {};
  const String p = u"Error in Server Number 2 in Read Variable 2!! ";
  const Case cases[] = {
      {"everything good", none, none, nullptr},
      {"Var/Array empty", [](auto& v) { v.VarArray = u" "; }, none, u"Var/Array cannot be empty"},
      {"String, single, empty Start",
       [](auto& v) {
         v.SetVarType(u"String");
         v.Start = u"";
       },
       none, u"Start must be major or equal to 0"},
      {"String, single, Length -1",
       [](auto& v) {
         v.SetVarType(u"ByteString");
         v.Len = u"-1";
       },
       none, u"Length must be major or equal to 0"},
      {"Int32, single, empty Start: not tested", [](auto& v) { v.Start = u""; }, none, nullptr},
      {"String array",
       [](auto& v) {
         v.SetVarType(u"String");
         v.VarArray = u"array";
       },
       none, u"A String or ByteString cannot be an Array"},
      {"array with empty Start",
       [](auto& v) {
         v.VarArray = u"Array";
         v.Start = u"";
       },
       none, u"Array Start must be major or equal to 0"},
      {"array with Length x",
       [](auto& v) {
         v.VarArray = u"Array";
         v.Len = u"x";
       },
       none, u"Array Length must be major or equal to 0"},
      {"Time empty", [](auto& v) { v.Time = u""; }, none, u"Time cannot be empty"},
      {"Time 0", [](auto& v) { v.Time = u"0"; }, none, u"Time must be major to 0"},
      {"Position empty", [](auto& v) { v.Position = u" "; }, none, u"Position cannot be empty"},
      {"Position 1499", [](auto& v) { v.Position = u"1499"; }, none, nullptr},
      {"Position 1500", [](auto& v) { v.Position = u"1500"; }, none, u"Position must be between 0 and 1499"},
      {"a disabled read variable",
       [](auto& v) {
         v.Enable = false;
         v.Time = u"";
       },
       none, nullptr},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    TOPC_UA_Server_List list;
    list.push_back(Server(u"a"));
    list.push_back(Server(u"b"));
    list[0]->Var_List_R.push_back(Var(u"ok", u"Int32", u"0"));
    list[1]->Var_List_R.push_back(Var(u"ok", u"Int32", u"0"));
    list[1]->Var_List_R.push_back(Var(u"x", u"Int32", u"4"));
    list[1]->Var_List_W.push_back(Var(u"w", u"Int32", u"8"));
    k.Read(*list[1]->Var_List_R[1]);
    k.Write(*list[1]->Var_List_W[0]);
    EXPECT_EQ(Check_OPC_UA_Client(list), k.Message ? p + k.Message : String());
  }
  // Write variables: Time only with OnTimer; a read variable always needs it.
  TOPC_UA_Server_List list;
  list.push_back(Server(u"a"));
  list[0]->Var_List_W.push_back(Var(u"w", u"Int32", u"8", u""));
  EXPECT_EQ(Check_OPC_UA_Client(list), String());
  list[0]->Var_List_W[0]->OnTimer = u"Y";
  EXPECT_EQ(Check_OPC_UA_Client(list), u"Error in Server Number 1 in Write Variable 1!! Time cannot be empty");
  list[0]->Var_List_W[0]->Time = u"5";
  list[0]->Var_List_W[0]->Position = u"-1";
  EXPECT_EQ(Check_OPC_UA_Client(list),
            u"Error in Server Number 1 in Write Variable 1!! Position must be between 0 and 1499");
}

TEST_F(OpcUaModelTest, BlankLanguageTextsOfTheVarArrayChecksFallBackToTheBuiltInOnes) {
  Language_List->SetStrings(4214, u" ");  // as a language file without these texts leaves them
  TOPC_UA_Server_List list;
  list.push_back(Server(u"a"));
  list[0]->Var_List_R.push_back(Var(u"s", u"String", u"0"));
  list[0]->Var_List_R[0]->VarArray = u"Array";
  EXPECT_EQ(Check_OPC_UA_Client(list),
            u"Error in Server Number 1 in Read Variable 1!! A String or ByteString cannot be an Array");
}

TEST_F(OpcUaModelTest, TheFileIsTheGoldenFileAndLoadsBackToTheSameObjects) {
  TOPC_UA_Server_List list;
  list.push_back(Server(u"opc.tcp://127.0.0.1:4840"));
  list[0]->Mnemonic = u"line \"1\" <&>";
  auto r = Var(u"Temp", u"Double", u"0");
  r->SetNodeType(u"String");
  r->SetNodeID(u"Temp");
  r->nameSpaceIndex = 1;
  list[0]->Var_List_R.push_back(std::move(r));
  auto g = Var(u"Id", u"Guid", u"8");
  g->SetNodeType(u"Guid");
  g->SetNodeID(u"0123abcd-ef01-2345-6789-abcdef012345");
  g->VarArray = u"Array";
  g->Start = u"2";
  g->Len = u"3";
  g->Enable = false;
  list[0]->Var_List_R.push_back(std::move(g));
  auto w = Var(u"Set", u"UInt32", u"0", u"");
  w->numeric = 4294967295u;
  w->VarArray = u"Array";  // a write variable is always saved as a single one
  w->Start = w->Len = u"7";
  w->OnChange = u"Y";
  list[0]->Var_List_W.push_back(std::move(w));
  auto s2 = Server(u"opc.tcp://127.0.0.1:4841");
  s2->Enable = false;
  s2->Authorization = u"Username and Password";
  s2->UserName = u"op";
  s2->Password = u"pw";
  s2->SecurityType = u"Sign";
  s2->SecurityPolicy = u"Basic 256 SHA 256";
  list.push_back(std::move(s2));

  const std::string bytes = OPC_UA_Client_Bytes(list);
  EXPECT_EQ(bytes, ethernet_it_test::Fixture("OPC_UA_Client.xml"));
  const String path = Write(bytes);
  TOPC_UA_Server_List back;
  ASSERT_TRUE(Load_OPC_UA_Client(path, back));
  EXPECT_EQ(OPC_UA_Client_Bytes(back), bytes);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0]->Var_List_W[0]->numeric, 4294967295u);
  EXPECT_EQ(back[0]->Var_List_W[0]->VarArray, u"Var");
  EXPECT_EQ(back[0]->Var_List_R[1]->NodeID(), u"0123ABCD-EF01-2345-6789-ABCDEF012345");
  EXPECT_FALSE(back[0]->Var_List_R[1]->Enable);
  EXPECT_EQ(back[1]->Password, u"pw");
  EXPECT_FALSE(back[1]->Enable);
}

TEST_F(OpcUaModelTest, AnOlderFileTakesTheDefaultsAndNoFileIsNoServer) {
  TOPC_UA_Server_List list;
  EXPECT_FALSE(Load_OPC_UA_Client(folder_.File("none.xml"), list));
  const String path = Write(
      "<?xml version=\"1.0\"?><!--x--><Other/><OPC_UA_Client><OPC_UA_Server_List><Srv ServerAddress=\"a\" "
      "Authorization=\"Anonymous\" UserName=\"\" Password=\"\" Certificate=\"\" PrivateKey=\"\" SecurityType=\"None\" "
      "SecurityPolicy=\"None\" Mnemonic=\"\"><OPC_UA_Variables><OPC_UA_Read_Var><V DisplayName=\"t\" "
      "NodeType=\"Numeric\" "
      "NodeID=\"5\" VarType=\"Float\" NameSpaceIndex=\"2\" Time=\"1\" Position=\"3\" Mnemonic=\"\"/></OPC_UA_Read_Var>"
      "<OPC_UA_Write_Var/></OPC_UA_Variables></Srv></OPC_UA_Server_List></OPC_UA_Client>");
  ASSERT_TRUE(Load_OPC_UA_Client(path, list));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_FALSE(list[0]->Enable);
  const TOPC_UA_Variable& v = *list[0]->Var_List_R.at(0);
  EXPECT_FALSE(v.Enable);
  EXPECT_EQ((std::vector<String>{v.VarArray, v.Start, v.Len, v.OnChange, v.OnCMD, v.OnTimer}),
            (std::vector<String>{u"Variable", u"0", u"0", u"N", u"N", u"N"}));
  EXPECT_EQ(v.numeric, 5u);
  EXPECT_EQ(v.nameSpaceIndex, 2);
}

TEST_F(OpcUaModelTest, AFileThatCannotBeReadWholeIsReportedByName) {
  const std::string server =
      "<OPC_UA_Server ServerAddress=\"a\" Authorization=\"Anonymous\" UserName=\"\" Password=\"\" Certificate=\"\" "
      "PrivateKey=\"\" SecurityType=\"None\" SecurityPolicy=\"None\" Mnemonic=\"\">";
  auto var = [](const std::string& Extra, const std::string& Ns = "0") {
    return "<Variable DisplayName=\"v\" NodeType=\"Numeric\" NodeID=\"1\" VarType=\"Int32\" NameSpaceIndex=\"" + Ns +
           "\" Time=\"1\" Position=\"0\"" + Extra + "/>";
  };
  std::string many;
  for (int i = 0; i < OPC_UA_Max_Variables + 1; ++i) many += var(" Mnemonic=\"\"");
  struct Case {
    const char* Name;
    std::string Text;
    const char* Message;
    size_t Servers;  // read before the failure
  };
  const Case cases[] = {
      {"no root of that name", "<OPC_UA_Other/>", "the element \"OPC_UA_Client\" is missing", 0},
      {"no server list", "<OPC_UA_Client/>", "the element \"OPC_UA_Server_List\" is missing", 0},
      {"a server without Mnemonic",
       "<OPC_UA_Client><OPC_UA_Server_List><S ServerAddress=\"a\"/></OPC_UA_Server_List></OPC_UA_Client>",
       "row 1 of \"OPC_UA_Server_List\" has no attribute \"Authorization\"", 0},
      {"no variables element",
       "<OPC_UA_Client><OPC_UA_Server_List>" + server + "</OPC_UA_Server></OPC_UA_Server_List></OPC_UA_Client>",
       "the element \"OPC_UA_Variables\" is missing", 1},
      {"no write list",
       "<OPC_UA_Client><OPC_UA_Server_List>" + server +
           "<OPC_UA_Variables><OPC_UA_Read_Var/></OPC_UA_Variables></OPC_UA_Server></OPC_UA_Server_List></"
           "OPC_UA_Client>",
       "the element \"OPC_UA_Write_Var\" is missing", 1},
      {"a variable without Mnemonic",
       "<OPC_UA_Client><OPC_UA_Server_List>" + server + "<OPC_UA_Variables><OPC_UA_Read_Var>" + var("") +
           "</OPC_UA_Read_Var><OPC_UA_Write_Var/></OPC_UA_Variables></OPC_UA_Server></OPC_UA_Server_List></"
           "OPC_UA_Client>",
       "row 1 of \"OPC_UA_Read_Var of server 1\" has no attribute \"Mnemonic\"", 1},
      {"a name space index that is no number",
       "<OPC_UA_Client><OPC_UA_Server_List>" + server + "<OPC_UA_Variables><OPC_UA_Read_Var/><OPC_UA_Write_Var>" +
           var(" Mnemonic=\"\"", "x") +
           "</OPC_UA_Write_Var></OPC_UA_Variables></OPC_UA_Server></OPC_UA_Server_List></OPC_UA_Client>",
       "\"NameSpaceIndex\" that is not a whole number", 1},
      {"more variables than a table has",
       "<OPC_UA_Client><OPC_UA_Server_List>" + server + "<OPC_UA_Variables><OPC_UA_Read_Var>" + many +
           "</OPC_UA_Read_Var><OPC_UA_Write_Var/></OPC_UA_Variables></OPC_UA_Server></OPC_UA_Server_List></"
           "OPC_UA_Client>",
       "holds more than 1024 rows", 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    TOPC_UA_Server_List list;
    try {
      Load_OPC_UA_Client(Write(k.Text), list);
      ADD_FAILURE() << "no error";
    } catch (const ETableFileError& E) {
      EXPECT_NE(StringToUtf8(E.Message()).find("OPC_UA_Client.xml"), std::string::npos) << StringToUtf8(E.Message());
      EXPECT_NE(StringToUtf8(E.Message()).find(k.Message), std::string::npos) << StringToUtf8(E.Message());
    }
    EXPECT_EQ(list.size(), k.Servers);
  }
}
