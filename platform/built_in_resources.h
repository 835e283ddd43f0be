// The resources built into the program file, one implementation per platform:
// the linked table of resources.txt on Linux, the Win32 resource section on
// Windows.
#pragma once

#include "platform/resources.h"

// A resource's bytes in place, or an empty answer when the program carries none
// with this integer id and type name.
ResourceBytes findBuiltInResource(int id, const char* type);
