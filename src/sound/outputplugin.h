#pragma once

// The interface of the sound output's plugin, fretquill-sound.so: the only
// code that touches the sound library. Linking that library would load the
// sound systems' client libraries at every start; the program loads the
// plugin instead, on the first play. A plain C interface, so that no C++
// exception or type crosses between the two.

#ifdef __cplusplus
extern "C" {
#endif

// Fills `frames` interleaved frames of kOutputChannels samples each; called
// on the device's own thread.
typedef void (*FretquillPull)(void* user, float* out, unsigned frames);

typedef struct FretquillStream FretquillStream;

enum { kFretquillOutputVersion = 1, kFretquillOutputChannels = 2 };

typedef struct FretquillOutput
{
    int version; // kFretquillOutputVersion
    // Opens the default output device, trying each sound system the library
    // reaches in turn, for 32-bit float frames at the rate, `frames` to a
    // buffer. Null when none opens.
    FretquillStream* (*open)(unsigned rate, unsigned frames, FretquillPull pull, void* user);
    // Starts pulling frames; 0 on success.
    int (*start)(FretquillStream* stream);
    // Stops at once, dropping what the device still holds.
    void (*stop)(FretquillStream* stream);
    void (*close)(FretquillStream* stream);
    // Whether the device has failed since it was opened.
    int (*failed)(const FretquillStream* stream);
    // Why the last open or start on the calling thread failed.
    const char* (*lastError)(void);
} FretquillOutput;

// The plugin's one exported symbol.
#define FRETQUILL_OUTPUT_SYMBOL "fretquill_output"
typedef const FretquillOutput* (*FretquillOutputEntry)(void);

#ifdef __cplusplus
}
#endif
