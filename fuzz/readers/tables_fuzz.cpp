// libFuzzer target for the table files and the MIB writer: the input is read as SNMP_Trap.xml
// (the form's load, the image builder's rows, the MIB descriptions and module text) and as
// LoRaWAN_Gateway.xml (the form's load, the check, the image builder's rows). Any file loads or
// raises ETableFileError; what a form loaded saves to bytes that load again to the same bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz/readers/FuzzSupport.h"
#include "gateway/TableFile.h"
#include "gateway/ULoRaWAN_Gateway.h"
#include "gateway/USNMP_MIB.h"
#include "gateway/USNMP_Trap_Access.h"
#include "shell/UComon.h"

namespace {

std::string SnmpBytes(const TSNMP_Trap_Tables& t) { return TableFileBytes(SNMP_Trap_Layout(), {&t.Read, &t.Write}); }

void SnmpTrap(std::string_view bytes) {
  static const String path = fuzz::ScratchFile(u"SNMP_Trap.xml");
  static const String again = fuzz::ScratchFile(u"SNMP_Trap_again.xml");
  fuzz::Write(path, bytes);
  TSNMP_Trap_File rows;
  try {
    Read_SNMP_Trap_File(path, rows);
    for (const TTableRows* t : {&rows.Read, &rows.Write})
      for (const TTableRow& r : *t) SNMP_Trap_Row_Enabled(r);
  } catch (const ETableFileError&) {
  }
  try {
    Read_SNMP_Trap_Descriptions_From(path);
    // The module is written only when the check lets every description through.
    if (Check_MIB_Descriptions().empty()) {
      const std::string mib = SNMP_MIB_Text();
      for (char c : mib)
        if (static_cast<unsigned char>(c) >= 0x80) fuzz::Fail("a MIB module that passed the check is ASCII");
    }
  } catch (const ETableFileError&) {
  }
  TSNMP_Trap_Tables tables;
  try {
    Load_SNMP_Trap_File(path, tables.Read, tables.Write);
  } catch (const ETableFileError&) {
    return;  // what was read before the failure is not a whole file
  }
  const std::string saved = SnmpBytes(tables);
  fuzz::Write(again, saved);
  TSNMP_Trap_Tables back;
  try {
    Load_SNMP_Trap_File(again, back.Read, back.Write);
  } catch (const ETableFileError&) {
    fuzz::Fail("a saved SNMP table file loads");
  }
  if (SnmpBytes(back) != saved) fuzz::Fail("a reloaded SNMP table file saves to the same bytes");
}

void LoRaWAN(std::string_view bytes, bool master) {
  static const String path = fuzz::ScratchFile(u"LoRaWAN_Gateway.xml");
  static const String again = fuzz::ScratchFile(u"LoRaWAN_Gateway_again.xml");
  static TDeviceLoRaList* list = new TDeviceLoRaList();
  static TDeviceLoRaList* back = new TDeviceLoRaList();
  fuzz::Write(path, bytes);
  std::vector<TLoRaWAN_File_Device> devices;
  try {
    Read_LoRaWAN_Gateway_File(path, devices);
  } catch (const ETableFileError&) {
  }
  try {
    Load_LoRaWAN_Gateway_File(path, *list, master);
  } catch (const ETableFileError&) {
    return;
  }
  String message;
  Check_LoRaWAN_Data(*list, message);
  const std::string saved = LoRaWAN_Gateway_Bytes(*list);
  fuzz::Write(again, saved);
  try {
    Load_LoRaWAN_Gateway_File(again, *back, master);
  } catch (const ETableFileError&) {
    fuzz::Fail("a saved LoRaWAN file loads");
  }
  if (LoRaWAN_Gateway_Bytes(*back) != saved) fuzz::Fail("a reloaded LoRaWAN file saves to the same bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  if (data[0] & 1) LoRaWAN(bytes, !(data[0] & 2));
  else SnmpTrap(bytes);
  return 0;
}
