#include "tools/hud_art.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <string>

#include "game/seats.h"
#include "tools/font_art.h"

namespace {

// Palette. Nothing here may be pure white: that is the transparent key.
constexpr Rgb kOutline{10, 14, 26};
constexpr Rgb kBevelLight{118, 140, 190};
constexpr Rgb kFaceTop{62, 78, 116};
constexpr Rgb kFaceBottom{28, 36, 60};
constexpr Rgb kPanelFill{16, 24, 44};
constexpr Rgb kPanelBorder{96, 124, 176};
constexpr Rgb kLabel{176, 194, 226};
constexpr Rgb kTitle{236, 204, 120};
constexpr Rgb kArrow{232, 232, 236};
constexpr Rgb kOwnFleet{110, 200, 255};
constexpr Rgb kEnemy{236, 78, 64};
constexpr Rgb kSpark{255, 216, 64};
constexpr Rgb kPlanetOrange{226, 142, 62};
constexpr Rgb kPlanetShade{150, 80, 36};
constexpr Rgb kGo{96, 214, 96};
constexpr Rgb kStop{228, 64, 52};
constexpr Rgb kTarget{240, 96, 80};
constexpr Rgb kLight{250, 250, 250};
constexpr Rgb kLightShade{214, 214, 214};

struct Fonts {
    FaceHandle label;
    FaceHandle small;
    FaceHandle title;
    FaceHandle button;
    FaceHandle word;
};

Canvas pieceFor(const AtlasRegion& region) {
    return makeCanvas(regionWidth(region), regionHeight(region));
}

// The picture's top row is atlas row tTop - 1.
void place(Canvas& atlas, const Canvas& piece, const AtlasRegion& region) {
    for (int y = 0; y < piece.height; ++y)
        for (int x = 0; x < piece.width; ++x)
            setPixel(atlas, region.sLeft + x, atlas.height - region.tTop + y, pixelAt(piece, x, y));
}

void fillWhole(Canvas& c, const Shape& shape, Rgb colour) {
    paint(c, 0, 0, c.width, c.height, shape, colour);
}

// A raised plate with rounded corners; what lies outside them stays transparent.
void paintPlate(Canvas& c, float radius, Rgb top = kFaceTop, Rgb bottom = kFaceBottom) {
    const float w = static_cast<float>(c.width), h = static_cast<float>(c.height);
    paint(c, 0, 0, c.width, c.height, roundedBox(0, 0, w, h, radius), kOutline, true);
    fillWhole(c, roundedBox(1, 1, w - 1, h - 1, std::max(radius - 1, 0.5f)), kBevelLight);
    const Shape inner = roundedBox(2, 2, w - 1, h - 1, std::max(radius - 1.5f, 0.5f));
    for (int y = 2; y < c.height - 1; ++y) {
        const Rgb colour = mix(top, bottom, static_cast<float>(y - 2) / std::max(1, c.height - 4));
        paint(c, 0, y, c.width, y + 1, inner, colour);
    }
}

void paintPanel(Canvas& c) {
    const float w = static_cast<float>(c.width), h = static_cast<float>(c.height);
    paint(c, 0, 0, c.width, c.height, roundedBox(0, 0, w, h, 3), kPanelBorder, true);
    fillWhole(c, roundedBox(1, 1, w - 1, h - 1, 2), kPanelFill);
}

// ---- pictograms, in the 32 x 32 space of a button ----

void fleet(Canvas& c, float x, float y, float r, Rgb colour = kOwnFleet) {
    fillWhole(c, disc(x, y, r + 1), kOutline);
    fillWhole(c, disc(x, y, r), colour);
    fillWhole(c, disc(x - r * 0.35f, y - r * 0.35f, r * 0.35f), mix(colour, kLight, 0.6f));
}

void planet(Canvas& c, float x, float y, float r, Rgb colour = kPlanetOrange,
            Rgb shade = kPlanetShade) {
    fillWhole(c, disc(x, y, r + 1), kOutline);
    fillWhole(c, disc(x, y, r), shade);
    fillWhole(c, intersect(disc(x, y, r), disc(x - r * 0.3f, y - r * 0.3f, r * 0.95f)), colour);
    fillWhole(c, disc(x - r * 0.4f, y - r * 0.4f, r * 0.25f), mix(colour, kLight, 0.55f));
}

void ship(Canvas& c, float tipX, float tipY, float dirX, float dirY, float length, Rgb colour) {
    const float nx = -dirY, ny = dirX;
    const float bx = tipX - dirX * length, by = tipY - dirY * length;
    const float half = length * 0.45f;
    fillWhole(
        c,
        triangle(tipX + dirX, tipY + dirY, bx + nx * (half + 1) - dirX, by + ny * (half + 1) - dirY,
                 bx - nx * (half + 1) - dirX, by - ny * (half + 1) - dirY),
        kOutline);
    fillWhole(c,
              triangle(tipX, tipY, bx + nx * half, by + ny * half, bx - nx * half, by - ny * half),
              colour);
}

// An arrow from (ax, ay) whose head ends at (bx, by).
void arrow(Canvas& c, float ax, float ay, float bx, float by, float head, Rgb colour = kArrow,
           float shaft = 1.2f) {
    const float length = std::hypot(bx - ax, by - ay);
    const float dx = (bx - ax) / length, dy = (by - ay) / length;
    const float baseX = bx - dx * head, baseY = by - dy * head;
    fillWhole(c, segment(ax, ay, baseX, baseY, shaft), colour);
    fillWhole(c,
              triangle(bx, by, baseX - dy * head * 0.7f, baseY + dx * head * 0.7f,
                       baseX + dy * head * 0.7f, baseY - dx * head * 0.7f),
              colour);
}

void bigArrow(Canvas& c, bool right, Rgb colour = kArrow) {
    if (right)
        fillWhole(c, triangle(19, 8, 19, 24, 28, 16), colour);
    else
        fillWhole(c, triangle(13, 8, 13, 24, 4, 16), colour);
}

void spark(Canvas& c, float x, float y, float r) {
    Shape star = triangle(x, y - r, x - r * 0.35f, y, x + r * 0.35f, y);
    star = unite(star, triangle(x, y + r, x - r * 0.35f, y, x + r * 0.35f, y));
    star = unite(star, triangle(x - r, y, x, y - r * 0.35f, x, y + r * 0.35f));
    star = unite(star, triangle(x + r, y, x, y - r * 0.35f, x, y + r * 0.35f));
    const float d = r * 0.62f;
    star = unite(star, segment(x - d, y - d, x + d, y + d, r * 0.14f));
    star = unite(star, segment(x - d, y + d, x + d, y - d, r * 0.14f));
    fillWhole(c, star, kSpark);
    fillWhole(c, disc(x, y, r * 0.28f), mix(kSpark, kLight, 0.7f));
}

void plus(Canvas& c, float x, float y, float arm, Rgb colour) {
    fillWhole(c,
              unite(box(x - arm - 1, y - 2, x + arm + 1, y + 2),
                    box(x - 2, y - arm - 1, x + 2, y + arm + 1)),
              kOutline);
    fillWhole(c, unite(box(x - arm, y - 1, x + arm, y + 1), box(x - 1, y - arm, x + 1, y + arm)),
              colour);
}

void target(Canvas& c, float x, float y) {
    fillWhole(c, ring(x, y, 6.5f, 8.2f), kTarget);
    for (int i = 0; i < 4; ++i) {
        const float dx = i == 0   ? 1.0f
                         : i == 1 ? -1.0f
                                  : 0.0f,
                    dy = i == 2   ? 1.0f
                         : i == 3 ? -1.0f
                                  : 0.0f;
        fillWhole(c, segment(x + dx * 6, y + dy * 6, x + dx * 10.5f, y + dy * 10.5f, 0.8f),
                  kTarget);
    }
}

void stopBar(Canvas& c, float x) { fillWhole(c, box(x, 7, x + 3, 25), kArrow); }

void drawButtonIcon(Canvas& c, int index) {
    switch (index) {
        case 0:  // split one group into two
            fleet(c, 8, 16, 4.5f);
            arrow(c, 13, 14, 21, 8, 5);
            arrow(c, 13, 18, 21, 24, 5);
            fleet(c, 26, 7, 3);
            fleet(c, 26, 25, 3);
            break;
        case 1:  // two groups into one
            fleet(c, 6, 7, 3);
            fleet(c, 6, 25, 3);
            arrow(c, 9, 9, 18, 15, 5);
            arrow(c, 9, 23, 18, 17, 5);
            fleet(c, 24, 16, 5);
            break;
        case 2:  // fight the enemy group
            ship(c, 13, 16, 1, 0, 10, kOwnFleet);
            ship(c, 19, 16, -1, 0, 10, kEnemy);
            spark(c, 16, 16, 6);
            break;
        case 3:  // fight the planet below
            planet(c, 21, 20, 9, mix(kEnemy, kPlanetOrange, 0.4f), scaled(kEnemy, 0.55f));
            ship(c, 13, 13, 0.707f, 0.707f, 8.5f, kOwnFleet);
            spark(c, 14.5f, 14.5f, 4.5f);
            break;
        case 4:
        case 5:  // next or previous group
            fleet(c, index == 4 ? 10.0f : 22.0f, 16, 5.5f);
            bigArrow(c, index == 4);
            break;
        case 6:
        case 7: {  // next or previous group in position for combat
            const float x = index == 6 ? 10.0f : 22.0f;
            target(c, x, 16);
            fleet(c, x, 16, 3.5f);
            if (index == 6)
                fillWhole(c, triangle(23, 10, 23, 22, 30, 16), kArrow);
            else
                fillWhole(c, triangle(9, 10, 9, 22, 2, 16), kArrow);
            break;
        }
        case 8:  // a new group out of the planet
            planet(c, 11, 21, 8);
            arrow(c, 16, 15, 22, 10, 5);
            fleet(c, 25, 7, 3.5f);
            plus(c, 25, 24, 3.5f, kGo);
            break;
        case 9:
        case 10:  // next or previous own planet
            planet(c, index == 9 ? 10.0f : 22.0f, 16, 7);
            bigArrow(c, index == 9);
            break;
        case 11:  // end of movement: the course runs up to a stop
            fleet(c, 6, 16, 3.5f);
            for (float x = 11; x < 16; x += 4) fillWhole(c, disc(x, 16, 1.1f), kArrow);
            fillWhole(c, triangle(17, 9, 17, 23, 25, 16), kArrow);
            stopBar(c, 26);
            break;
        case 12:  // end of the battles
            spark(c, 9, 16, 7);
            fillWhole(c, triangle(17, 9, 17, 23, 25, 16), kArrow);
            stopBar(c, 26);
            break;
        case 13:  // save: a floppy disk with an arrow into it
            fillWhole(c, roundedBox(5, 5, 27, 27, 2), kOutline);
            fillWhole(c, roundedBox(6, 6, 26, 26, 1.5f), Rgb{96, 128, 200});
            fillWhole(c, box(10, 6, 22, 13), Rgb{200, 206, 218});
            fillWhole(c, box(18, 7, 20, 12), Rgb{60, 72, 96});
            fillWhole(c, box(9, 17, 23, 26), Rgb{236, 236, 226});
            arrow(c, 16, 17, 16, 25, 5, kGo, 1.3f);
            break;
        case 14:  // load: an open folder with an arrow out of it
            fillWhole(c, box(4, 12, 27, 27), kOutline);
            fillWhole(c, box(5, 10, 13, 13), Rgb{200, 150, 48});
            fillWhole(c, box(5, 13, 26, 26), Rgb{200, 150, 48});
            fillWhole(c, unite(triangle(8, 17, 30, 17, 26, 26), triangle(8, 17, 26, 26, 4, 26)),
                      Rgb{244, 204, 90});
            arrow(c, 17, 20, 17, 3, 5, kGo, 1.3f);
            break;
        case 15:  // quit: the power sign
            fillWhole(c, subtract(ring(16, 17, 6.5f, 9.3f), triangle(16, 17, 11, 4, 21, 4)), kStop);
            fillWhole(c, segment(16, 5, 16, 15, 1.5f), kStop);
            break;
        case 16:  // begin the turn: play
            fillWhole(c, triangle(10, 6, 10, 26, 26, 16), kOutline);
            fillWhole(c, triangle(11, 8, 11, 24, 24, 16), kGo);
            break;
        case 21: {  // back to Setup for a new game: an arrow running round to where it began
            const float gapStart = -1.745f;  // the arc ends 100 degrees above the right
            const float radius = 7.9f;
            fillWhole(c, subtract(ring(16, 16, 6.5f, 9.3f), triangle(16, 16, 13.5f, 0, 32, 2)),
                      kGo);
            const float px = 16 + radius * std::cos(gapStart);
            const float py = 16 + radius * std::sin(gapStart);
            const float tx = -std::sin(gapStart), ty = std::cos(gapStart);  // clockwise along it
            const float nx = std::cos(gapStart), ny = std::sin(gapStart);
            fillWhole(c,
                      triangle(px + 6 * tx, py + 6 * ty, px + 4.5f * nx, py + 4.5f * ny,
                               px - 4.5f * nx, py - 4.5f * ny),
                      kGo);
            fleet(c, 16, 16, 2.5f);
            break;
        }
        default: break;
    }
}

Canvas paintButtonFace(Fonts& fonts, int index) {
    Canvas face = pieceFor(kButtonFaces[index]);
    const bool tiny = face.width < 16;
    paintPlate(face, tiny ? 2.0f : 4.0f);
    if (index == 17 || index == 18) {
        const std::string word = index == 17 ? "Yes" : "No";
        const int width = textWidth(*fonts.button, word);
        paintText(face, *fonts.button, (face.width - width) / 2, 13, word,
                  index == 17 ? kGo : Rgb{250, 110, 96});
    } else if (index == 19) {
        fillWhole(face, triangle(5.5f, 2.5f, 1.8f, 7.8f, 9.2f, 7.8f), kGo);
    } else if (index == 20) {
        fillWhole(face, triangle(5.5f, 7.5f, 1.8f, 2.2f, 9.2f, 2.2f), Rgb{250, 150, 80});
    } else {
        drawButtonIcon(face, index);
    }
    return face;
}

// The second face of the planet button: give the group to the planet.
Canvas paintDonationFace() {
    Canvas donate = pieceFor(kDonationFace);
    paintPlate(donate, 4.0f);
    planet(donate, 21, 20, 9, Rgb{110, 200, 140}, Rgb{40, 110, 70});
    ship(donate, 13, 13, 0.707f, 0.707f, 8.5f, kOwnFleet);
    plus(donate, 7, 24, 4, kGo);
    return donate;
}

void paintButtons(Canvas& atlas, Fonts& fonts) {
    for (int i = 0; i < static_cast<int>(kButtonFaceCount); ++i)
        place(atlas, paintButtonFace(fonts, i), kButtonFaces[i]);
    place(atlas, paintDonationFace(), kDonationFace);
}

// ---- the pieces of the map and the Setup screen ----

void paintOwnerMarker(Canvas& atlas) {
    // A ring round the planet, light so that the owner's colour tints it.
    Canvas marker = pieceFor(kOwnerMarker);
    paint(marker, 0, 0, 40, 40, ring(20, 20, 16.0f, 19.6f), kLightShade, true);
    fillWhole(marker, ring(20, 20, 16.8f, 18.8f), kLight);
    place(atlas, marker, kOwnerMarker);
}

void paintGroupSprite(Canvas& atlas) {
    Canvas sprite = pieceFor(kGroupSprite);
    paint(sprite, 0, 0, 10, 10, disc(5, 5, 4.6f), Rgb{196, 196, 196}, true);
    fillWhole(sprite, disc(5, 5, 3.6f), Rgb{236, 236, 236});
    fillWhole(sprite, disc(4.2f, 4.2f, 1.6f), kLight);
    place(atlas, sprite, kGroupSprite);
}

// Numbers are drawn over the panels by the game: in the big panels a Large
// line whose baseline is 26 rows below the top and one at 38; in the small
// panels Small lines with baselines at 12 and 22.
void paintSelectedPanel(Canvas& atlas, Fonts& fonts, const AtlasRegion& rect,
                        const std::string& title, const std::string& first,
                        const std::string& second) {
    Canvas panel = pieceFor(rect);
    paintPanel(panel);
    paintText(panel, *fonts.title, 5, 12, title, kTitle);
    fillWhole(panel, box(4, 15, static_cast<float>(panel.width - 4), 16),
              scaled(kPanelBorder, 0.7f));
    paintText(panel, *fonts.label, 6, 26, first, kLabel);
    paintText(panel, *fonts.label, 6, 38, second, kLabel);
    place(atlas, panel, rect);
}

void paintHoveredPanel(Canvas& atlas, Fonts& fonts, const AtlasRegion& rect,
                       const std::string& first, const std::string& second) {
    Canvas panel = pieceFor(rect);
    paintPanel(panel);
    paintText(panel, *fonts.small, 2, 12, first, kLabel, true);
    paintText(panel, *fonts.small, 2, 22, second, kLabel, true);
    place(atlas, panel, rect);
}

void paintSetupPieces(Canvas& atlas, Fonts& fonts) {
    for (const auto& [rect, word] :
         {std::pair{kPlayerHeader, "Player"}, std::pair{kTeamHeader, "Team"}}) {
        Canvas header = pieceFor(rect);
        paintPanel(header);
        paintText(header, *fonts.label, (header.width - textWidth(*fonts.label, word)) / 2, 11,
                  word, kTitle);
        place(atlas, header, rect);
    }
    // The bar is tinted with the player's colour; the dark well keeps the
    // player's number (drawn in yellow at 24..33) readable on every colour.
    Canvas bar = pieceFor(kPlayerBar);
    paint(bar, 0, 0, bar.width, bar.height, roundedBox(0, 0, 58, 15, 3), kLightShade, true);
    fillWhole(bar, roundedBox(1, 1, 57, 14, 2), Rgb{244, 244, 244});
    fillWhole(bar, box(1, 1, 57, 4), kLight);
    fillWhole(bar, roundedBox(21, 1, 37, 14, 2), Rgb{52, 52, 52});
    place(atlas, bar, kPlayerBar);

    Canvas team = pieceFor(kTeamBox);
    paint(team, 0, 0, team.width, team.height, roundedBox(0, 0, 15, 15, 2), Rgb{200, 204, 214},
          true);
    fillWhole(team, roundedBox(1, 1, 14, 14, 1.5f), Rgb{40, 44, 60});
    place(atlas, team, kTeamBox);
}

// The control symbols, 6 x 9, '#' lit.
constexpr const char* kControlSymbols[8][9] = {
    {"......", "......", ".....#", "....##", "#..##.", "####..", ".##...", "......",
     "......"},  // confirm
    {"......", "######", "......", "..##..", ".####.", "######", "..##..", "..##..",
     "......"},  // max
    {"......", "..##..", ".####.", "##..##", "..##..", ".####.", "##..##", "......",
     "......"},  // +10
    {"......", "......", "..##..", ".####.", "######", "......", "......", "......",
     "......"},  // +1
    {"......", "......", "......", "######", ".####.", "..##..", "......", "......",
     "......"},  // -1
    {"......", "##..##", ".####.", "..##..", "##..##", ".####.", "..##..", "......",
     "......"},  // -10
    {"......", "..##..", "..##..", "######", ".####.", "..##..", "......", "######",
     "......"},  // min
    {"......", "##..##", ".####.", "..##..", ".####.", "##..##", "......", "......",
     "......"},  // cancel
};

// 3 x 5 digits over the step controls.
constexpr const char* kTinyOne[5] = {".#.", "##.", ".#.", ".#.", "###"};
constexpr const char* kTinyZero[5] = {"###", "#.#", "#.#", "#.#", "###"};

void paintPattern(Canvas& c, int x, int y, const char* const* rows, int height, Rgb colour) {
    for (int row = 0; row < height; ++row)
        for (int column = 0; rows[row][column] != '\0'; ++column)
            if (rows[row][column] == '#') setPixel(c, x + column, y + row, colour);
}

// The seat column: its header like the others, and a box per kind of seat
// with a figure and its name.
void paintSeatPieces(Canvas& atlas, Fonts& fonts) {
    Canvas header = pieceFor(kSeatHeader);
    paintPanel(header);
    const std::string title = "Played by";
    paintText(header, *fonts.label, (header.width - textWidth(*fonts.label, title)) / 2, 11, title,
              kTitle);
    place(atlas, header, kSeatHeader);

    // The computer's pictures name its level beside the screen. An open seat
    // is a person's outline, waiting; once joined, a person with the signal
    // that brings their moves.
    const char* const names[] = {"Human", "Easy", "Normal", "Hard", "Open", "Remote"};
    static_assert(std::size(names) == std::size(kSeatPictures) + 1);
    for (size_t kind = 0; kind < std::size(names); ++kind) {
        const bool remote = kind == std::size(kSeatPictures);
        const AtlasRegion& region = remote ? kRemoteSeatPicture : kSeatPictures[kind];
        Canvas seat = pieceFor(region);
        const float w = static_cast<float>(seat.width), h = static_cast<float>(seat.height);
        paint(seat, 0, 0, seat.width, seat.height, roundedBox(0, 0, w, h, 2), Rgb{200, 204, 214},
              true);
        fillWhole(seat, roundedBox(1, 1, w - 1, h - 1, 1.5f), Rgb{40, 44, 60});
        const Shape shoulders = intersect(disc(7.5f, 14.0f, 5.5f), box(0, 0, w, 13));
        if (kind == 0) {  // a head and shoulders
            fillWhole(seat, disc(7.5f, 5.0f, 2.6f), kOwnFleet);
            fillWhole(seat, shoulders, kOwnFleet);
        } else if (kind == static_cast<size_t>(Seat::Open)) {  // the same, hollow
            fillWhole(seat, ring(7.5f, 5.0f, 1.6f, 2.6f), kTitle);
            fillWhole(seat,
                      subtract(shoulders, intersect(disc(7.5f, 14.0f, 4.5f), box(0, 0, w, 12))),
                      kTitle);
        } else if (remote) {  // a smaller person, and the waves beside the head
            fillWhole(seat, disc(5.0f, 6.5f, 2.3f), kOwnFleet);
            fillWhole(seat, intersect(disc(5.0f, 14.5f, 4.5f), box(0, 0, w, 13)), kOwnFleet);
            const Shape quarter = box(8.0f, 0, w, 7.0f);
            fillWhole(seat, intersect(ring(7.5f, 7.5f, 2.6f, 3.7f), quarter), kGo);
            fillWhole(seat, intersect(ring(7.5f, 7.5f, 5.0f, 6.1f), quarter), kGo);
        } else {  // a screen on its stand
            fillWhole(seat, roundedBox(2.5f, 2.5f, 12.5f, 9.5f, 1), kLabel);
            fillWhole(seat, box(3.5f, 3.5f, 11.5f, 8.5f), kGo);
            fillWhole(seat, box(6.5f, 9.5f, 8.5f, 11.5f), kLabel);
            fillWhole(seat, box(4.5f, 11.5f, 10.5f, 12.5f), kLabel);
        }
        const int textLeft = 15;
        const int room = seat.width - textLeft - 2;
        const std::string name = names[kind];
        paintText(seat, *fonts.word, textLeft + (room - textWidth(*fonts.word, name)) / 2, 11, name,
                  kLabel);
        place(atlas, seat, region);
    }
}

void paintCountSelector(Canvas& atlas, Fonts& fonts) {
    Canvas selector = pieceFor(kCountSelector);
    paintPanel(selector);
    paintText(selector, *fonts.title, 5, 12, "How many ships?", kTitle);
    paintText(selector, *fonts.label, 5, 26, "New group", kLabel);
    paintText(selector, *fonts.label, 5, 38, "Stay", kLabel);
    const Rgb colours[8] = {kGo,
                            kOwnFleet,
                            kOwnFleet,
                            kOwnFleet,
                            Rgb{250, 170, 90},
                            Rgb{250, 170, 90},
                            Rgb{250, 170, 90},
                            kStop};
    for (int i = 0; i < 8; ++i) {
        const int x = kSelectorControlLeft + i * kSelectorControlPitch;
        for (int y = 0; y < kSelectorControlHeight; ++y)
            for (int column = 0; column < kSelectorControlWidth; ++column)
                setPixel(selector, x + column, kSelectorControlTop + y, Rgb{44, 58, 96});
        paintPattern(selector, x, kSelectorControlTop, kControlSymbols[i], 9, colours[i]);
    }
    // "10" and "1" above the step controls; the arrows say which way.
    const int stepDigits[4] = {10, 1, 1, 10};
    for (int k = 0; k < 4; ++k) {
        const int x = kSelectorControlLeft + (k + 2) * kSelectorControlPitch;
        if (stepDigits[k] == 10) {
            paintPattern(selector, x - 1, 37, kTinyOne, 5, kLabel);
            paintPattern(selector, x + 3, 37, kTinyZero, 5, kLabel);
        } else {
            paintPattern(selector, x + 1, 37, kTinyOne, 5, kLabel);
        }
    }
    place(atlas, selector, kCountSelector);
}

bool openFonts(Fonts& fonts) {
    fonts.label = openFace(sansFontPath(), 10);
    fonts.small = openFace(sansFontPath(), 7);
    fonts.title = openFace(boldFontPath(), 10);
    fonts.button = openFace(boldFontPath(), 11);
    fonts.word = openFace(sansFontPath(), 8);
    return fonts.label && fonts.small && fonts.title && fonts.button && fonts.word;
}

}  // namespace

bool makeButtonFace(int index, Canvas& face) {
    if (index < 0 || index >= static_cast<int>(kButtonFaceCount)) return false;
    Fonts fonts;
    if (!openFonts(fonts)) return false;
    face = paintButtonFace(fonts, index);
    return true;
}

Canvas makeDonationFace() { return paintDonationFace(); }

bool makeHudImage(Canvas& atlas) {
    atlas = makeCanvas(kHudAtlasSize, kHudAtlasSize);
    Fonts fonts;
    if (!openFonts(fonts)) return false;

    paintButtons(atlas, fonts);
    paintOwnerMarker(atlas);
    paintGroupSprite(atlas);
    paintSelectedPanel(atlas, fonts, kSelectedPlanetPanel, "Planet", "Production", "Ships");
    paintSelectedPanel(atlas, fonts, kSelectedGroupPanel, "Group", "Ships", "Steps");
    paintHoveredPanel(atlas, fonts, kHoveredPlanetPanel, "Prod", "Ships");
    paintHoveredPanel(atlas, fonts, kHoveredGroupPanel, "Ships", "Steps");
    paintSetupPieces(atlas, fonts);
    paintSeatPieces(atlas, fonts);
    paintCountSelector(atlas, fonts);
    return true;
}
