#include "gateway/UBACnet_Eng_Unit.h"

#include "button/LbButton.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFBACnet_Eng_Unit* FBACnet_Eng_Unit = nullptr;

namespace {

// Index = unit code.
// clang-format off
const char16_t* const kUnitNames[BACnet_Eng_Unit_Count] = {
    u"square-meters", u"square-feet", u"milliamperes", u"amperes", u"ohms", u"volts", u"kilovolts", u"megavolts",
    u"volt-amperes", u"kilovolt-amperes", u"megavolt-amperes", u"volt-amperes-reactive",
    u"kilovolt-amperes-reactive", u"megavolt-amperes-reactive", u"degrees-phase", u"power-factor", u"joules",
    u"kilojoules", u"watt-hours", u"kilowatt-hours", u"btus", u"therms", u"ton-hours",
    u"joules-per-kilogram-dry-air", u"btus-per-pound-dry-air", u"cycles-per-hour", u"cycles-per-minute", u"hertz",
    u"grams-of-water-per-kilogram-dry-air", u"percent-relative-humidity", u"millimeters", u"meters", u"inches",
    u"feet", u"watts-per-square-foot", u"watts-per-square-meter", u"lumens", u"luxes", u"foot-candles", u"kilograms",
    u"pounds-mass", u"tons", u"kilograms-per-second", u"kilograms-per-minute", u"kilograms-per-hour",
    u"pounds-mass-per-minute", u"pounds-mass-per-hour", u"watts", u"kilowatts", u"megawatts", u"btus-per-hour",
    u"horsepower", u"tons-refrigeration", u"pascals", u"kilopascals", u"bars", u"pounds-force-per-square-inch",
    u"centimeters-of-water", u"inches-of-water", u"millimeters-of-mercury", u"centimeters-of-mercury",
    u"inches-of-mercury", u"degrees-Celsius", u"degrees-Kelvin", u"degrees-Fahrenheit", u"degree-days-Celsius",
    u"degree-days-Fahrenheit", u"years", u"months", u"weeks", u"days", u"hours", u"minutes", u"seconds",
    u"meters-per-second", u"kilometers-per-hour", u"feet-per-second", u"feet-per-minute", u"miles-per-hour",
    u"cubic-feet", u"cubic-meters", u"imperial-gallons", u"liters", u"us-gallons", u"cubic-feet-per-minute",
    u"cubic-meters-per-second", u"imperial-gallons-per-minute", u"liters-per-second", u"liters-per-minute",
    u"us-gallons-per-minute", u"degrees-angular", u"degrees-Celsius-per-hour", u"degrees-Celsius-per-minute",
    u"degrees-Fahrenheit-per-hour", u"degrees-Fahrenheit-per-minute", u"no-units", u"parts-per-million",
    u"parts-per-billion", u"percent", u"percent-per-second", u"per-minute", u"per-second",
    u"psi-per-degree-Fahrenheit", u"radians", u"revolutions-per-minute", u"currency1", u"currency2", u"currency3",
    u"currency4", u"currency5", u"currency6", u"currency7", u"currency8", u"currency9", u"currency10",
    u"square-inches", u"square-centimeters", u"btus-per-pound", u"centimeters", u"pounds-mass-per-second",
    u"delta-degrees-Fahrenheit", u"delta-degrees-Kelvin", u"kilohms", u"megohms", u"millivolts",
    u"kilojoules-per-kilogram", u"megajoules", u"joules-per-degree-Kelvin", u"joules-per-kilogram-degree-Kelvin",
    u"kilohertz", u"megahertz", u"per-hour", u"milliwatts", u"hectopascals", u"millibars", u"cubic-meters-per-hour",
    u"liters-per-hour", u"kilowatt-hours-per-square-meter", u"kilowatt-hours-per-square-foot",
    u"megajoules-per-square-meter", u"megajoules-per-square-foot", u"watts-per-square-meter-degree-kelvin",
    u"cubic-feet-per-second", u"percent-obscuration-per-foot", u"percent-obscuration-per-meter", u"milliohms",
    u"megawatt-hours", u"kilo-btus", u"mega-btus", u"kilojoules-per-kilogram-dry-air",
    u"megajoules-per-kilogram-dry-air", u"kilojoules-per-degree-Kelvin", u"megajoules-per-degree-Kelvin", u"newton",
    u"grams-per-second", u"grams-per-minute", u"tons-per-hour", u"kilo-btus-per-hour", u"hundredths-seconds",
    u"milliseconds", u"newton-meters", u"millimeters-per-second", u"millimeters-per-minute", u"meters-per-minute",
    u"meters-per-hour", u"cubic-meters-per-minute", u"meters-per-second-per-second", u"amperes-per-meter",
    u"amperes-per-square-meter", u"ampere-square-meters", u"farads", u"henrys", u"ohm-meters", u"siemens",
    u"siemens-per-meter", u"teslas", u"volts-per-degree-Kelvin", u"volts-per-meter", u"webers", u"candelas",
    u"candelas-per-square-meter", u"degrees-Kelvin-per-hour", u"degrees-Kelvin-per-minute", u"joule-seconds",
    u"radians-per-second", u"square-meters-per-Newton", u"kilograms-per-cubic-meter", u"newton-seconds",
    u"newtons-per-meter", u"watts-per-meter-per-degree-Kelvin", u"micro-siemens", u"cubic-feet-per-hour",
    u"us-gallons-per-hour", u"kilometers", u"micrometers", u"grams", u"milligrams", u"milliliters",
    u"milliliters-per-second", u"decibels", u"decibels-millivolt", u"decibels-volt", u"millisiemens",
    u"watt-hours-reactive", u"kilowatt-hours-reactive", u"megawatt-hours-reactive", u"millimeters-of-water",
    u"per-mille", u"grams-per-gram", u"kilograms-per-kilogram", u"grams-per-kilogram", u"milligrams-per-gram",
    u"milligrams-per-kilogram", u"grams-per-milliliter", u"grams-per-liter", u"milligrams-per-liter",
    u"micrograms-per-liter", u"grams-per-cubic-meter", u"milligrams-per-cubic-meter", u"micrograms-per-cubic-meter",
    u"nanograms-per-cubic-meter", u"grams-per-cubic-centimeter", u"becquerels", u"kilobecquerels", u"megabecquerels",
    u"gray", u"milligray", u"microgray", u"sieverts", u"millisieverts", u"microsieverts", u"microsieverts-per-hour",
    u"decibels-a", u"nephelometric-turbidity-unit", u"pH", u"grams-per-square-meter", u"minutes-per-degree-kelvin"};
// clang-format on

std::vector<int> UnitCodeRun(int First, int Last) {
  std::vector<int> codes;
  for (int c = First; c <= Last; ++c) codes.push_back(c);
  return codes;
}

std::vector<int> UnitCodesJoined(std::initializer_list<std::vector<int>> Parts) {
  std::vector<int> codes;
  for (const std::vector<int>& p : Parts) codes.insert(codes.end(), p.begin(), p.end());
  return codes;
}

constexpr int kUnitWidth = 548;
constexpr int kUnitHeight = 306;
constexpr int kUnitButtonWidth = 110;

}  // namespace

