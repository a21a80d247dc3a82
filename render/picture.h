// The picture: the game draws one 800 x 600 picture. A window of that size
// shows it as it is; a full screen shows it scaled to fit and centred, with
// black bars where the screen's shape differs, and the pointer is taken back
// into the picture's pixels before anything reads it.
#pragma once

constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 600;

// Where the picture lies in the window, in window pixels from the top left.
struct PictureArea {
    int x = 0;
    int y = 0;
    int width = kPictureWidth;
    int height = kPictureHeight;
};

// The largest 4:3 area that fits a window of width x height, centred.
PictureArea fitPicture(int windowWidth, int windowHeight);

struct PicturePoint {
    int x = 0;
    int y = 0;
};

// The picture pixel under window pixel (x, y). A point on a bar lies outside
// the picture, as a pointer outside the window does: nothing is found there.
PicturePoint pictureFromWindow(const PictureArea& area, int x, int y);
