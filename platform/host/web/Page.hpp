#pragma once

#include <cstdint>

// The page around the game, written in JavaScript (library_rovuzu.js): its start screen, its
// lines of text, the camera's video, the sensors and Web Audio. Every function here returns at
// once; none waits for the browser.
extern "C" {

// The address's query, such as "?seed=3&autoplay", as UTF-8 the caller frees.
char* rovuzu_page_query();
// The game is ready: the start screen offers its button.
void rovuzu_page_ready();
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

// Web Audio: decodes a sound's bytes (copied; `name` for a line about a file that does not
// decode) and gives its number, 0 without sound; plays it, looping or not, and gives the
// playing's number, 0 without sound; stops a playing.
int rovuzu_audio_load(const char* name, const std::uint8_t* bytes, int length);
int rovuzu_audio_play(int sound, int loops);
void rovuzu_audio_stop(int playing);
}
