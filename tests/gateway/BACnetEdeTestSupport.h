#pragma once
// EDE files as a remote device writes them: six name lines, the "#mandatory" line (line 7), the
// column names, then one line of the sixteen columns per object.
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace bacnet_ede_test {

inline const std::string kEdeHeader[] = {"PROJECT_NAME;Remote;;;;;;", "VERSION_OF_REFERENCEFILE;1.0;;;;;;",
                                  "TIMESTAMP_OF_LAST_CHANGE;08:00:00 01/01/2026;;;;;;",
                                  "AUTHOR_OF_LAST_CHANGE;Someone;;;;;;", "VERSION_OF_LAYOUT;2;;;;;;",
                                  "PROJECT_AUTHOR;Someone;;;;;;"};
inline const std::string kEdeMandatory = "#mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;optional;"
                                  "optional;optional;optional;optional;optional;optional;optional;optional";
inline const std::string kEdeKeynames = "# keyname;device obj.-instance;object-name;object-type;object-instance;description;"
                                 "present-value-default;min-present-value;max-present-value;commandable;supports COV;"
                                 "hi-limit;low-limit;state-text-reference;unit-code;vendor-specific-address";

// A data line of the sixteen columns; Tail (the vendor-specific address) follows the unit code.
inline std::string EdeObject(const std::string& Name, int Type, int Instance, const std::string& Commandable = "N",
                      const std::string& Tail = "", const std::string& Description = "desc") {
  return "K_" + Name + ";1234;" + Name + ";" + std::to_string(Type) + ";" + std::to_string(Instance) + ";" +
         Description + ";0;-10;10;" + Commandable + ";Y;90;5;;62;" + Tail;
}

// The six name lines, the "#mandatory" line (line 7), the column names, then Data.
inline std::vector<std::string> EdeFile(const std::vector<std::string>& Data) {
  std::vector<std::string> l(std::begin(kEdeHeader), std::end(kEdeHeader));
  l.push_back(kEdeMandatory);
  l.push_back(kEdeKeynames);
  l.insert(l.end(), Data.begin(), Data.end());
  return l;
}

// The lines joined with CR LF after each.
inline std::string Ede_Joined(const std::vector<std::string>& Lines, const std::string& Eol = "\r\n") {
  std::string s;
  for (const std::string& l : Lines) s += l + Eol;
  return s;
}

// Runs python3 on Script with Args; its output lines (error output included).
inline std::vector<std::string> Run_Python(const std::filesystem::path& Script, const std::string& Args) {
  // The distribution's interpreter when there is one: a version manager's shim takes seconds.
  const std::string python = std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
  const std::string cmd = "PYTHONIOENCODING=utf-8 " + python + " " + Script.string() + " " + Args + " 2>&1";
  std::string out;
  if (FILE* p = ::popen(cmd.c_str(), "r")) {
    char buf[512];
    while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    ::pclose(p);
  }
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

}  // namespace bacnet_ede_test
