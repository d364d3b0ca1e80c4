// The SCL decoder: the object tree of the first IED, its references, types and data sets, with the
// members checked against an independent SCL library.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/XMLDoc.h"
#include "platform/testing/ScratchFolder.h"
#include "protocols/ethernet_it/UIEC_Client_Decode.h"

namespace {

std::string U8(const String& s) { return StringToUtf8(s); }

// Two MMXU nodes of different types under one class; a WYE with a sub-data object; a data set
// whose members all resolve, one with the unresolvable and incomplete cases; a second IED.
const char* const kScl = R"(<?xml version="1.0" encoding="UTF-8"?>
<SCL xmlns="http://www.iec.ch/61850/2003/SCL" xmlns:scl="http://www.iec.ch/61850/2003/SCL">
  <!-- a comment between the sections -->
  <Header id="sample"/>
  <IED name="IED1">
    <AccessPoint name="AP1">
      <Server>
        <LDevice inst="LD0">
          <LN0 lnClass="LLN0" inst="" lnType="LLN0_T">
            <DataSet name="DS1">
              <FCDA ldInst="LD0" prefix="A" lnClass="MMXU" lnInst="1" doName="TotW" daName="mag.f" fc="MX"/>
              <FCDA ldInst="LD0" prefix="B" lnClass="MMXU" lnInst="2" doName="TotW" daName="mag.f" fc="MX"/>
              <FCDA ldInst="LD0" prefix="B" lnClass="MMXU" lnInst="2" doName="A.phsA" daName="cVal.mag.f" fc="MX"/>
              <FCDA ldInst="LD1" lnClass="GGIO" lnInst="1" doName="Ind1" daName="q" fc="ST"/>
              <FCDA ldInst="LD0" lnClass="LLN0" lnInst="" doName="Mod" daName="stVal" fc="ST"/>
            </DataSet>
            <DataSet name="DS2">
              <FCDA ldInst="LD0" prefix="A" lnClass="MMXU" lnInst="1" doName="TotW" fc="MX"/>
              <FCDA ldInst="LDX" lnClass="GGIO" lnInst="1" doName="Ind1" daName="q" fc="ST"/>
              <FCDA lnClass="GGIO" lnInst="1" doName="Ind1" daName="q" fc="ST"/>
              <FCDA ldInst="LD1" lnClass="GGIO" lnInst="1" doName="Nope" daName="q" fc="ST"/>
            </DataSet>
            <GSEControl name="GC1" datSet="DS2"/>
            <GSEControl name="GC2" datSet="Missing"/>
          </LN0>
          <LN prefix="A" lnClass="MMXU" inst="1" lnType="MMXU_A"/>
          <LN prefix="B" lnClass="MMXU" inst="2" lnType="MMXU_B"/>
          <LN lnClass="XCBR" inst="1">
            <DataSet name="DSX">
              <FCDA ldInst="LD0" prefix="A" lnClass="MMXU" lnInst="1" doName="TotW" daName="q" fc="MX"/>
            </DataSet>
          </LN>
        </LDevice>
        <LDevice inst="LD1">
          <LN lnClass="GGIO" inst="1" lnType="GGIO_T"/>
        </LDevice>
      </Server>
    </AccessPoint>
  </IED>
  <IED name="IED2">
    <AccessPoint name="AP1"><Server><LDevice inst="LDZ"/></Server></AccessPoint>
  </IED>
  <DataTypeTemplates>
    <LNodeType id="LLN0_T" lnClass="LLN0">
      <DO name="Mod" type="ENC_T"/>
      <DO name="Cyc" type="REC_T"/>
    </LNodeType>
    <LNodeType id="MMXU_A" lnClass="MMXU"><DO name="TotW" type="MV_F"/></LNodeType>
    <LNodeType id="MMXU_B" lnClass="MMXU"><DO name="TotW" type="MV_I"/><DO name="A" type="WYE_T"/></LNodeType>
    <LNodeType id="GGIO_T" lnClass="GGIO"><DO name="Ind1" type="SPS_T"/></LNodeType>
    <DOType id="ENC_T" cdc="ENC"><DA name="stVal" bType="Enum" type="Beh" fc="ST"/></DOType>
    <DOType id="MV_F" cdc="MV"><DA name="mag" bType="Struct" type="AV_F" fc="MX"/><DA name="q" bType="Quality" fc="MX"/></DOType>
    <DOType id="MV_I" cdc="MV"><DA name="mag" bType="Struct" type="AV_I" fc="MX"/></DOType>
    <DOType id="WYE_T" cdc="WYE"><SDO name="phsA" type="CMV_T"/></DOType>
    <DOType id="CMV_T" cdc="CMV"><DA name="cVal" bType="Struct" type="Vec_T" fc="MX"/></DOType>
    <DOType id="SPS_T" cdc="SPS"><DA name="stVal" bType="BOOLEAN" fc="ST"/><DA name="q" bType="Quality" fc="ST"/></DOType>
    <DOType id="SPS_T" cdc="SPS"><DA name="d" bType="VisString255"/></DOType>
    <DOType id="REC_T" cdc="SPS"><SDO name="again" type="REC_T"/><DA name="c" bType="Struct" type="Cyc_T" fc="SP"/></DOType>
    <DAType id="AV_F"><BDA name="f" bType="FLOAT32"/></DAType>
    <DAType id="AV_I"><BDA name="f" bType="INT32"/></DAType>
    <DAType id="Vec_T"><BDA name="mag" bType="Struct" type="AV_F"/></DAType>
    <DAType id="Cyc_T"><BDA name="self" bType="Struct" type="Cyc_T"/><BDA name="v" bType="INT8"/></DAType>
    <DAType id="Beh"><BDA name="never" bType="INT8"/></DAType>
    <EnumType id="Beh"><EnumVal ord="1">on</EnumVal></EnumType>
  </DataTypeTemplates>
</SCL>
)";

