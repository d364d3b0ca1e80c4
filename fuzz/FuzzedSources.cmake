# The library sources the fuzz targets compile themselves, instrumented, while they link
# everything else from a build's static libraries (paths from the repository root).
# fuzz/readers/CMakeLists.txt compiles CONF_FUZZED_READERS; fuzz/html/run.sh compiles
# CONF_FUZZED_HTML. The libraries batch these only among themselves (conf_unity): an archive
# member holding one of them beside another file would be pulled in for the other file and
# define the fuzzed file's symbols a second time.
set(CONF_FUZZED_READERS
  platform/Encoding.cpp platform/UString.cpp platform/SysUtils.cpp platform/Classes.cpp
  platform/XMLDoc.cpp platform/Pictures.cpp platform/RichTextRtf.cpp
  shell/USettings.cpp shell/ULanguage.cpp
  shell/TableFile.cpp gateway/USNMP_Trap_Access.cpp gateway/USNMP_MIB.cpp
  gateway/ULoRaWAN_Gateway.cpp gateway/USaveBincc.cpp gateway/BankImageParams.cpp
  gateway/BankImageSnmp.cpp gateway/BankImageLoRaWAN.cpp gateway/PacketForwarderConf.cpp
  parameters/UParGenFile.cpp gateway/BACnetEDE.cpp)
set(CONF_FUZZED_HTML
  grid/foundation/AsgHTMLE.cpp grid/foundation/AsgHTMLEText.cpp grid/foundation/PictureContainer.cpp)
