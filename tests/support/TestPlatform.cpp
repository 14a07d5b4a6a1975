#include "tests/support/TestPlatform.hpp"

#include <algorithm>
#include <array>
#include <fstream>

#include "platform/foundation/Clock.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSRunLoop.hpp"
#include "platform/gameplaykit/GKRandomSource.hpp"
#include "platform/spritekit/SKView.hpp"

namespace rovuzu {

AudioOutput::MusicId RecordingAudio::startMusic(const NSURL& file, bool /*loops*/) {
    playing[++lastId] = file.filename().string();
    return lastId;
}

void PlatformTest::SetUp() {
    Clock::install(&clock);
    Console::redirect(&out, &err);
    AudioOutput::install(&audio);
    GKRandomSource::sharedRandom().seed(GKRandomSource::kDefaultSeed);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    bundle = std::filesystem::temp_directory_path() /
             ("rovuzu-test-" + std::string(test->test_suite_name()) + "-" + test->name());
    std::filesystem::remove_all(bundle);
    std::filesystem::create_directories(bundle);
    NSBundle::setMainBundlePath(bundle);
}

void PlatformTest::TearDown() {
    NSRunLoop::mainRunLoop().invalidateAll();
    NSBundle::setMainBundlePath({});
    AudioOutput::install(nullptr);
    Console::redirect(nullptr, nullptr);
    Clock::install(nullptr);
    std::filesystem::remove_all(bundle);
}

void PlatformTest::addImage(const std::string& name, int width, int height) const {
    std::array<unsigned char, 24> header{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                         0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (int i = 0; i < 4; ++i) {
        header[16 + i] = static_cast<unsigned char>(static_cast<unsigned>(width) >> (24 - 8 * i));
        header[20 + i] = static_cast<unsigned char>(static_cast<unsigned>(height) >> (24 - 8 * i));
    }
    std::ofstream file(bundle / (name + ".png"), std::ios::binary);
    file.write(reinterpret_cast<const char*>(header.data()), header.size());
}

void PlatformTest::addFile(const std::string& fileName, const std::string& contents) const {
    std::ofstream(bundle / fileName) << contents;
}

void PlatformTest::addGameResources() const {
    for (const char* name : {"rovuzu1", "rovuzu2", "rovuzu3", "rovuzu4"}) {
        addImage(name, 240, 240);
    }
    addImage("gameover", 600, 400);
    addFile("QuickDeath.wav");
}

void PlatformTest::addLaunchResources() const {
    addGameResources();
    for (const char* file : {"Info.json", "Main.storyboard", "Scene.sks"}) {
        std::filesystem::copy_file(std::filesystem::path{ROVUZU_SOURCE_RESOURCES} / file,
                                   bundle / file);
    }
}

void PlatformTest::runUntil(double time, SKView* view) {
    constexpr double kFrameRate = 60.0;
    NSRunLoop& loop = NSRunLoop::mainRunLoop();
    for (;;) {
        const double nextFrame = static_cast<double>(frame_ + 1) / kFrameRate;
        const double next = std::min(nextFrame, loop.nextFireDate().value_or(nextFrame));
        if (next > time) {
            break;
        }
        clock.advanceTo(next);
        loop.fireDueTimers();
        if (next == nextFrame) {
            ++frame_;
            if (view != nullptr) {
                view->stepFrame(next);
            }
        }
    }
    clock.advanceTo(time);
    loop.fireDueTimers();
}

std::vector<std::string> PlatformTest::outLines() const {
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace rovuzu
