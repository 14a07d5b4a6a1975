#include "platform/host/web/WebAudio.hpp"

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/foundation/Console.hpp"
#include "platform/host/web/Page.hpp"

namespace rovuzu {

namespace {

// The file the build leaves out of the packed resources, which hold an empty one in its place.
constexpr const char* kFetchedLater = ROVUZU_FETCHED_LATER;

}  // namespace

int WebAudio::sound(const NSURL& file) {
    const std::string key = file.string();
    if (const auto found = sounds_.find(key); found != sounds_.end()) {
        return found->second;
    }
    if (file.filename() == kFetchedLater) {
        return sounds_.emplace(key, rovuzu_audio_fetch(kFetchedLater)).first->second;
    }
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    int id = 0;
    if (!in.bad() && !bytes.empty()) {
        id = rovuzu_audio_load(file.filename().c_str(), bytes.data(),
                               static_cast<int>(bytes.size()));
    } else {
        diagnose(file.filename().string() + ": cannot be read; it stays silent");
    }
    sounds_.emplace(key, id);
    return id;
}

void WebAudio::playSound(const NSURL& file) {
    if (const int id = sound(file)) {
        rovuzu_audio_play(id, 0);
    }
}

AudioOutput::MusicId WebAudio::startMusic(const NSURL& file, bool loops) {
    const MusicId music = ++lastId_;
    if (const int id = sound(file)) {
        playing_[music] = rovuzu_audio_play(id, loops ? 1 : 0);
    }
    return music;
}

void WebAudio::stopMusic(MusicId music) {
    if (const auto found = playing_.find(music); found != playing_.end()) {
        rovuzu_audio_stop(found->second);
        playing_.erase(found);
    }
}

}  // namespace rovuzu
