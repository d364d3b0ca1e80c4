// The BACnet engineering units: the names of the codes, their categories, the picker dialog, and
// an independent check of the 237 names against the EngineeringUnits enumeration of an npm BACnet
// stack (installed by scripts/install-deps.sh from its lock file).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "button/LbButton.h"
#include "gateway/UBACnet_Eng_Unit.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "shell/TableFile.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/gateway/BACnetEdeTestSupport.h"

namespace {

// The codes whose Celsius, Kelvin, Fahrenheit or Newton is written with a capital.
const std::set<int> kCapitalised = {62,  63,  64,  65,  66,  91,  92,  93,  94,  102, 120,
                                    121, 127, 128, 151, 152, 176, 181, 182, 185, 189};

// The standard's identifier as the npm stack spells it ("DEGREES_CELSIUS"), in the spelling of
// the unit names: lower case, "-" for "_", the capitals of the rule above, "pH".
std::string Expected_Name(int Code, const std::string& Stack) {
  std::string n;
  for (char c : Stack) n += c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (Code == 234) return "pH";
  if (!kCapitalised.count(Code)) return n;
  for (const char* word : {"celsius", "kelvin", "fahrenheit", "newton"}) {
    const size_t at = n.find(word);
    if (at != std::string::npos) n[at] = static_cast<char>(std::toupper(static_cast<unsigned char>(n[at])));
  }
  return n;
}

class BACnetEngUnitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Strings();
    Application->CreateForm(FBACnet_Eng_Unit);
    dialog_ = FBACnet_Eng_Unit;
  }
  void TearDown() override { delete FBACnet_Eng_Unit; }
  // The caller's part: the cell's text and its label, then the dialog; Drive runs while it shows.
  String Pick(const String& Cell, const std::function<int(TFBACnet_Eng_Unit*)>& Drive) {
    dialog_->E_Selected_EU->SetText(Cell);
    dialog_->Label5->SetCaption(u"-> " + Desc_Unit(CellToInt(Cell)));
    script_.AnswerModal(u"FBACnet_Eng_Unit", [&](TForm*) { return Drive(dialog_); });
    return dialog_->ShowModal() == mrOk ? dialog_->E_Selected_EU->Text() : Cell;
  }
  void Choose_Category(int Index) { dialog_->CB_Select_Type->UserSelect(Index); }

  ModalScript script_;
  InputDriver driver_;
  TFBACnet_Eng_Unit* dialog_ = nullptr;
};

}  // namespace

TEST_F(BACnetEngUnitTest, NamesOfTheCodes) {
  const struct {
    int Code;
    String Name;
  } cases[] = {{0, u"square-meters"},
               {62, u"degrees-Celsius"},
               {120, u"delta-degrees-Fahrenheit"},
               {141, u"watts-per-square-meter-degree-kelvin"},
               {153, u"newton"},
               {185, u"square-meters-per-Newton"},
               {190, u"micro-siemens"},
               {234, u"pH"},
               {236, u"minutes-per-degree-kelvin"},
               {237, u"unknown"},
               {-1, u"unknown"},
               {65535, u"unknown"}};
  for (const auto& k : cases) EXPECT_EQ(Desc_Unit(k.Code), k.Name) << k.Code;
}

TEST_F(BACnetEngUnitTest, EveryCodeStandsInExactlyOneOfTheCategories) {
  const auto& categories = BACnet_Unit_Categories();
  ASSERT_EQ(categories.size(), 23u);
  std::map<int, int> seen;
  for (const TBACnetUnitCategory& c : categories)
    for (int code : c.Codes) ++seen[code];
  ASSERT_EQ(seen.size(), 237u);
  EXPECT_EQ(seen.begin()->first, 0);
  EXPECT_EQ(seen.rbegin()->first, 236);
  for (const auto& [code, count] : seen) EXPECT_EQ(count, 1) << code;
  EXPECT_EQ(String(categories[16].Name), u"Temperature");
  std::vector<String> temperature;
  for (int code : categories[16].Codes) temperature.push_back(Desc_Unit(code));
  EXPECT_EQ(temperature,
            (std::vector<String>{u"degrees-Celsius", u"degrees-Kelvin", u"degrees-Kelvin-per-hour",
                                 u"degrees-Kelvin-per-minute", u"degrees-Fahrenheit", u"degree-days-Celsius",
                                 u"degree-days-Fahrenheit", u"delta-degrees-Fahrenheit", u"delta-degrees-Kelvin"}));
}

TEST_F(BACnetEngUnitTest, TheDialogsTextsSizeAndLists) {
  EXPECT_EQ(dialog_->Caption(), u"Select the BACnet Engineering Unit");
  EXPECT_EQ(dialog_->ClientWidth(), 548);
  EXPECT_EQ(dialog_->ClientHeight(), 306);
  EXPECT_EQ(dialog_->Btn_Select_Eng_Unit->Caption(), u"Select Engineering Unit");
  EXPECT_EQ(dialog_->Label3->Caption(), u"Select the Type");
  ASSERT_EQ(dialog_->CB_Select_Type->Items()->Count(), 23);
  EXPECT_EQ(dialog_->CB_Select_Type->Items()->Strings(21), u"Volumetric Flow");
  EXPECT_EQ(dialog_->CB_Select_Type->ItemIndex(), 0);
  EXPECT_EQ(dialog_->CB_Select_Type->Style(), csDropDownList);
  EXPECT_EQ(dialog_->CB_Select_Unit->Style(), csDropDownList);
}

