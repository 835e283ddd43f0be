// The tick sound player.
// STAND-IN until the sound player lands: the class has its final interface,
// but plays nothing (see DirectSound.cpp).
#pragma once

#include <cstdint>

class CDirectSound {
public:
    CDirectSound();
    virtual ~CDirectSound();

    bool init(int resourceId, void* window);
    bool isReady() const;
    void play(std::uint32_t position, bool loop);
};

extern CDirectSound* g_tickSound;
