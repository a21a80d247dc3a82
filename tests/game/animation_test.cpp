// The star map's turning angles: what turns in which phase, and that every
// angle stays within a turn however long a frame took.
#include "game/animation.h"

#include <gtest/gtest.h>

#include "game/game.h"

namespace {

// Planet 2 selected, and a selected group, every angle at `angle`.
Game mapWithAngles(GamePhase phase, float angle) {
    Game game;
    game.session.phase = phase;
    for (Planet& planet : game.planets) planet.spin = planet.markerAngle = angle;
    game.groupMarkerAngle = angle;
    game.session.selectedPlanet = 2;
    game.session.selectedGroupId = createGroup(game.registry, 0, 0, 0, 0, 5, 0);
    return game;
}

}  // namespace

TEST(Animation, OnlyWhatTheMapShowsTurns) {
    for (GamePhase phase :
         {GamePhase::Setup, GamePhase::TurnStart, GamePhase::Movement, GamePhase::BattlePhase,
          GamePhase::GroupBattle, GamePhase::PlanetBattle}) {
        SCOPED_TRACE("phase " + std::to_string(static_cast<int>(phase)));
        Game game = mapWithAngles(phase, 10.0f);
        advanceAnimation(game, 1000);
        const float turned = isMapPhase(phase) ? 40.0f : 10.0f;
        EXPECT_EQ(game.planets[0].spin, turned);
        EXPECT_EQ(game.planets[2].markerAngle, turned);
        EXPECT_EQ(game.planets[3].markerAngle, 10.0f) << "not the selected planet";
        EXPECT_EQ(game.groupMarkerAngle, turned);
    }
    Game game = mapWithAngles(GamePhase::Movement, 10.0f);
    removeGroup(game.registry, game.session.selectedGroupId);
    advanceAnimation(game, 1000);
    EXPECT_EQ(game.groupMarkerAngle, 10.0f) << "the selected group is gone";
}

TEST(Animation, EveryAngleStaysWithinATurnAfterALongStall) {
    // 100 s turn by 3000 degrees: 3100 wraps to 220.
    Game game = mapWithAngles(GamePhase::Movement, 100.0f);
    advanceAnimation(game, 100000);
    EXPECT_EQ(game.planets[0].spin, 220.0f);
    EXPECT_EQ(game.planets[2].markerAngle, 220.0f);
    EXPECT_EQ(game.groupMarkerAngle, 220.0f);

    game = mapWithAngles(GamePhase::BattlePhase, 359.0f);
    advanceAnimation(game, UINT32_MAX);
    for (float angle : {game.planets[0].spin, game.planets[2].markerAngle, game.groupMarkerAngle}) {
        EXPECT_GE(angle, 0.0f);
        EXPECT_LT(angle, 360.0f);
    }

    // A marker at a full turn exactly starts again at 0.
    game = mapWithAngles(GamePhase::Movement, 330.0f);
    advanceAnimation(game, 1000);
    EXPECT_EQ(game.planets[2].markerAngle, 0.0f);
    EXPECT_EQ(game.groupMarkerAngle, 0.0f);
}
