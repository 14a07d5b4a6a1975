#include "platform/spritekit/AudioOutput.hpp"

#include "platform/foundation/Console.hpp"

namespace rovuzu {

namespace {

class SilentAudioOutput final : public AudioOutput {
  public:
    void playSound(const NSURL& /*file*/) override {}
    MusicId startMusic(const NSURL& /*file*/, bool /*loops*/) override { return ++lastId_; }
    void stopMusic(MusicId /*music*/) override {}

  private:
    MusicId lastId_ = 0;
};

AudioOutput* installedOutput = nullptr;

}  // namespace

void AudioOutput::reportMissingSound(const std::string& name) {
    if (reportedMissing_.insert(name).second) {
        diagnose("sound '" + name + "' not found in " +
                 NSBundle::mainBundle().bundlePath().string() + "; playing nothing");
    }
}

AudioOutput& AudioOutput::current() {
    static SilentAudioOutput silent;
    return installedOutput != nullptr ? *installedOutput : silent;
}

void AudioOutput::install(AudioOutput* output) {
    installedOutput = output;
}

}  // namespace rovuzu
