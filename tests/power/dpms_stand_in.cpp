// Preloaded into the program under test: a display that powers down. It
// replaces libXext's DPMS calls and reports the power level written in the
// file named by TARNWICK_DPMS_LEVEL_FILE ("on", "standby", "suspend" or
// "off"; no file reads as on), as a server with the DPMS extension would. No
// X server available to the tests has the extension.
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

CARD16 levelInFile()
{
    const char* path = std::getenv("TARNWICK_DPMS_LEVEL_FILE");
    std::FILE* file = path != nullptr ? std::fopen(path, "r") : nullptr;
    if (file == nullptr)
        return DPMSModeOn;
    char word[16] = {};
    const bool read = std::fscanf(file, "%15s", word) == 1;
    std::fclose(file);
    if (!read)
        return DPMSModeOn;
    if (std::strcmp(word, "standby") == 0)
        return DPMSModeStandby;
    if (std::strcmp(word, "suspend") == 0)
        return DPMSModeSuspend;
    if (std::strcmp(word, "off") == 0)
        return DPMSModeOff;
    return DPMSModeOn;
}

} // namespace

extern "C" Bool DPMSQueryExtension(Display*, int* eventBase, int* errorBase)
{
    *eventBase = 0;
    *errorBase = 0;
    return True;
}

extern "C" Bool DPMSCapable(Display*) { return True; }

extern "C" Status DPMSInfo(Display*, CARD16* level, BOOL* enabled)
{
    *level = levelInFile();
    *enabled = True;
    return 1;
}
