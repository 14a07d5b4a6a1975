#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/spritekit/AudioOutput.hpp"

struct Mix_Chunk;
struct _Mix_Music;

namespace rovuzu {

// Sound through SDL_mixer: effects on free channels, music looped on the music channel.
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
    struct MusicFree {
        void operator()(_Mix_Music* music) const;
    };

    std::map<std::string, std::unique_ptr<Mix_Chunk, ChunkFree>> chunks_;
    std::set<std::string> undecodable_;
    std::unique_ptr<_Mix_Music, MusicFree> music_;
    MusicId playing_ = 0;
    MusicId lastId_ = 0;
};

}  // namespace rovuzu