// The decoded tree, one line per object.
void DumpDA(const TIEC_DA* a, std::vector<std::string>& out) {
  out.push_back("DA " + U8(a->Reference()) + " fc=" + U8(a->FC()) + " " + U8(a->bType()));
  for (const auto& s : a->List_DA()) DumpDA(s.get(), out);
}
void DumpDO(const TIEC_DO* d, std::vector<std::string>& out) {
  out.push_back("DO " + U8(d->Name()));
  for (const auto& s : d->List_DO()) DumpDO(s.get(), out);
  for (const auto& a : d->List_DA()) DumpDA(a.get(), out);
}
std::vector<std::string> Dump(const TIEC_Device& dev) {
  std::vector<std::string> out{"IED " + U8(dev.Name()) + " " + U8(dev.FileName())};
  for (const auto& ld : dev.List_LDevice()) {
    out.push_back("LD " + U8(ld->Name()));
    for (const auto& ln : ld->List_LN()) {
      out.push_back("LN " + U8(ln->Prefix()) + "|" + U8(ln->lnClass()) + "|" + U8(ln->Inst()) + " " + U8(ln->lnType()));
      for (const auto& d : ln->List_DO()) DumpDO(d.get(), out);
      for (const auto& ds : ln->List_DataSet()) {
        std::string members;
        for (const TIEC_DA* m : ds->List_DA()) members += " " + U8(m->Reference());
        out.push_back("DS " + U8(ds->Reference()) + " goose=" + U8(ds->GooseName()) + ":" + members);
      }
    }
  }
  return out;
}

class IECClientDecode : public ::testing::Test {
 protected:
  // Writes Text as Name and checks that it is well-formed XML.
  String Write(const std::string& Name, const std::string& Text) {
    std::ofstream(dir_ / Name, std::ios::binary) << Text;
    const std::string command = "xmllint --noout '" + (dir_ / Name).string() + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << Name << " is not well-formed";
    return dir_.File(Name);
  }
  TScratchFolder dir_{"scl_decode"};
};

TEST_F(IECClientDecode, TheFirstIedBecomesATreeWithFullReferences) {
  TIEC_Device dev(Write("station.scd", kScl));
  const std::vector<std::string> expected = {
      "IED IED1 station.scd",
      "LD LD0",
      "LN |LLN0| LLN0_T",
      "DO Mod",
      "DA IED1LD0/LLN0.Mod.stVal fc=ST Enum",  // an Enum is a leaf although a DAType has its id
      "DO Cyc",
      "DO again",  // the type on its own path is cut: no children
      "DA IED1LD0/LLN0.Cyc.c fc=SP Struct",
      "DA IED1LD0/LLN0.Cyc.c.self fc=SP Struct",
      "DA IED1LD0/LLN0.Cyc.c.v fc=SP INT8",
      "DS IED1LD0/LLN0.DS1 goose=:"
      " IED1LD0/AMMXU1.TotW.mag.f IED1LD0/BMMXU2.TotW.mag.f IED1LD0/BMMXU2.A.phsA.cVal.mag.f"
      " IED1LD1/GGIO1.Ind1.q IED1LD0/LLN0.Mod.stVal",
      "DS IED1LD0/LLN0.DS2 goose=GC1: IED1LD0/AMMXU1.TotW.mag.f",
      "LN A|MMXU|1 MMXU_A",
      "DO TotW",
      "DA IED1LD0/AMMXU1.TotW.mag fc=MX Struct",
      "DA IED1LD0/AMMXU1.TotW.mag.f fc=MX FLOAT32",  // a BDA without fc inherits
      "DA IED1LD0/AMMXU1.TotW.q fc=MX Quality",
      "LN B|MMXU|2 MMXU_B",
      "DO TotW",
      "DA IED1LD0/BMMXU2.TotW.mag fc=MX Struct",
      "DA IED1LD0/BMMXU2.TotW.mag.f fc=MX INT32",
      "DO A",
      "DO phsA",
      "DA IED1LD0/BMMXU2.A.phsA.cVal fc=MX Struct",
      "DA IED1LD0/BMMXU2.A.phsA.cVal.mag fc=MX Struct",
      "DA IED1LD0/BMMXU2.A.phsA.cVal.mag.f fc=MX FLOAT32",
      "LN |XCBR|1 ",  // no lnType: no data objects, no data sets
      "LD LD1",
      "LN |GGIO|1 GGIO_T",
      "DO Ind1",  // both DOTypes of the id
      "DA IED1LD1/GGIO1.Ind1.stVal fc=ST BOOLEAN",
      "DA IED1LD1/GGIO1.Ind1.q fc=ST Quality",
      "DA IED1LD1/GGIO1.Ind1.d fc= VisString255",
  };
  EXPECT_EQ(Dump(dev), expected);
  // The searches.
  TIEC_LDevice* ld0 = dev.Find_LDevice(u"LD0");
  ASSERT_NE(ld0, nullptr);
  EXPECT_EQ(dev.Find_LDevice(u"LDZ"), nullptr);
  EXPECT_EQ(ld0->Find_LN(u"MMXU")->Prefix(), u"A");
  EXPECT_EQ(ld0->Find_LN(u"B", u"MMXU", u"2")->lnType(), u"MMXU_B");
  TIEC_LN* b = ld0->Find_LN(u"B", u"MMXU", u"2");
  EXPECT_EQ(b->Find_DO(u"phsA")->Name(), u"phsA");  // depth first through sub-data objects
  EXPECT_EQ(b->Find_DO(u"TotW")->Find_First_DA()->Reference(), u"IED1LD0/BMMXU2.TotW.mag.f");
  EXPECT_EQ(b->Find_DO(u"TotW")->Find_DA(u"f")->bType(), u"INT32");
}

