// The texts that tell Windows about the program, from the facts the program
// holds (the About window's names and notice) and the build's version.
#pragma once

#include <string>

// A Win32 resource script: the icon group (from iconPath), string 1 with the
// product name (the name Screen Saver Settings list), and the version
// resource. version is the build's, as "--version" prints it ("1.0", "1.2.3").
std::string resourceScript(const std::string& version, const std::string& iconPath);

// A WiX include that defines ProductName, Maker and MakerHome for the
// installer's source.
std::string installerFacts();

// The numeric form of version for the fixed part of the version resource:
// its first four numbers, missing ones 0 ("1.0" → "1,0,0,0"); empty when
// version is not dotted numbers.
std::string versionNumbers(const std::string& version);
