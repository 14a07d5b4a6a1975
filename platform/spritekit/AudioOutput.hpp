#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "platform/foundation/NSBundle.hpp"

namespace rovuzu {

// Where sounds go. The scene graph asks for sounds through this seam; the window host plugs
// in the sound card, tests plug in a recorder, and without either the game plays silently.
class AudioOutput {
  public:
    using MusicId = std::uint64_t;

    AudioOutput() = default;
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;
    virtual ~AudioOutput() = default;

    // Starts a sound effect and returns at once.
    virtual void playSound(const NSURL& file) = 0;
    // Starts a piece of music; it plays until stopped. Ids are never 0.
    virtual MusicId startMusic(const NSURL& file, bool loops) = 0;
    virtual void stopMusic(MusicId music) = 0;

    // One diagnostic per missing sound name, however often the sound is asked for.
    void reportMissingSound(const std::string& name);

    // The installed output, or a silent one. The caller keeps ownership of what it installs
    // and must uninstall it (install(nullptr)) before it goes away.
    static AudioOutput& current();
    static void install(AudioOutput* output);

  private:
    std::set<std::string> reportedMissing_;
};

}  // namespace rovuzu
