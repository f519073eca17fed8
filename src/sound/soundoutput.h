#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>
#include <vector>

// The program's sound: one rendered phrase at a time on the default output
// device, through the output plugin, which is loaded with the first phrase.
// Everything that may wait on a device or a sound server (loading the
// plugin; opening, starting, stopping and closing the device) runs on a
// worker thread of the output's own: play() and stop() only hand over a
// buffer or take it back, and never wait on the device. Without a device,
// or with one that fails, nothing sounds and device() says so.
class SoundOutput : public QObject
{
    Q_OBJECT
public:
    static constexpr int kSampleRate = 48000;
    // The plugin's file name without its suffix, in the program directory.
    static constexpr const char* kPluginName = "fretquill-sound";

    enum class Device { Untried, Working, Missing };

    explicit SoundOutput(const QString& pluginPath, QObject* parent = nullptr);
    // Silent at once; the worker closes the device by itself.
    ~SoundOutput() override;

    // Plays mono samples at kSampleRate from their start, in place of
    // whatever is playing.
    void play(std::vector<float> samples);
    // Silent at once: the rest of the phrase is dropped.
    void stop();

    Device device() const { return device_; }
    // When the device first took samples of the phrase last played; the
    // clock's epoch until it has.
    std::chrono::steady_clock::time_point phraseReached() const;

signals:
    void deviceChanged();

private:
    struct Shared;
    void setDevice(Device device, const QString& why);

    std::shared_ptr<Shared> shared_;
    Device device_ = Device::Untried;
    bool told_ = false; // the console has heard that there is no device
};
