#pragma once
// The class library's string, number, format and date routines on the UTF-16 String.
// Indices are 1-based where the class library's are. Where the class library's behaviour is
// unclear, the choice made is noted next to the routine.
#include <array>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/UString.h"

// ---------------------------------------------------------------------------------------------
// Exceptions
class Exception : public std::exception {
 public:
  explicit Exception(String msg);
  const String& Message() const { return message_; }
  void SetMessage(String msg);
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  String message_;
  std::string utf8_;
};

class EConvertError : public Exception { public: using Exception::Exception; };
class EAbort : public Exception { public: using Exception::Exception; };
class EInOutError : public Exception { public: using Exception::Exception; };
class EArgumentOutOfRangeException : public Exception { public: using Exception::Exception; };
// Raised by Round/Trunc for NaN, infinity or a value outside int64_t ("Invalid floating point operation").
class EInvalidOp : public Exception { public: using Exception::Exception; };
// A checked class conversion that failed ("Invalid class typecast").
class EInvalidCast : public Exception { public: using Exception::Exception; };

// ---------------------------------------------------------------------------------------------
// Strings
int Length(const String& s);
// Index below 1 counts as 1 (count is not reduced); index and count are clamped to the string.
String Copy(const String& s, int index1, int count);
// 1-based position of the first occurrence; 0 when absent or when sub is empty.
int Pos(const String& sub, const String& s);
String Trim(const String& s);       // removes characters <= ' ' at both ends
String TrimLeft(const String& s);
String TrimRight(const String& s);
String UpperCase(const String& s);  // ASCII letters only
String LowerCase(const String& s);
// Unicode simple case mapping per character; the length never changes (no "ß" -> "SS").
String AnsiUpperCase(const String& s);
// The one character as AnsiUpperCase turns it.
Char AnsiUpperCaseChar(Char c);
String AnsiLowerCase(const String& s);
int CompareText(const String& a, const String& b);  // ASCII case-blind, <0 / 0 / >0
bool SameText(const String& a, const String& b);
int CompareStr(const String& a, const String& b);   // ordinal on UTF-16 code units
// The locale's collation (the user's language order), with and without case; <0 / 0 / >0.
int AnsiCompareStr(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);
// ignoreCase compares with AnsiUpperCase; an empty `oldPattern` leaves s unchanged.
String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     bool all = true, bool ignoreCase = false);
String StringOfChar(Char c, int n);  // n <= 0 gives ""

// ---------------------------------------------------------------------------------------------
// Integers
String IntToStr(int64_t v);
// Upper-case hex, zero-padded to at least `digits`. Negative values are written as their two's
// complement in the width of the argument type: IntToHex(-1, 2) == "FFFFFFFF" for an int,
// sixteen F's for an int64_t.
String IntToHex(int v, int digits);
String IntToHex(unsigned v, int digits);
String IntToHex(int64_t v, int digits);
String IntToHex(uint64_t v, int digits);

// Accepted: optional leading spaces, optional '+'/'-', then decimal digits or hex digits after
// '$', '0x', '0X', 'x' or 'X'; nothing after the digits. Decimal values out of range fail.
// Hex values are bit patterns of the target width (like the class library): "$FFFFFFFF" is -1
// for the 32-bit routines; more than 32 (64) bits fail.
int StrToInt(const String& s);  // EConvertError "'<s>' is not a valid integer value"
int StrToIntDef(const String& s, int def);
bool TryStrToInt(const String& s, int& out);
int64_t StrToInt64(const String& s);
int64_t StrToInt64Def(const String& s, int64_t def);
bool TryStrToInt64(const String& s, int64_t& out);

