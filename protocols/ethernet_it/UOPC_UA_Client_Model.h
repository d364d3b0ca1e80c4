#pragma once
// The gateway's OPC UA client configuration in memory: the servers it reads from and writes to,
// each with its read and write variables tied to positions of the internal data array; the check
// that runs before a save, the automatic positions, and the file OPC_UA_Client.xml. No window:
// the client form owns the list and calls what is here.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/UString.h"

// One variable. The class library's plain properties are plain members here; the computed ones
// (NodeType, NodeID, VarType) are methods.
class TOPC_UA_Variable {
 public:
  bool Enable = false;
  String DispalyName;
  String ReadWrite;                 // declared, never used
  String OnChange, OnCMD, OnTimer;  // "Y" or "N" (write variables)
  String VarArray;                  // "Variable" or "Array" (read variables)
  String Start, Len, Time, Position, Mnemonic;

  uint16_t nameSpaceIndex = 0;
  uint16_t identifierType = 0;  // 0 numeric, 3 string, 4 GUID, 5 byte string
  uint32_t numeric = 0;
  String stringname;
  uint32_t guide1 = 0;
  uint16_t guide2 = 0;
  uint16_t guide3 = 0;
  uint8_t guide4[8] = {};
  String byteString;
  int32_t dataType = 0;  // 0 .. 14, "Boolean" .. "ByteString"

  String NodeType() const;
  void SetNodeType(const String& Text);
  // The identifier of the kind NodeType selects; set NodeType first.
  String NodeID() const;
  void SetNodeID(const String& Text);
  String VarType() const;
  void SetVarType(const String& Text);
};

class TOPC_UA_Server {
 public:
  bool Enable = false;
  String ServerAddress;
  String Authorization;  // "Anonymous", "Username and Password", "Certificate"
  String UserName, Password;
  String Certificate, PrivateKey;
  String SecurityType;    // "None", "Sign", "Sign and Encrypt"
  String SecurityPolicy;  // "None" .. "AES 256 SHA 256 RSA PSS"
  String Mnemonic;
  std::vector<std::unique_ptr<TOPC_UA_Variable>> Var_List_R;
  std::vector<std::unique_ptr<TOPC_UA_Variable>> Var_List_W;
};

using TOPC_UA_Server_List = std::vector<std::unique_ptr<TOPC_UA_Server>>;

// Rows of a variable table: a server's read or write list never holds more.
constexpr int OPC_UA_Max_Variables = 1024;
// Positions of the internal data array a variable may take: 0 .. OPC_UA_Last_Position.
constexpr int OPC_UA_Last_Position = 1499;

// Bytes a variable of the data type text takes in the internal data array; 0 for a text that is
// no data type.
int GetLenVarType(const String& Type);

// The first free read and write positions for the server of server-table row Row: after the end
// of the read and of the write variables of the server above it; 0 for the first.
void Start_Position(const TOPC_UA_Server_List& List, int Row, int& Read_Start, int& Write_Start);

// Gives every variable of the server consecutive positions from the two starts.
void Auto_Position(TOPC_UA_Server& Server, int Read_Start, int Write_Start);

// The first failing test of the whole configuration as its message, or empty when every enabled
// variable passes.
String Check_OPC_UA_Client(const TOPC_UA_Server_List& List);

// OPC_UA_Client.xml as written (UTF-8, no comment).
std::string OPC_UA_Client_Bytes(const TOPC_UA_Server_List& List);
// Writes the file whole; raises ETableFileError when the save fails.
void Save_OPC_UA_Client(const TOPC_UA_Server_List& List, const String& Path);
// Appends the file's servers to List; false when there is no file. A file that cannot be read,
// lacks one of its elements or a required attribute, or holds more variables than a table has,
// raises ETableFileError naming it; what was read before stays in List.
bool Load_OPC_UA_Client(const String& Path, TOPC_UA_Server_List& List);
