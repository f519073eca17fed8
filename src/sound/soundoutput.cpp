#include "soundoutput.h"

#include "outputplugin.h"

#include <QLibrary>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Short buffers, about 11 ms each, so that a stop is heard at once.
constexpr unsigned kBufferFrames = 512;
// The device stays open this long after a phrase has ended or was stopped,
// so that a quick replay need not open it again; then it is closed, and
// holds nothing of the sound system's while nothing plays.
constexpr auto kRunOn = std::chrono::milliseconds(500);
// How long the output's end waits for the worker to close the device: the
// time a closing device takes, never the time a hung sound server takes.
constexpr auto kCloseWait = std::chrono::milliseconds(40);

const FretquillOutput* loadOutput(QLibrary& library, QString& why)
{
    if (!library.isLoaded() && !library.load()) {
        why = library.errorString();
        return nullptr;
    }
    const auto entry = reinterpret_cast<FretquillOutputEntry>(library.resolve(FRETQUILL_OUTPUT_SYMBOL));
    const FretquillOutput* output = entry ? entry() : nullptr;
    if (!output || output->version != kFretquillOutputVersion) {
        why = QStringLiteral("%1 is not this program's sound plugin").arg(library.fileName());
        return nullptr;
    }
    return output;
}

} // namespace

// What the GUI thread, the worker and the device's thread share. The worker
// and the device hold it as long as they run, so it outlives the output.
struct SoundOutput::Shared
{
    // The phrase the device plays: handed over by the GUI thread, taken
    // by the device's thread; neither holds the lock for longer than a copy
    // of one buffer.
    std::mutex bufferMutex;
    std::shared_ptr<const std::vector<float>> phrase;
    size_t position = 0;
    std::atomic<Clock::rep> reached{0};

    // Requests to the worker.
    std::mutex mutex;
    std::condition_variable wake;
    bool playRequested = false;
    bool stopRequested = false;
    bool quit = false;
    bool finished = false;
    Clock::duration phraseLength{};
    SoundOutput* owner = nullptr; // told of the device; null once it is gone
    QString pluginPath;

    static void pull(void* user, float* out, unsigned frames);
    void run();
    void report(Device device, const QString& why);
};

void SoundOutput::Shared::pull(void* user, float* out, unsigned frames)
{
    auto* shared = static_cast<Shared*>(user);
    size_t n = 0;
    {
        std::lock_guard<std::mutex> lock(shared->bufferMutex);
        if (const std::vector<float>* samples = shared->phrase.get()) {
            if (shared->position == 0 && !samples->empty())
                shared->reached = Clock::now().time_since_epoch().count();
            n = std::min<size_t>(frames, samples->size() - shared->position);
            for (size_t i = 0; i < n; ++i)
                std::fill_n(out + i * kFretquillOutputChannels, kFretquillOutputChannels,
                            (*samples)[shared->position + i]);
            shared->position += n;
        }
    }
    std::fill(out + n * kFretquillOutputChannels, out + size_t(frames) * kFretquillOutputChannels,
              0.0f);
}

// The worker: the device is opened and started for a phrase, stopped at
// once by a stop request, and closed a little after the phrase has ended or
// was stopped. A device that failed is opened afresh for the next phrase,
// and a missing one looked for again.
void SoundOutput::Shared::run()
{
    QLibrary library(pluginPath);
    const FretquillOutput* output = nullptr;
    FretquillStream* stream = nullptr;
    bool running = false;
    Clock::time_point closeAt;
    std::unique_lock<std::mutex> lock(mutex);
    const auto asked = [this] { return playRequested || stopRequested || quit; };
    while (!quit) {
        if (stream)
            wake.wait_until(lock, closeAt, asked);
        else
            wake.wait(lock, asked);
        if (quit)
            break;
        const bool play = playRequested, stop = stopRequested;
        const Clock::duration length = phraseLength;
        playRequested = stopRequested = false;
        lock.unlock();

        if (stop && running) {
            output->stop(stream);
            running = false;
            closeAt = std::min(closeAt, Clock::now() + kRunOn);
        }
        if (!play && stream && Clock::now() >= closeAt) {
            output->close(stream);
            stream = nullptr;
            running = false;
        }
        if (play) {
            QString why;
            if (stream && output->failed(stream)) {
                output->close(stream);
                stream = nullptr;
                running = false;
            }
            if (!output)
                output = loadOutput(library, why);
            if (output && !stream)
                stream = output->open(kSampleRate, kBufferFrames, pull, this);
            if (stream && !running && output->start(stream) != 0) {
                output->close(stream);
                stream = nullptr;
            }
            running = stream != nullptr;
            closeAt = Clock::now() + length + kRunOn;
            if (why.isEmpty() && !running)
                why = QString::fromLocal8Bit(output->lastError()).simplified();
            report(running ? Device::Working : Device::Missing, why);
        }
        lock.lock();
    }
    lock.unlock();
    if (stream)
        output->close(stream);
    lock.lock();
    finished = true;
    wake.notify_all();
}

// Posted to the output's own thread; an output destroyed before the post is
// delivered takes the post with it.
void SoundOutput::Shared::report(Device device, const QString& why)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (SoundOutput* o = owner)
        QMetaObject::invokeMethod(o, [o, device, why] { o->setDevice(device, why); },
                                  Qt::QueuedConnection);
}

SoundOutput::SoundOutput(const QString& pluginPath, QObject* parent)
    : QObject(parent), shared_(std::make_shared<Shared>())
{
    shared_->owner = this;
    shared_->pluginPath = pluginPath;
    std::thread([shared = shared_] { shared->run(); }).detach();
}

SoundOutput::~SoundOutput()
{
    stop();
    std::unique_lock<std::mutex> lock(shared_->mutex);
    shared_->owner = nullptr;
    shared_->quit = true;
    shared_->wake.notify_all();
    shared_->wake.wait_for(lock, kCloseWait, [this] { return shared_->finished; });
}

void SoundOutput::play(std::vector<float> samples)
{
    const auto length = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(double(samples.size()) / kSampleRate));
    auto phrase = std::make_shared<const std::vector<float>>(std::move(samples));
    {
        std::lock_guard<std::mutex> lock(shared_->bufferMutex);
        std::swap(shared_->phrase, phrase); // the last phrase is freed outside the lock
        shared_->position = 0;
        shared_->reached = 0;
    }
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->playRequested = true;
    shared_->phraseLength = length;
    shared_->wake.notify_all();
}

void SoundOutput::stop()
{
    std::shared_ptr<const std::vector<float>> dropped;
    {
        std::lock_guard<std::mutex> lock(shared_->bufferMutex);
        std::swap(shared_->phrase, dropped);
    }
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->stopRequested = true;
    shared_->wake.notify_all();
}

std::chrono::steady_clock::time_point SoundOutput::phraseReached() const
{
    return Clock::time_point(Clock::duration(shared_->reached.load()));
}

// Once a run, the console hears why there is no sound; the program works on
// without it.
void SoundOutput::setDevice(Device device, const QString& why)
{
    if (device == Device::Missing && !told_) {
        told_ = true;
        std::fprintf(stderr, "Fretquill: no sound device was found, so nothing will sound (%s)\n",
                     qPrintable(why));
    }
    if (device != device_) {
        device_ = device;
        emit deviceChanged();
    }
}
