// The star map: planets with their owner markers, the groups the current
// player may see with their courses, the group pick pass, and the panels of
// the selected and hovered planet and group. Shows each viewer only what the
// viewer's team knows.
#pragma once

struct Art;
struct FrameInput;
struct Game;

// With the depth test on. Also turns the planet by 30 degrees a second, and
// its selection marker while it is the selected planet.
void drawPlanet(Game& game, const Art& art, int planetIndex, const FrameInput& input);
// With the depth test off; the hover highlight follows the last pick.
void drawGroups(Game& game, const Art& art, const FrameInput& input);
// Writes the id of the visible group under the pointer, or -1, to hoveredGroup.
void pickGroup(Game& game, const FrameInput& input);

// Each draws nothing when there is nothing selected or hovered.
void drawSelectedPlanetPanel(const Game& game, const Art& art);
void drawHoveredPlanetPanel(const Game& game, const Art& art, const FrameInput& input);
// Also turns the marker around the selected group.
void drawSelectedGroupPanel(Game& game, const Art& art, const FrameInput& input);
void drawHoveredGroupPanel(const Game& game, const Art& art, const FrameInput& input);