// ---------------------------------------------------------------------------------------------
// Floating point
// Accepted: optional spaces around, sign, digits with FormatSettings().DecimalSeparator, optional
// exponent (E/e, sign, digits). No thousand separators, no INF/NAN, no hex. Overflow fails; a value
// too small for a double reads as 0.
double StrToFloat(const String& s);  // EConvertError "'<s>' is not a valid floating point value"
double StrToFloatDef(const String& s, double def);
bool TryStrToFloat(const String& s, double& out);
// General format with 15 significant digits, trailing zeros dropped: exponent form when the
// decimal exponent is >= 15 or <= -5 ("1E15", "1.5E-5"). "INF", "-INF", "NAN" for the specials.
String FloatToStr(double v);

// Ties to even. NaN, infinities and values outside int64_t raise EInvalidOp.
int64_t Round(double v);
int64_t Trunc(double v);

// ---------------------------------------------------------------------------------------------
// Format
// One argument of Format. Integers of every width, double (and float), String, char16_t* and a
// single Char (usable with %s).
struct TVarRec {
  enum Kind { vtInteger, vtInt64, vtUInt64, vtExtended, vtString };
  Kind kind = vtInteger;
  int64_t i = 0;   // vtInteger (32-bit value), vtInt64, vtUInt64 (bit pattern)
  double d = 0;    // vtExtended
  String s;        // vtString

  TVarRec(int v) : kind(vtInteger), i(v) {}
  TVarRec(unsigned v) : kind(vtInt64), i(v) {}
  TVarRec(long v) : kind(vtInt64), i(v) {}
  TVarRec(unsigned long v) : kind(vtUInt64), i(static_cast<int64_t>(v)) {}
  TVarRec(long long v) : kind(vtInt64), i(v) {}
  TVarRec(unsigned long long v) : kind(vtUInt64), i(static_cast<int64_t>(v)) {}
  TVarRec(double v) : kind(vtExtended), d(v) {}
  TVarRec(const String& v) : kind(vtString), s(v) {}
  TVarRec(const char16_t* v) : kind(vtString), s(v ? v : u"") {}
  TVarRec(Char v) : kind(vtString), s(1, v) {}
};

// Directives: "%" [index ":"] ["-"] [width] ["." prec] type, width/prec may be "*" (taken from
// an integer argument; a negative one is refused), "%%" is a percent sign. Types:
//   d u  integers; prec = minimum digits            x  integers, upper-case hex; prec = min digits
//   s    strings; prec = maximum characters         f  fixed, prec decimals (default 2)
//   n    like f with thousand separators            m  money: CurrencyString, CurrencyDecimals
//   e    scientific, prec significant digits (default 15), exponent "E+ddd"
//   g    general, prec significant digits (default 15), like FloatToStr
// Floats are first reduced to 15 significant digits, then rounded half away from zero, so
// Format("%.2f", 2.675) is "2.68". A value with more than 15 integer digits under f/n/m is
// written in general form. Any other letter, a missing argument or a mismatched one raises
// EConvertError "Format '<fmt>' invalid or incompatible with argument".
String Format(const String& fmt, std::initializer_list<TVarRec> args);
String Format(const String& fmt, const std::vector<TVarRec>& args);

// Replaces each "%d" of `text` in order by the next value; nothing else in the text is looked at
// (texts from language files are never interpreted as format strings). Surplus "%d" stay as they
// are; surplus values are ignored.
String FormatLiteralD(const String& text, std::initializer_list<int64_t> values);

