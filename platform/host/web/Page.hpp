#pragma once

#include <array>
#include <cstdint>

// The page around the game, written in JavaScript (library_rovuzu.js): its start screen, its
// lines of text, the camera's video, the sensors and Web Audio. Every function here returns at
// once; none waits for the browser.
extern "C" {

// The address's query, such as "?seed=3&autoplay", as UTF-8 the caller frees.
char* rovuzu_page_query();
// The game is ready: the start screen offers its button.
void rovuzu_page_ready();
// The round is over: the page offers another.
void rovuzu_page_round_over();
// The session is being recorded into this file (the page's own file system), which the page
// offers as a download.
void rovuzu_page_recording(const char* file);
// The game cannot start: the start screen shows `text` in one line instead of its button, and
// a button that loads the page again when `retry` is not 0 (for what may not happen twice).
void rovuzu_page_cannot_start(const char* text, int retry);
// A frame was drawn, after `milliseconds` of the game's own work on it (the turn, its layout
// and the drawing calls), for the page's figures.
void rovuzu_page_drawn(double milliseconds);

// The camera, while it gives pictures: a camera the phone has taken away (its track ended or
// muted) is no camera until it is back.
// Uploads the camera's newest picture into the texture, when it has one the texture has not
// had; says its size (0 by 0 without a camera). Returns 1 when it uploaded a picture.
int rovuzu_camera_upload(unsigned texture, int* width, int* height);
// How many pictures the camera has shown so far, never the same number for two pictures: 0
// without a camera.
double rovuzu_camera_pictures();
// The size of the camera's pictures now; 0 by 0 without a camera.
void rovuzu_camera_size(int* width, int* height);

// The built-in world's pictures as this very build paints them, when the page has them (kept
// from an earlier visit, or painted by a worker beside the page): their length in bytes (0
// for none), and a copy of them; and the pictures as just painted, for the page to keep for
// the next visit.
int rovuzu_room_saved_length();
void rovuzu_room_saved_copy(std::uint8_t* into);
void rovuzu_room_save(const std::uint8_t* bytes, int length);

// WebXR: whether the start tap opened an immersive-ar session, which the page keeps; starts
// drawing in it: the game's context made XR-compatible, a layer, the `local` reference space,
// and from then on each XR frame writes its view into rovuzu_xr_view() and calls
// rovuzu_xr_frame with the layer's framebuffer bound. When the session ends the page calls
// rovuzu_xr_ended.
int rovuzu_xr_session();
void rovuzu_xr_begin();

// Web Audio: decodes a sound's bytes (copied; `name` for a line about a file that does not
// decode) and gives its number, 0 without sound; plays it, looping or not, and gives the
// playing's number, 0 without sound; stops a playing.
int rovuzu_audio_load(const char* name, const std::uint8_t* bytes, int length);
// Web Audio: fetches a sound file from next to the page and decodes it, giving its number at
// once, 0 without sound. A play asked for meanwhile begins when it has arrived, and never if it
// does not (said in one line on stderr).
int rovuzu_audio_fetch(const char* name);
int rovuzu_audio_play(int sound, int loops);
void rovuzu_audio_stop(int playing);
}

namespace rovuzu {

// One view of a WebXR frame as the page writes it: the view's pose in the session's `local`
// space (the AR world: origin where the session began, y up, the device facing -z then), as a
// position in metres and an orientation quaternion X Y Z W; its projection matrix, column-major;
// its viewport in the layer's framebuffer (x and y from the bottom-left corner, width, height,
// in pixels); and the size in CSS pixels of the page it covers, the view's size in points.
struct XrView {
    std::array<double, 3> position{};
    std::array<double, 4> orientation{};
    std::array<double, 16> projection{};
    std::array<double, 4> viewport{};
    std::array<double, 2> page{};
};

}  // namespace rovuzu
