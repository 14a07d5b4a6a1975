#include "platform/host/sdl/MixerAudio.hpp"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/foundation/Console.hpp"
#include "platform/host/sdl/StderrCapture.hpp"

namespace rovuzu {

namespace {

constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkSize = 1024;
constexpr int kMixChannels = 16;
constexpr int kMusicChannel = 0;  // reserved: effects never take it

// Without a sound server or card, SDL's last resort (ALSA) fills stderr with library noise
// before failing; look for one first.
bool soundDeviceLikely() {
    if (std::getenv("SDL_AUDIODRIVER") != nullptr || std::getenv("PULSE_SERVER") != nullptr) {
        return true;
    }
    std::error_code error;
    if (std::filesystem::exists("/dev/snd", error)) {
        return true;
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime != nullptr &&
           (std::filesystem::exists(std::filesystem::path{runtime} / "pulse" / "native", error) ||
            std::filesystem::exists(std::filesystem::path{runtime} / "pipewire-0", error));
}

}  // namespace

void MixerAudio::ChunkFree::operator()(Mix_Chunk* chunk) const {
    Mix_FreeChunk(chunk);
}

std::unique_ptr<MixerAudio> MixerAudio::open() {
    if (!soundDeviceLikely()) {
        diagnose("no audio device found; the game plays silently");
        return nullptr;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        diagnose(std::string("no audio device (") + SDL_GetError() + "); the game plays silently");
        return nullptr;
    }
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);  // whatever of these decoders there are
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kChannels, kChunkSize) != 0) {
        diagnose(std::string("cannot open the audio device (") + Mix_GetError() +
                 "); the game plays silently");
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    Mix_AllocateChannels(kMixChannels);
    Mix_ReserveChannels(1);
    return std::unique_ptr<MixerAudio>(new MixerAudio);
}

MixerAudio::~MixerAudio() {
    Mix_HaltChannel(-1);
    chunks_.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

Mix_Chunk* MixerAudio::chunk(const NSURL& file) {
    const std::string key = file.string();
    if (const auto found = chunks_.find(key); found != chunks_.end()) {
        return found->second.get();
    }
    if (undecodable_.contains(key)) {
        return nullptr;
    }
    StderrCapture decoderNoise;
    Mix_Chunk* loaded = Mix_LoadWAV(key.c_str());
    const std::string complaint = decoderNoise.finish();
    if (loaded == nullptr) {
        undecodable_.insert(key);
        diagnose(key + ": cannot be played (" + Mix_GetError() + ")");
        return nullptr;
    }
    if (!complaint.empty()) {
        diagnose(key + ": damaged (" + complaint.substr(0, complaint.find('\n')) +
                 "); playing what can be decoded");
    }
    return chunks_.emplace(key, loaded).first->second.get();
}

void MixerAudio::playSound(const NSURL& file) {
    if (Mix_Chunk* sound = chunk(file)) {
        Mix_PlayChannel(-1, sound, 0);  // all channels busy: this one is dropped, as on a phone
    }
}

AudioOutput::MusicId MixerAudio::startMusic(const NSURL& file, bool loops) {
    playing_ = ++lastId_;
    if (Mix_Chunk* music = chunk(file)) {
        Mix_PlayChannel(kMusicChannel, music, loops ? -1 : 0);
    }
    return playing_;
}

void MixerAudio::stopMusic(MusicId music) {
    if (music == playing_) {
        Mix_HaltChannel(kMusicChannel);
        playing_ = 0;
    }
}

}  // namespace rovuzu
