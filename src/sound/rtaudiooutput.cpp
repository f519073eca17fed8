// The sound output's plugin over RtAudio: the default output device of the
// first sound system that opens one, PulseAudio (and so PipeWire) first,
// then ALSA, then JACK, then whatever else the library was built with.
#include "outputplugin.h"

#include <RtAudio.h>

#ifdef __LINUX_ALSA__
#include <alsa/asoundlib.h>
#endif
#ifdef __UNIX_JACK__
#include <jack/jack.h>
#endif

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#if defined(_WIN32)
#define FRETQUILL_PLUGIN_EXPORT __declspec(dllexport)
#else
#define FRETQUILL_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

struct FretquillStream
{
    explicit FretquillStream(RtAudio::Api api) : audio(api) {}
    RtAudio audio;
    FretquillPull pull = nullptr;
    void* user = nullptr;
    unsigned failuresAtOpen = 0;
};

namespace {

// RtAudio reports a device that fails to a function that is told nothing
// of the stream; each stream compares this count with the one it opened at.
// A write that fails is only a warning to RtAudio (a sound server that has
// gone away fails every write); it counts here.
std::atomic<unsigned> gFailures{0};

void onError(RtAudioError::Type type, const std::string&)
{
    if (type != RtAudioError::DEBUG_WARNING)
        ++gFailures;
}

// The sound systems' own libraries say on standard error what they cannot
// find; the program says it once, in its own words.
#ifdef __LINUX_ALSA__
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}
#endif
#ifdef __UNIX_JACK__
void quietJack(const char*) {}
#endif

thread_local std::string gLastError;

int pullFrames(void* out, void*, unsigned frames, double, RtAudioStreamStatus, void* data)
{
    auto* stream = static_cast<FretquillStream*>(data);
    stream->pull(stream->user, static_cast<float*>(out), frames);
    return 0;
}

// The sound systems to try, in order.
std::vector<RtAudio::Api> systems()
{
    std::vector<RtAudio::Api> compiled, order;
    RtAudio::getCompiledApi(compiled);
    for (RtAudio::Api api : {RtAudio::LINUX_PULSE, RtAudio::LINUX_ALSA, RtAudio::UNIX_JACK})
        if (std::find(compiled.begin(), compiled.end(), api) != compiled.end())
            order.push_back(api);
    for (RtAudio::Api api : compiled)
        if (api != RtAudio::RTAUDIO_DUMMY && std::find(order.begin(), order.end(), api) == order.end())
            order.push_back(api);
    return order;
}

FretquillStream* openStream(unsigned rate, unsigned frames, FretquillPull pull, void* user)
{
#ifdef __LINUX_ALSA__
    snd_lib_error_set_handler(quietAlsa);
#endif
#ifdef __UNIX_JACK__
    jack_set_error_function(quietJack);
    jack_set_info_function(quietJack);
#endif
    // What each sound system said, in the order they were tried.
    std::string why;
    const auto failed = [&why](const std::string& system, const std::string& what) {
        why += (why.empty() ? "" : "; ") + system + ": " + what;
    };
    for (RtAudio::Api api : systems()) {
        const std::string name = RtAudio::getApiDisplayName(api);
        try {
            auto stream = std::make_unique<FretquillStream>(api);
            stream->audio.showWarnings(false);
            if (stream->audio.getDeviceCount() == 0) {
                failed(name, "no device");
                continue;
            }
            RtAudio::StreamParameters output;
            output.deviceId = stream->audio.getDefaultOutputDevice();
            output.nChannels = kFretquillOutputChannels;
            // A few short buffers: a stop is heard at once.
            RtAudio::StreamOptions options;
            options.flags = RTAUDIO_ALSA_USE_DEFAULT;
            options.numberOfBuffers = 4;
            options.streamName = "Fretquill";
            unsigned bufferFrames = frames;
            stream->pull = pull;
            stream->user = user;
            stream->failuresAtOpen = gFailures;
            stream->audio.openStream(&output, nullptr, RTAUDIO_FLOAT32, rate, &bufferFrames,
                                     pullFrames, stream.get(), &options, onError);
            if (stream->audio.isStreamOpen())
                return stream.release();
            failed(name, "the device did not open");
        } catch (const RtAudioError& e) {
            failed(name, e.getMessage());
        }
    }
    gLastError = why.empty() ? "the sound library reaches no sound system" : why;
    return nullptr;
}

int startStream(FretquillStream* stream)
{
    try {
        if (!stream->audio.isStreamRunning())
            stream->audio.startStream();
        return 0;
    } catch (const RtAudioError& e) {
        gLastError = e.getMessage();
        return -1;
    }
}

void stopStream(FretquillStream* stream)
{
    try {
        if (stream->audio.isStreamRunning())
            stream->audio.abortStream();
    } catch (const RtAudioError&) {
        ++gFailures;
    }
}

void closeStream(FretquillStream* stream)
{
    stopStream(stream);
    try {
        if (stream->audio.isStreamOpen())
            stream->audio.closeStream();
    } catch (const RtAudioError&) {
    }
    delete stream;
}

int streamFailed(const FretquillStream* stream)
{
    return gFailures != stream->failuresAtOpen;
}

const char* lastError()
{
    return gLastError.c_str();
}

const FretquillOutput kOutput = {kFretquillOutputVersion, openStream, startStream, stopStream,
                                 closeStream, streamFailed, lastError};

} // namespace

extern "C" FRETQUILL_PLUGIN_EXPORT const FretquillOutput* fretquill_output(void)
{
    return &kOutput;
}
