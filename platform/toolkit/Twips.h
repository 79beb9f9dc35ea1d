#pragma once

namespace toolkit {

// Positions and sizes of the layout are in twips, 15 to a pixel.
constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -kTwipsPerPixel / 2)) / kTwipsPerPixel;
}

}  // namespace toolkit
