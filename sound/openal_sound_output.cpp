#include "sound/openal_sound_output.h"

#include "sound/wave_format.h"

#include <dlfcn.h>

#include <cstdlib>

struct SoundBuffer {
    ALuint buffer = 0;  // OpenAL never names a buffer or source 0
    ALuint source = 0;
    OpenAlFormat format;
};

namespace {

// The sound libraries write their own complaints about a missing device to
// standard error; the player says it once in its own words instead. OpenAL
// Soft reads its log level when it starts, so this is set before main, while
// the process has one thread (a level the user chose stays).
const bool g_openAlQuiet = setenv("ALSOFT_LOGLEVEL", "0", 0) == 0;

// ALSA, which OpenAL Soft loads by its own, reports through a handler the
// program may replace; the library stays loaded so that the handler does.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void quietenAlsa()
{
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(ErrorHandler);
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (alsa == nullptr)
        return;
    if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        set(ignoreAlsaError);
}

} // namespace

// Never destroyed: a worker may still be opening a device while the process ends.
SoundOutput& platformSoundOutput()
{
    static OpenAlSoundOutput* const output = new OpenAlSoundOutput;
    return *output;
}

OpenAlSoundOutput::OpenAlSoundOutput(const ALCint* contextAttributes)
    : attributes(contextAttributes)
{
    (void)g_openAlQuiet;
    quietenAlsa();
}

DeviceAttempt OpenAlSoundOutput::openDevice()
{
    return {fromAl(alcOpenDevice(nullptr)), true};
}

bool OpenAlSoundOutput::useDevice(SoundDevice* device, void* /*window: OpenAL needs no owner*/)
{
    ALCcontext* made = alcCreateContext(toAl(device), attributes);
    if (made == nullptr || alcMakeContextCurrent(made) != ALC_TRUE) {
        if (made != nullptr)
            alcDestroyContext(made);
        alcCloseDevice(toAl(device));
        return false;
    }
    context = made;
    return true;
}

void OpenAlSoundOutput::closeDevice(SoundDevice* device)
{
    if (context != nullptr && alcGetContextsDevice(context) == toAl(device)) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        context = nullptr;
    }
    alcCloseDevice(toAl(device));
}

SoundBuffer* OpenAlSoundOutput::createBuffer(SoundDevice* /*device: the current context's*/, const WaveFormat& format,
                                             std::uint32_t size)
{
    OpenAlFormat alFormat;
    // A buffer holds whole sample frames only.
    if (!toOpenAlFormat(format, &alFormat) || size % alFormat.blockAlign != 0)
        return nullptr;
    auto* made = new SoundBuffer;
    made->format = alFormat;
    alGetError();
    alGenBuffers(1, &made->buffer);
    if (alGetError() != AL_NO_ERROR) {
        made->buffer = 0;
        releaseBuffer(made);
        return nullptr;
    }
    alGenSources(1, &made->source);
    if (alGetError() != AL_NO_ERROR) {
        made->source = 0;
        releaseBuffer(made);
        return nullptr;
    }
    return made;
}

bool OpenAlSoundOutput::fillBuffer(SoundBuffer* buffer, const unsigned char* data, std::uint32_t size)
{
    alGetError();
    alSourcei(buffer->source, AL_BUFFER, 0);  // a buffer attached to a source cannot be refilled
    alBufferData(buffer->buffer, buffer->format.format, data, static_cast<ALsizei>(size), buffer->format.frequency);
    alSourcei(buffer->source, AL_BUFFER, static_cast<ALint>(buffer->buffer));
    return alGetError() == AL_NO_ERROR;
}

void OpenAlSoundOutput::releaseBuffer(SoundBuffer* buffer)
{
    if (buffer->source != 0)
        alDeleteSources(1, &buffer->source);
    if (buffer->buffer != 0)
        alDeleteBuffers(1, &buffer->buffer);
    delete buffer;
}

bool OpenAlSoundOutput::start(SoundBuffer* buffer, std::uint32_t position, bool loop)
{
    // Stopping first makes the offset apply to the next start: OpenAL
    // restarts an already playing source from its beginning and would drop
    // the offset.
    alSourceStop(buffer->source);
    alSourcei(buffer->source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alSourcei(buffer->source, AL_BYTE_OFFSET, static_cast<ALint>(position));
    alSourcePlay(buffer->source);
    return true;  // a lost device is seen by stillConnected
}

void OpenAlSoundOutput::stop(SoundBuffer* buffer)
{
    alSourceStop(buffer->source);
}

bool OpenAlSoundOutput::stillConnected(SoundDevice* device, SoundBuffer* /*buffer: OpenAL keeps its samples*/)
{
    // A device whose sound server ended or that was unplugged reads as no
    // longer connected; without the extension there is no way to tell.
    ALCdevice* al = toAl(device);
    if (alcIsExtensionPresent(al, "ALC_EXT_disconnect") != ALC_TRUE)
        return true;
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(al, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}

ALuint OpenAlSoundOutput::sourceOf(const SoundBuffer* buffer)
{
    return buffer != nullptr ? buffer->source : 0;
}
