// The battle view in a real window: the defending planet only in a planet
// battle, in its owner's colour or the neutral grey, and the two counters.
#include "render/battle_view.h"

#include "window_fixture.h"

namespace {

using BattleView = WindowFixture;

bool isNeutralGrey(const Texel& c) { return std::abs(c.r - 128) <= 1 && c.r == c.g && c.g == c.b; }

}  // namespace

TEST_F(BattleView, ShowsTheDefendingPlanetOnlyInAPlanetBattle) {
    game.session.phase = GamePhase::PlanetBattle;
    for (int i = 0; i < 300; ++i) addShip(game.battle, game.random, BattleSide::Attacker);
    for (int i = 0; i < 250; ++i) addShip(game.battle, game.random, BattleSide::Defender);
    game.battle.attackerColour = 1;
    game.battle.defenderColour = kNeutralColour;
    beginFrame();
    drawBattle(game, art);
    EXPECT_TRUE(isNeutralGrey(pixelAt(390, 0.5f)) && isNeutralGrey(pixelAt(260, 0.5f)) &&
                isNeutralGrey(pixelAt(390, 140)));
    EXPECT_EQ(pixelAt(240, 0.5f).r + pixelAt(410, 0.5f).r, 0) << "the left half of radius 150";
    EXPECT_TRUE(isNeutralGrey(pixelAt(46, game.battle.ships.back().y)));
    EXPECT_EQ(pixelAt(-46, game.battle.ships.front().y), (Texel{255, 0, 0}));

    // Two seconds on, the first volley has struck and the second is on its way.
    game.session.phase = GamePhase::GroupBattle;
    game.battle.defenderColour = 3;
    for (int frame = 0; frame < 25; ++frame) battleStep(game, 80);
    ASSERT_EQ(game.session.phase, GamePhase::GroupBattle);
    ASSERT_LT(game.battle.attackerCount, 300);
    beginFrame();
    drawBattle(game, art);
    EXPECT_EQ(pixelAt(390, 0.5f).b, 0);
    const std::string attackers = std::to_string(game.battle.attackerCount);
    const std::string defenders = std::to_string(game.battle.defenderCount);
    EXPECT_TRUE(showsText(-60, 150, attackers, FontSize::Large));
    EXPECT_TRUE(showsText(30, 150, defenders, FontSize::Large));
    writeScreenshot("battle_running");
}
