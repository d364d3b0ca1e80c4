// A stand-in for the browsing library OPC_UA_Search, built by the tests: fixed records whose texts
// it owns and frees when it is released, and a log of its loads, releases and calls in the file
// that OPCUA_DOUBLE_LOG names. OPCUA_DOUBLE_COUNT, when set, is the count it answers instead.
// Built without the variable export too (OPCUA_DOUBLE_NO_RETURN), for a library that lacks it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "shell/UComon.h"

namespace {

void Log(const std::string& Line) {
  if (const char* path = std::getenv("OPCUA_DOUBLE_LOG")) {
    if (FILE* f = std::fopen(path, "a")) {
      std::fprintf(f, "%s\n", Line.c_str());
      std::fclose(f);
    }
  }
}

std::string Text(const char* p) { return p ? p : "(null)"; }

// Texts handed out, freed at release: a reader that kept a pointer reads freed memory.
std::vector<char*> texts;

[[maybe_unused]] char* Own(const char* Text) {
  char* p = strdup(Text);
  texts.push_back(p);
  return p;
}

__attribute__((constructor)) void Loaded() { Log("load"); }
__attribute__((destructor)) void Released() {
  for (char* p : texts) std::free(p);
  texts.clear();
  Log("release");
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t opcua_client_begin(opcua_server_to_discover Server) {
  Log("begin " + Text(Server.server_address) + " " + std::to_string(Server.user_pass_auth_flag) + " " +
      Text(Server.username) + " " + Text(Server.password) + " " + Text(Server.cert) + " " + Text(Server.priv_key) +
      " " + std::to_string(Server.security_type) + " " + std::to_string(Server.security_policy));
  if (const char* count = std::getenv("OPCUA_DOUBLE_COUNT")) return std::atoi(count);
  return 5;
}

#ifndef OPCUA_DOUBLE_NO_RETURN
// Records 0 .. 4: access levels 0, 1, 2, 4, 3; numeric, string, GUID, byte-string and numeric ids.
extern "C" __attribute__((visibility("default"))) int32_t opcua_return_variable(opcua_structure* Var, int32_t Index) {
  Log("variable " + std::to_string(Index));
  static const uint8_t access[] = {0, 1, 2, 4, 3};
  *Var = opcua_structure();
  Var->nameSpaceIndex = static_cast<uint16_t>(Index + 1);
  Var->accessLevel = access[Index % 5];
  Var->dataType = Index == 4 ? 99 : Index * 3;  // 99: no data type of the table
  const std::string name = Index == 1 ? "Gr\xC3\xBC\xC3\x9F"
                                        "e"
                                      : "var" + std::to_string(Index);
  Var->displayName = Own(name.c_str());
  switch (Index) {
    case 1:
      Var->identifierType = 3;
      Var->stringname = Own("Plant.Temp");
      break;
    case 2:
      Var->identifierType = 4;
      Var->guide1 = 0x0123ABCD;
      Var->guide2 = 0xEF01;
      Var->guide3 = 0x2345;
      for (int i = 0; i < 8; ++i) Var->guide4[i] = static_cast<uint8_t>(0x67 + 0x22 * i);
      break;
    case 3:
      Var->identifierType = 5;
      Var->byteString = reinterpret_cast<const uint8_t*>(Own("AQID"));
      break;
    default:
      Var->identifierType = 0;
      Var->numeric = 4294967295u - static_cast<uint32_t>(Index);
      break;
  }
  return 0;
}

extern "C" __attribute__((visibility("default"))) const char* opcua_last_error() { return "BadTimeout: no answer"; }
#endif