TEST_F(IECClientDecode, NamespacePrefixedElementsDecodeAlike) {
  // Every element written as scl:Name.
  const std::string prefixed = std::regex_replace(kScl, std::regex("<(/?)([A-Za-z])"), "<$1scl:$2");
  TIEC_Device plain(Write("plain.icd", kScl));
  TIEC_Device scl(Write("plain.icd", prefixed));
  EXPECT_EQ(Dump(scl), Dump(plain));
  EXPECT_GT(Dump(scl).size(), 10u);
}

TEST_F(IECClientDecode, MissingPartsGiveWhatWasFoundAndBadXmlRaises) {
  struct Case {
    const char* name;
    std::string text;
    const char* ied;
    size_t lds;
  };
  const std::string head = "<SCL><IED name=\"N\"><AccessPoint>";
  const Case cases[] = {
      {"no_templates.icd", head + "<Server><LDevice inst=\"L\"/></Server></AccessPoint></IED></SCL>", "", 0},
      {"no_server.icd", head + "</AccessPoint></IED><DataTypeTemplates/></SCL>", "N", 0},
      {"bare.icd", "<Other/>", "", 0},
      {"one.icd", head + "<Server><LDevice inst=\"L\"/></Server></AccessPoint></IED><DataTypeTemplates/></SCL>", "N",
       1},
  };
  for (const Case& c : cases) {
    TIEC_Device dev(Write(c.name, c.text));
    EXPECT_EQ(U8(dev.Name()), c.ied) << c.name;
    EXPECT_EQ(dev.List_LDevice().size(), c.lds) << c.name;
  }
  TIEC_Device missing(dir_.File("absent.cid"));
  EXPECT_TRUE(missing.Name().empty());
  EXPECT_EQ(missing.FileName(), u"absent.cid");
  std::ofstream(dir_ / "broken.icd") << "<SCL><IED name=\"N\"></SCL>";
  EXPECT_THROW(TIEC_Device(dir_.File("broken.icd")), EXMLDocError);
}

// Every FCDA of DS1 resolves; the independent library tells the basic type each must carry.
TEST_F(IECClientDecode, MembersCarryTheTypesAnIndependentReaderResolves) {
  const String file = Write("station.scd", kScl);
  const std::string out = (dir_ / "types.txt").string();
  const std::string command = "node '" + std::string(CONF_FIXTURES) + "/ethernet_it/scl_reader/fcda_types.mjs' '" +
                              StringToUtf8(file) + "' > '" + out + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << "the reader failed (scripts/install-deps.sh installs it)";
  std::ifstream in(out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_GE(lines.size(), 5u);
  TIEC_Device dev(file);
  const auto& members = dev.Find_LDevice(u"LD0")->Find_LN(u"LLN0")->List_DataSet().front()->List_DA();
  ASSERT_EQ(members.size(), 5u);
  for (size_t i = 0; i < members.size(); ++i) {
    // "ldInst/prefix lnClass lnInst/doName/daName cdc bType"
    const std::string bType = lines[i].substr(lines[i].rfind(' ') + 1);
    ASSERT_NE(bType, "-") << lines[i];
    EXPECT_EQ(U8(members[i]->bType()), bType) << lines[i];
  }
  EXPECT_EQ(lines[1].substr(lines[1].rfind(' ') + 1), "INT32");  // the second MMXU's own type
}

}  // namespace
