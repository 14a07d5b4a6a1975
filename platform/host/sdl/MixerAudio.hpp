#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/spritekit/AudioOutput.hpp"

struct Mix_Chunk;

namespace rovuzu {

// Sound through SDL_mixer. Every file is decoded whole when first played, music included, so
// that what a decoder complains of on stderr is caught and said once in our own words; the
// music then loops sample-exact on a channel of its own, and effects take the others.
// A sound file that cannot be decoded is announced once and then stays silent.
class MixerAudio final : public AudioOutput {
  public:
    // The sound card, or nothing (after one line on stderr) when there is none; the game then
    // plays silently.
    static std::unique_ptr<MixerAudio> open();

    MixerAudio(const MixerAudio&) = delete;
    MixerAudio& operator=(const MixerAudio&) = delete;
    ~MixerAudio() override;

    void playSound(const NSURL& file) override;
    MusicId startMusic(const NSURL& file, bool loops) override;
    void stopMusic(MusicId music) override;

  private:
    MixerAudio() = default;
    Mix_Chunk* chunk(const NSURL& file);

    struct ChunkFree {
        void operator()(Mix_Chunk* chunk) const;
    };

    std::map<std::string, std::unique_ptr<Mix_Chunk, ChunkFree>> chunks_;
    std::set<std::string> undecodable_;
    MusicId playing_ = 0;
    MusicId lastId_ = 0;
};

}  // namespace rovuzu