// ---------------------------------------------------------------------------------------------
// Format settings: process-wide, read on every call.
struct TFormatSettings {
  Char DecimalSeparator = u'.';
  Char ThousandSeparator = u',';
  Char DateSeparator = u'/';
  Char TimeSeparator = u':';
  String ShortDateFormat = u"M/d/yyyy";
  String LongDateFormat = u"dddd, MMMM d, yyyy";
  String ShortTimeFormat = u"h:mm AMPM";
  String LongTimeFormat = u"h:mm:ss AMPM";
  String TimeAMString = u"AM";
  String TimePMString = u"PM";
  String CurrencyString = u"$";
  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"; a negative amount gets a leading '-'.
  uint8_t CurrencyFormat = 0;
  uint8_t CurrencyDecimals = 2;
  // Two-digit years read by StrToDate fall within 100 years ending this many years ahead of now.
  int TwoDigitYearCenturyWindow = 50;
  std::array<String, 12> ShortMonthNames{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                         u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  std::array<String, 12> LongMonthNames{u"January", u"February", u"March",     u"April",
                                        u"May",     u"June",     u"July",      u"August",
                                        u"September", u"October", u"November", u"December"};
  std::array<String, 7> ShortDayNames{u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  std::array<String, 7> LongDayNames{u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                     u"Thursday", u"Friday", u"Saturday"};
};

// Initialised on first use from the system locale (LC_NUMERIC, LC_TIME); tests may assign it.
TFormatSettings& FormatSettings();
// Settings for a named locale; "C", "POSIX", "C.UTF-8" or an unknown name give the defaults above.
TFormatSettings FormatSettingsFromLocale(const char* localeName);
// Puts the system-derived settings back (for tests that changed them).
void ResetFormatSettings();

// Whether the user's locale is a right-to-left (Middle-East) one: only then do controls honour a
// right-to-left BiDiMode, as on the class library's home platform. Read from the process locale
// at first use; settable for tests.
bool IsMiddleEastLocale();
void SetMiddleEastLocale(bool On);

// ---------------------------------------------------------------------------------------------
// Dates and times: days since 1899-12-30; the fraction is the time of day (its absolute value for
// negative dates, as the class library has it).
using TDateTime = double;

constexpr double MSecsPerDay = 86400000.0;

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);
// EConvertError "Invalid argument to date encode" / "Invalid argument to time encode".
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& out);
// The time is rounded to the millisecond; a value that rounds up to midnight belongs to the
// next day (so the hour is never 24).
void DecodeDate(TDateTime dt, uint16_t& year, uint16_t& month, uint16_t& day);
void DecodeTime(TDateTime dt, uint16_t& hour, uint16_t& min, uint16_t& sec, uint16_t& msec);
void DecodeDateTime(TDateTime dt, uint16_t& year, uint16_t& month, uint16_t& day, uint16_t& hour,
                    uint16_t& min, uint16_t& sec, uint16_t& msec);
int DayOfWeek(TDateTime dt);  // 1 = Sunday .. 7 = Saturday

TDateTime Now();   // from ClockNow() (TimeSource.h), so tests control it
TDateTime Date();  // today, midnight
TDateTime Time();  // time of day only

// Adds months keeping the day, clamped to the last day of the target month; the time is kept.
TDateTime IncMonth(TDateTime dt, int months = 1);

// Letters (case-blind): c d dd ddd dddd ddddd dddddd m mm mmm mmmm (m/mm right after h/hh are
// minutes) yy yyyy h hh n nn s ss z zzz t tt am/pm a/p ampm, "/" DateSeparator, ":" TimeSeparator,
// text in '...' or "..." copied as is; with any am/pm letter present h is on the 12-hour clock.
String FormatDateTime(const String& fmt, TDateTime dt);
String DateToStr(TDateTime dt);      // ShortDateFormat
String TimeToStr(TDateTime dt);      // LongTimeFormat
String DateTimeToStr(TDateTime dt);  // short date, then long time unless the time is midnight

// Dates are read as up to three numbers separated by DateSeparator in the order of
// ShortDateFormat (the year may be left out: current year); times as h[:n[:s[.z]]] with an
// optional AM/PM (TimeAMString/TimePMString or "AM"/"PM").
// EConvertError "'<s>' is not a valid date" / "... time" / "... date and time".
TDateTime StrToDate(const String& s);
TDateTime StrToDateDef(const String& s, TDateTime def);
bool TryStrToDate(const String& s, TDateTime& out);
TDateTime StrToTime(const String& s);
TDateTime StrToTimeDef(const String& s, TDateTime def);
bool TryStrToTime(const String& s, TDateTime& out);
TDateTime StrToDateTime(const String& s);
TDateTime StrToDateTimeDef(const String& s, TDateTime def);
bool TryStrToDateTime(const String& s, TDateTime& out);

