#pragma once
// The packet-forwarder configuration that ends the LoRaWAN section: a fixed JSON template per RF
// band with the network-server settings of LoRaWAN_ParGen put in.
#include <vector>

#include "platform/UString.h"

// Clears Conf_File_Lines and fills it with the template of LoRaWAN_ParGen.RF_Band (0 EU868,
// 1 US915; any other band: no lines).
void Build_Packet_Forwarder_Conf(std::vector<String>& Conf_File_Lines);

// Text as the inside of a JSON string: '"' and '\' escaped, control and non-ASCII characters as
// \uXXXX, so a host name can never break the configuration.
String Json_String_Escape(const String& Text);