String Desc_Unit(int Num_Unit) {
  if (Num_Unit < 0 || Num_Unit >= BACnet_Eng_Unit_Count) return u"unknown";
  return kUnitNames[Num_Unit];
}

const std::vector<TBACnetUnitCategory>& BACnet_Unit_Categories() {
  static const std::vector<TBACnetUnitCategory> categories = {
      {u"Acceleration", {166}},
      {u"Area", {0, 116, 1, 115}},
      {u"Currency", UnitCodeRun(105, 114)},
      {u"Electrical", {2,   3,   167, 168, 169, 199, 200, 201, 170, 171, 4,  172, 145, 122, 123, 190, 202, 173,
                       174, 175, 5,   124, 6,   7,   8,   9,   10,  11,  12, 13,  176, 177, 14,  15,  178}},
      {u"Energy", {16, 17, 125, 126, 18, 19, 146, 203, 204, 205, 20, 147, 148, 21, 22}},
      {u"Enthalpy", {23, 149, 150, 24, 117}},
      {u"Entropy", {127, 151, 152, 128}},
      {u"Force", {153}},
      {u"Frequency", {25, 26, 27, 129, 130, 131}},
      {u"Humidity", {28, 29}},
      {u"Length", {194, 30, 118, 193, 31, 32, 33}},
      {u"Light", {179, 180, 34, 35, 36, 37, 38}},
      {u"Mass", {196, 195, 39, 40, 41}},
      {u"Mass Flow", {154, 155, 42, 43, 44, 119, 45, 46, 156}},
      {u"Power", {132, 47, 48, 49, 50, 157, 51, 52}},
      {u"Pressure", {53, 133, 54, 134, 55, 56, 206, 57, 58, 59, 60, 61}},
      {u"Temperature", {62, 63, 181, 182, 64, 65, 66, 120, 121}},
      {u"Time", UnitCodesJoined({UnitCodeRun(67, 73), {158, 159}})},
      {u"Torque", {160}},
      {u"Velocity", {161, 162, 74, 163, 164, 75, 76, 77, 78}},
      {u"Volume", {79, 80, 81, 197, 82, 83}},
      {u"Volumetric Flow", {142, 84, 191, 85, 165, 135, 86, 198, 87, 88, 136, 89, 192}},
      {u"Other", UnitCodesJoined({UnitCodeRun(90, 94),
                                  {183, 186},
                                  UnitCodeRun(137, 140),
                                  {95, 187, 188},
                                  UnitCodeRun(96, 98),
                                  {143, 144},
                                  UnitCodeRun(99, 103),
                                  {184, 104, 185, 189, 141},
                                  UnitCodeRun(207, 236)})},
  };
  return categories;
}

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FBACnet_Eng_Unit");
  Apply_Form_Look(this);
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFBACnet_Eng_Unit::~TFBACnet_Eng_Unit() {
  if (FBACnet_Eng_Unit == this) FBACnet_Eng_Unit = nullptr;
}

