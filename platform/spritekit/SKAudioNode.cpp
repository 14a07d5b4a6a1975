#include "platform/spritekit/SKAudioNode.hpp"

namespace rovuzu {

SKAudioNode::~SKAudioNode() {
    stop();
}

void SKAudioNode::didEnterScene() {
    if (music_ == 0) {
        music_ = AudioOutput::current().startMusic(url_, true);
    }
}

void SKAudioNode::willLeaveScene() {
    stop();
}

void SKAudioNode::stop() {
    if (music_ != 0) {
        AudioOutput::current().stopMusic(music_);
        music_ = 0;
    }
}

}  // namespace rovuzu
