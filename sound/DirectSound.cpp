// STAND-IN tick player: keeps the frame loop's calls in place and stays silent.
#include "sound/DirectSound.h"

CDirectSound* g_tickSound = nullptr;

CDirectSound::CDirectSound() = default;
CDirectSound::~CDirectSound() = default;
bool CDirectSound::init(int, void*) { return false; }
bool CDirectSound::isReady() const { return false; }
void CDirectSound::play(std::uint32_t, bool) {}