void TFBACnet_Eng_Unit::BuildControls() {
  const int okLeft = kUnitWidth - 2 * (kUnitButtonWidth + 6) - 2;
  Build_Dialog_Frame(this, *this, {.OkLeft = okLeft, .CancelLeft = okLeft + kUnitButtonWidth + 6});
  Btn_OK->SetModalResult(mrOk);
  Btn_Cancel->SetModalResult(mrCancel);

  TLayoutCursor rows(Dialog_Title_Height + 10);
  Label1 = Add_Label(this, u"Label1", 16, rows.Take(18));
  const int selectedTop = rows.Take(34);
  E_Selected_EU = Add_Control<TEdit>(this, u"E_Selected_EU");
  E_Selected_EU->SetBounds(16, selectedTop, 90, 21);
  Label5 = Add_Label(this, u"Label5", 118, selectedTop + 3);
  Apply_Label_Font(Label5, 11, clNavy, TFontStyles{fsBold});
  Label2 = Add_Label(this, u"Label2", 16, rows.Take(24));
  Apply_Label_Font(Label2, 11, clWindowText, TFontStyles{fsBold});
  const int listLabelTop = rows.Take(18);
  Label3 = Add_Label(this, u"Label3", 16, listLabelTop);
  Label4 = Add_Label(this, u"Label4", 212, listLabelTop);
  const int listTop = rows.Take(34);
  CB_Select_Type = Add_Control<TComboBox>(this, u"CB_Select_Type");
  CB_Select_Type->SetStyle(csDropDownList);
  CB_Select_Type->SetBounds(16, listTop, 180, 21);
  CB_Select_Type->SetDropDownCount(23);
  for (const TBACnetUnitCategory& c : BACnet_Unit_Categories()) CB_Select_Type->Items()->Add(c.Name);
  CB_Select_Type->SetItemIndex(0);
  CB_Select_Type->OnSelect = [this](TObject* s) { CB_Select_TypeSelect(s); };
  CB_Select_Unit = Add_Control<TComboBox>(this, u"CB_Select_Unit");
  CB_Select_Unit->SetStyle(csDropDownList);
  CB_Select_Unit->SetBounds(212, listTop, 320, 21);
  CB_Select_Unit->SetDropDownCount(16);
  Btn_Select_Eng_Unit = Add_Control<TLbButton>(this, u"Btn_Select_Eng_Unit");
  Btn_Select_Eng_Unit->SetBounds(16, rows.Take(28), 200, 28);
  Apply_Dialog_Button_Look(Btn_Select_Eng_Unit);
  Btn_Select_Eng_Unit->OnClick = [this](TObject* s) { Btn_Select_Eng_UnitClick(s); };
}

void TFBACnet_Eng_Unit::FormCreate(TObject*) {
  L_SW_Code->SetCaption(Soft_Code);
  SetClientHeight(kUnitHeight);
  SetClientWidth(kUnitWidth);
  Set_Lang();
}

void TFBACnet_Eng_Unit::Set_Lang() {
  Set_Texts({{this, 2300},
             {L_SW_Desc, 2301},
             {Btn_OK, 2302},
             {Btn_Cancel, 2303},
             {Label1, 2304},
             {Label2, 2305},
             {Label3, 2306},
             {Label4, 2307},
             {Btn_Select_Eng_Unit, 2308}});
}

void TFBACnet_Eng_Unit::FormShow(TObject* Sender) { CB_Select_TypeSelect(Sender); }

void TFBACnet_Eng_Unit::CB_Select_TypeSelect(TObject*) {
  const auto& categories = BACnet_Unit_Categories();
  const int type = CB_Select_Type->ItemIndex();
  TStringList* units = CB_Select_Unit->Items();
  units->BeginUpdate();
  units->Clear();
  if (type >= 0 && type < static_cast<int>(categories.size()))
    for (int code : categories[static_cast<size_t>(type)].Codes) units->Add(Desc_Unit(code));
  units->EndUpdate();
  CB_Select_Unit->SetItemIndex(units->Count() > 0 ? 0 : -1);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick(TObject*) {
  const auto& categories = BACnet_Unit_Categories();
  const int type = CB_Select_Type->ItemIndex();
  const int unit = CB_Select_Unit->ItemIndex();
  if (type < 0 || type >= static_cast<int>(categories.size())) return;
  const std::vector<int>& codes = categories[static_cast<size_t>(type)].Codes;
  if (unit < 0 || unit >= static_cast<int>(codes.size())) return;
  const int code = codes[static_cast<size_t>(unit)];
  E_Selected_EU->SetText(IntToStr(code));
  Label5->SetCaption(u"-> " + Desc_Unit(code));
}
