// Fitting the picture into a window and taking window pixels back into it.
#include "render/picture.h"

#include <algorithm>
#include <cmath>

PictureArea fitPicture(int windowWidth, int windowHeight) {
    const double scale = std::min(static_cast<double>(windowWidth) / kPictureWidth,
                                  static_cast<double>(windowHeight) / kPictureHeight);
    PictureArea area;
    area.width = std::max(1, static_cast<int>(std::lround(kPictureWidth * scale)));
    area.height = std::max(1, static_cast<int>(std::lround(kPictureHeight * scale)));
    area.x = (windowWidth - area.width) / 2;
    area.y = (windowHeight - area.height) / 2;
    return area;
}

PicturePoint pictureFromWindow(const PictureArea& area, int x, int y) {
    const auto scaled = [](int offset, int picture, int shown) {
        return static_cast<int>(std::floor(static_cast<double>(offset) * picture / shown));
    };
    return {scaled(x - area.x, kPictureWidth, area.width),
            scaled(y - area.y, kPictureHeight, area.height)};
}
