#pragma once

#include "platform/foundation/NSBundle.hpp"
#include "platform/spritekit/AudioOutput.hpp"
#include "platform/spritekit/SKNode.hpp"

namespace rovuzu {

// Music that plays, looped, while the node is in a scene.
class SKAudioNode : public SKNode {
  public:
    explicit SKAudioNode(NSURL url) : url_(std::move(url)) {}
    SKAudioNode(const SKAudioNode&) = delete;
    SKAudioNode& operator=(const SKAudioNode&) = delete;
    ~SKAudioNode() override;

    [[nodiscard]] const NSURL& url() const { return url_; }
    [[nodiscard]] bool isPlaying() const { return music_ != 0; }

  protected:
    void didEnterScene() override;
    void willLeaveScene() override;

  private:
    void stop();

    NSURL url_;
    AudioOutput::MusicId music_ = 0;
};

}  // namespace rovuzu
