// The IEC 61850 client form alone, on a configuration folder given as the argument, to try it by
// hand or drive it with xdotool under Xvfb (its step button is hidden). Writes a small SCL file,
// sample.icd, into a folder scl_source beside the configuration for the open dialog to pick.
// Prints the form's modal result when it closes; OK has then written IEC_61850_Client.xml.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "protocols/ethernet_it/UIEC_61850_Access.h"
#include "tests/manual/HarnessStart.h"

namespace {

const char kSampleScl[] = R"(<SCL><IED name="SRV"><AccessPoint name="AP"><Server><LDevice inst="LD0">
<LN0 lnClass="LLN0" inst="" lnType="L0"><DataSet name="DS1">
<FCDA ldInst="LD0" lnClass="GGIO" lnInst="1" doName="Ind1" daName="stVal" fc="ST"/>
<FCDA ldInst="LD0" lnClass="GGIO" lnInst="1" doName="Ind1" daName="q" fc="ST"/>
</DataSet><GSEControl name="GC1" datSet="DS1"/></LN0>
<LN lnClass="GGIO" inst="1" lnType="G"/><LN prefix="M1" lnClass="MMXU" inst="1" lnType="M"/></LDevice></Server>
</AccessPoint></IED>
<DataTypeTemplates><LNodeType id="L0" lnClass="LLN0"/>
<LNodeType id="G" lnClass="GGIO"><DO name="Ind1" type="SPS"/></LNodeType>
<LNodeType id="M" lnClass="MMXU"><DO name="TotW" type="MV"/></LNodeType>
<DOType id="SPS" cdc="SPS"><DA name="stVal" bType="BOOLEAN" fc="ST"/><DA name="q" bType="Quality" fc="ST"/>
<DA name="t" bType="Timestamp" fc="ST"/><DA name="d" bType="VisString255" fc="DC"/></DOType>
<DOType id="MV" cdc="MV"><DA name="mag" bType="Struct" type="AV" fc="MX"/><DA name="q" bType="Quality" fc="MX"/></DOType>
<DAType id="AV"><BDA name="f" bType="FLOAT32"/><BDA name="i" bType="INT32"/></DAType></DataTypeTemplates></SCL>)";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: iec_client_harness <configuration folder>\n");
    return 2;
  }
  const std::filesystem::path folder(argv[1]);
  const std::filesystem::path source = folder.parent_path() / "scl_source";
  std::filesystem::create_directories(source);
  std::ofstream(source / "sample.icd", std::ios::binary) << kSampleScl;
  std::printf("SCL sample: %s\n", (source / "sample.icd").c_str());
  std::fflush(stdout);
  Start_Harness(argv[1]);
  Application->CreateForm(FIEC_61850_Access);
  const int result = FIEC_61850_Access->ShowModal();
  std::printf("result %d\n", result);
  return 0;
}
