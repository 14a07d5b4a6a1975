// The browser host's two pieces of plain logic, tested natively: the page's address read as
// options, and the motion sensors' angles turned into the device's pose.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <variant>

#include "platform/host/web/DeviceOrientation.hpp"
#include "platform/host/web/PageOptions.hpp"
#include "platform/world/DevicePose.hpp"

namespace rovuzu {
namespace {

PageOptions parsed(std::string_view query) {
    const auto result = PageOptions::parse(query);
    EXPECT_TRUE(std::holds_alternative<PageOptions>(result)) << std::get<std::string>(result);
    return std::holds_alternative<PageOptions>(result) ? std::get<PageOptions>(result)
                                                       : PageOptions{};
}

TEST(PageOptionsTest, ReadsTheAddressAsTheCommandLineWouldBe) {
    const PageOptions page =
        parsed("?seed=42&autoplay&script=rounds%2Fone+two.txt&clock=virtual&xr=off&record");
    EXPECT_EQ(page.options.seed, 42U);
    EXPECT_TRUE(page.options.autoplay);
    EXPECT_EQ(page.options.script, std::filesystem::path("rounds/one two.txt"));
    EXPECT_TRUE(page.virtualClock);
    EXPECT_FALSE(page.worldTracking);
    EXPECT_TRUE(page.record);

    const PageOptions plain = parsed("");
    EXPECT_FALSE(plain.options.seed);
    EXPECT_FALSE(plain.options.autoplay);
    EXPECT_FALSE(plain.virtualClock);
    EXPECT_FALSE(parsed("?autoplay=0&clock=real&utm_source=x&=&&").options.autoplay);
    EXPECT_TRUE(parsed("autoplay=1").options.autoplay);
}

TEST(PageOptionsTest, ABadValueIsOneLineNamingIt) {
    for (const auto& [query, problem] :
         {std::pair{"?seed=abc", "?seed=abc: not a whole number from 0 to 4294967295"},
          std::pair{"?seed=4294967296",
                    "?seed=4294967296: not a whole number from 0 to 4294967295"},
          std::pair{"?seed=", "?seed=: not a whole number from 0 to 4294967295"},
          std::pair{"?clock=fast", "?clock=fast: either virtual or real"},
          std::pair{"?xr=no", "?xr=no: either off or on"},
          std::pair{"?record=yes", "?record=yes: give it alone, or as 1 or 0"},
          std::pair{"?autoplay=yes", "?autoplay=yes: give it alone, or as 1 or 0"},
          std::pair{"?script=", "?script: name the script file"},
          std::pair{"?seed=1%0a2", "?seed=1\n2: not a whole number from 0 to 4294967295"}}) {
        const auto result = PageOptions::parse(query);
        ASSERT_TRUE(std::holds_alternative<std::string>(result)) << query;
        EXPECT_EQ(std::get<std::string>(result), problem);
    }
}

TEST(PageOptionsTest, AnUnknownOptionIsOneLineNamingItAndWhatThePageTakes) {
    const std::string takes =
        ": not an option here; the page takes ?seed, ?autoplay, ?script, ?camera-fov, ?clock, ?xr, "
        "?record";
    for (const auto& [query, named] :
         {std::pair{"?Seed=5", "?Seed=5"}, std::pair{"?seed=5&foo=1", "?foo=1"},
          std::pair{"?autoplay&verbose", "?verbose"},
          std::pair{"?clock%3Dvirtual", "?clock=virtual"}}) {
        const auto result = PageOptions::parse(query);
        ASSERT_TRUE(std::holds_alternative<std::string>(result)) << query;
        EXPECT_EQ(std::get<std::string>(result), named + takes);
    }
    // The first problem in the address is the one said.
    EXPECT_EQ(std::get<std::string>(PageOptions::parse("?seed=abc&foo")),
              "?seed=abc: not a whole number from 0 to 4294967295");
    EXPECT_EQ(std::get<std::string>(PageOptions::parse("?foo&seed=abc")), "?foo" + takes);
}

TEST(PageOptionsTest, TheTagsSitesAddToSharedLinksStillStartTheGame) {
    const PageOptions page =
        parsed("?seed=9&utm_source=chat&utm_medium=social&fbclid=Iw4R&gclid=Cj0");
    EXPECT_EQ(page.options.seed, 9U);
    EXPECT_FALSE(page.options.autoplay);
}

// Readings of a phone held upright, as the browser gives them: in portrait its camera faces the
// horizon at beta 90; in landscape, the phone's top to the left, at alpha 90, beta 0, gamma -90.
struct Held {
    DeviceOrientation::Reading reading;
    double yaw;
    double pitch;
    double roll;
};

// The angle between two rotations, in degrees.
double degreesBetween(const glm::dquat& a, const glm::dquat& b) {
    return glm::degrees(2.0 * std::acos(std::min(1.0, std::abs(glm::dot(a, b)))));
}

void expectRotation(DeviceOrientation& sensors, const Held& held) {
    const glm::dquat rotation = sensors.rotationFor(held.reading);
    const glm::dquat expected = DevicePose::rotationFromAngles(held.yaw, held.pitch, held.roll);
    EXPECT_LT(degreesBetween(rotation, expected), 1e-5)
        << held.reading.alpha << " " << held.reading.beta << " " << held.reading.gamma;
    EXPECT_NEAR(glm::length(rotation), 1.0, 1e-12);
}

TEST(DeviceOrientationTest, TheFirstReadingsHeadingIsWhereTrackingBeganAndUpStaysUp) {
    DeviceOrientation sensors;
    expectRotation(sensors, {{100, 90, 0, 0}, 0, 0, 0});
    expectRotation(sensors, {{130, 90, 0, 0}, 30, 0, 0});   // turned left
    expectRotation(sensors, {{80, 90, 0, 0}, -20, 0, 0});   // turned right
    expectRotation(sensors, {{100, 60, 0, 0}, 0, -30, 0});  // tilted down
    expectRotation(sensors, {{100, 110, 0, 0}, 0, 20, 0});  // tilted up
    expectRotation(sensors, {{280, 90, 0, 0}, 180, 0, 0});  // turned round

    DeviceOrientation tilted;
    expectRotation(tilted,
                   {{0, 70, 0, 0}, 0, -20, 0});  // a first reading looking down keeps its pitch
}

// Straight down is the phone lying flat, screen up; straight up, flat with the screen down. No
// limit short of either: targets can be there.
TEST(DeviceOrientationTest, TheRotationHoldsLookingStraightUpAndDownAndJustShortOfThem) {
    DeviceOrientation sensors;
    expectRotation(sensors, {{100, 90, 0, 0}, 0, 0, 0});
    expectRotation(sensors, {{100, 0, 0, 0}, 0, -90, 0});
    expectRotation(sensors, {{100, 0.5, 0, 0}, 0, -89.5, 0});
    expectRotation(sensors, {{100, 180, 0, 0}, 0, 90, 0});
    expectRotation(sensors, {{100, 179.5, 0, 0}, 0, 89.5, 0});
    expectRotation(sensors, {{130, 0, 0, 0}, 30, -90, 0});  // lying flat, turned left
    // Flat on its face, its right-hand edge turned as far left: the same turn, looking up.
    expectRotation(sensors, {{130, 180, 0, 0}, 30, 90, 0});

    DeviceOrientation lyingFlat;  // where tracking begins looking straight down
    expectRotation(lyingFlat, {{30, 0, 0, 0}, 0, -90, 0});
    expectRotation(lyingFlat, {{30, 90, 0, 0}, 0, 0, 0});  // raised to the horizon
}

TEST(DeviceOrientationTest, TheScreensOwnRotationIsTakenOutInLandscape) {
    DeviceOrientation sensors;
    expectRotation(sensors, {{90, 0, -90, 90}, 0, 0, 0});
    expectRotation(sensors, {{100, 0, -90, 90}, 10, 0, 0});  // turned left
    expectRotation(sensors, {{90, 0, -80, 90}, 0, -10, 0});  // tilted down
    // The same phone with the screen's rotation locked to portrait sees the world on its side.
    expectRotation(sensors, {{90, 0, -90, 0}, 0, 0, 90});
}

}  // namespace
}  // namespace rovuzu
