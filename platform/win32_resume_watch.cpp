// Windows has no stopping and continuing of a process from outside.
#include "platform/resume_watch.h"

void watchForResume() {}

bool resumedSinceLastLook() { return false; }