TEST_F(BACnetEngUnitTest, TheButtonTakesTheChosenUnit) {
  const struct {
    const char* Name;
    int Category;
    int Unit;  // position in the category's list; -1: the last
    String Code;
    String Label;
  } cases[] = {{"Acceleration", 0, 0, u"166", u"-> meters-per-second-per-second"},
               {"Other at its 30th place", 22, 29, u"207", u"-> per-mille"},
               {"Other at its last place", 22, -1, u"236", u"-> minutes-per-degree-kelvin"},
               {"Area at its second place", 1, 1, u"116", u"-> square-centimeters"}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Name);
    const String got = Pick(u"98", [&](TFBACnet_Eng_Unit* d) {
      Choose_Category(k.Category);
      const int count = d->CB_Select_Unit->Items()->Count();
      EXPECT_EQ(d->CB_Select_Unit->ItemIndex(), 0);
      d->CB_Select_Unit->UserSelect(k.Unit < 0 ? count - 1 : k.Unit);
      driver_.Click(d->Btn_Select_Eng_Unit);
      EXPECT_EQ(d->Label5->Caption(), k.Label);
      driver_.Click(d->Btn_OK);
      return d->ModalResult();
    });
    EXPECT_EQ(got, k.Code);
  }
  EXPECT_EQ(BACnet_Unit_Categories()[22].Codes.size(), 59u);
}

TEST_F(BACnetEngUnitTest, OKWithoutTheButtonReturnsTheCodeTheDialogOpenedWith) {
  // The dialog keeps the category of its last showing and starts at its first unit.
  Choose_Category(16);
  String label;
  EXPECT_EQ(Pick(u"98",
                 [&](TFBACnet_Eng_Unit* d) {
                   label = d->Label5->Caption();
                   EXPECT_EQ(d->CB_Select_Type->ItemIndex(), 16);
                   EXPECT_EQ(d->CB_Select_Unit->Text(), u"degrees-Celsius");
                   driver_.Click(d->Btn_OK);
                   return d->ModalResult();
                 }),
            u"98");
  EXPECT_EQ(label, u"-> percent");
  // Area and square-feet chosen, the button not pressed.
  EXPECT_EQ(Pick(u"98",
                 [&](TFBACnet_Eng_Unit* d) {
                   Choose_Category(1);
                   d->CB_Select_Unit->UserSelect(2);
                   EXPECT_EQ(d->CB_Select_Unit->Text(), u"square-feet");
                   driver_.Click(d->Btn_OK);
                   return d->ModalResult();
                 }),
            u"98");
  // Cancel after the button keeps the cell.
  EXPECT_EQ(Pick(u"62",
                 [&](TFBACnet_Eng_Unit* d) {
                   driver_.Click(d->Btn_Select_Eng_Unit);
                   driver_.Click(d->Btn_Cancel);
                   return d->ModalResult();
                 }),
            u"62");
}

TEST_F(BACnetEngUnitTest, TheNamesAgreeWithTheEngineeringUnitsOfAnNpmBACnetStack) {
  const char* dirEnv = std::getenv("CONF_NODE_DIR");
  const char* home = std::getenv("HOME");
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const std::filesystem::path dir =
      dirEnv ? std::filesystem::path(dirEnv)
             : (cache ? std::filesystem::path(cache) : std::filesystem::path(home ? home : "") / ".cache") /
                   "configurator-node";
  ASSERT_TRUE(std::filesystem::exists(dir / "node_modules" / "@bacnet-js" / "client" / "package.json"))
      << "the npm stack is missing from " << dir << ": run scripts/install-deps.sh";
  const std::string script = std::string(CONF_FIXTURES) + "/bacnet/units-check/dump-units.js";
  const std::string cmd = "NODE_PATH='" + (dir / "node_modules").string() + "' node '" + script + "' 2>&1";
  std::vector<std::string> lines;
  if (FILE* p = ::popen(cmd.c_str(), "r")) {
    char buf[256];
    std::string out;
    while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    ::pclose(p);
    std::istringstream in(out);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
  }
  ASSERT_EQ(lines.size(), 237u) << (lines.empty() ? "" : lines[0]);
  // Where the stack and the standard's identifier differ, and why the table keeps its own.
  const std::map<int, std::string> differences = {
      {190, "the standard writes micro-siemens with a hyphen; the stack writes MICROSIEMENS"}};
  for (int code = 0; code < 237; ++code) {
    const std::string& line = lines[static_cast<size_t>(code)];
    const size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    EXPECT_EQ(line.substr(0, tab), std::to_string(code));
    const std::string expected = Expected_Name(code, line.substr(tab + 1));
    const std::string name = StringToUtf8(Desc_Unit(code));
    if (differences.count(code))
      EXPECT_NE(name, expected) << code << ": listed as a difference, but there is none";
    else
      EXPECT_EQ(name, expected) << code;
  }
  EXPECT_EQ(StringToUtf8(Desc_Unit(190)), "micro-siemens") << differences.at(190);
}
