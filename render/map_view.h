// The star map: planets with their owner markers, the groups the current
// player may see with their courses, the group pick pass, and the panels of
// the selected and hovered planet and group. Shows each viewer only what the
// viewer's team knows.
#pragma once

struct Art;
struct FrameInput;
struct Game;
struct PickResults;

// With the depth test on.
void drawPlanet(const Game& game, const Art& art, int planetIndex);
// With the depth test off; the hover highlight follows the last pick.
void drawGroups(const Game& game, const PickResults& picks, const Art& art);
// Writes the id of the visible group under the pointer, or -1, to hoveredGroup.
void pickGroup(const Game& game, PickResults& picks, const FrameInput& input);

// Each draws nothing when there is nothing selected or hovered.
void drawSelectedPlanetPanel(const Game& game, const Art& art);
void drawHoveredPlanetPanel(const Game& game, const PickResults& picks, const Art& art,
                            const FrameInput& input);
void drawSelectedGroupPanel(const Game& game, const Art& art);
void drawHoveredGroupPanel(const Game& game, const PickResults& picks, const Art& art,
                           const FrameInput& input);
