// The frame callback: draws the field, shows it, paces the loop and polls the
// channel keys.
#pragma once

#include "field/height_field.h"

constexpr int kPictureMargin = 10;        // black border around the picture, in pixels
constexpr int kPictureSide = kFieldSide;  // cells drawn per row and column: all but the last
constexpr int kWindowSide = kPictureSide + 2 * kPictureMargin;
constexpr unsigned kFramePauseMilliseconds = 200;

void displayFrame();
