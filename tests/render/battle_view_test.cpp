// The battle view in a real window: the defending planet only in a planet
// battle, in its owner's colour or the neutral grey, and the two counters.
#include "render/battle_view.h"

#include "render/map_fixture.h"

namespace {

void fillBattle(Game& game, GamePhase phase, int attackers, int defenders, int defenderColour) {
    game.session.phase = phase;
    for (int i = 0; i < attackers; ++i) addShip(game.battle, game.random, BattleSide::Attacker);
    for (int i = 0; i < defenders; ++i) addShip(game.battle, game.random, BattleSide::Defender);
    game.battle.attackerColour = 1;
    game.battle.defenderColour = defenderColour;
}

bool isNeutralGrey(const Rgb& c) { return std::abs(c.r - 128) <= 1 && c.r == c.g && c.g == c.b; }

}  // namespace

TEST_F(MapFixture, PlanetBattleShowsTheDefendingPlanetInNeutralGrey) {
    fillBattle(game, GamePhase::PlanetBattle, 3, 2, kNeutralColour);
    beginFrame();
    drawBattle(game, art);
    EXPECT_TRUE(isNeutralGrey(pixelAt(390, 0.5f)));
    EXPECT_TRUE(isNeutralGrey(pixelAt(260, 0.5f)));
    EXPECT_TRUE(isNeutralGrey(pixelAt(390, 140)));
    EXPECT_EQ(pixelAt(240, 0.5f).r, 0) << "the disc's radius is 150";
    EXPECT_EQ(pixelAt(410, 0.5f).r, 0) << "only its left half";
    const BattleShip& defender = game.battle.ships.back();
    EXPECT_TRUE(isNeutralGrey(pixelAt(46, defender.y)));
    const BattleShip& attacker = game.battle.ships.front();
    EXPECT_EQ(pixelAt(-46, attacker.y).r, 255);
    EXPECT_EQ(textAt(-60, 150, 1, FontSize::Large), "3");
    EXPECT_EQ(textAt(30, 150, 1, FontSize::Large), "2");
}

TEST_F(MapFixture, GroupBattleShowsNoPlanetAndCountsDown) {
    fillBattle(game, GamePhase::GroupBattle, 300, 250, 3);
    // Two seconds: the first volley has struck and the second is on its way.
    for (int frame = 0; frame < 25; ++frame) battleStep(game, 80);
    ASSERT_EQ(game.session.phase, GamePhase::GroupBattle);
    beginFrame();
    drawBattle(game, art);
    EXPECT_EQ(pixelAt(390, 0.5f).b, 0);
    const std::string attackers = std::to_string(game.battle.attackerCount);
    const std::string defenders = std::to_string(game.battle.defenderCount);
    EXPECT_LT(game.battle.attackerCount, 300);
    EXPECT_EQ(textAt(-60, 150, static_cast<int>(attackers.size()), FontSize::Large), attackers);
    EXPECT_EQ(textAt(30, 150, static_cast<int>(defenders.size()), FontSize::Large), defenders);
    writeScreenshot("battle_running");
}
