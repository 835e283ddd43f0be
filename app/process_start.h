// What the program does first, before anything opens a descriptor or reads
// its switches: sound standard descriptors, and the answers to "--help" and
// "--version", which need no window and no sound device.
#pragma once

// Opens /dev/null on whichever of standard input, output and error is
// closed, so that no later descriptor (the X connection, a sound device)
// takes their place and receives text meant for them; and makes writes to
// a pipe whose reader has gone fail quietly instead of ending the process.
void soundStandardDescriptors();

// When the arguments ask for the usage ("--help", "-h", "-help") or the
// version ("--version", "-version"), prints it to standard output and gives
// true: the process then ends with status 0.
bool answerInformationRequest(int argc, char** argv);
