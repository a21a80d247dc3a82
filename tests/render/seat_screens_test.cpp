// The screens the end of a game, the computer's seats and the network add:
// the Setup table's seat column, the computer's turn screen, the end screen
// with the winners in their colours and its two buttons; a joiner's and a
// host's Setup, another machine's turn and battle, the message line, a
// joiner's own turn screen.
#include "game/hud_atlas.h"
#include "window_fixture.h"

namespace {

using SeatScreens = WindowFixture;

void expectButtonCentre(const Game& game, int index, int x, int y) {
    const Button& button = game.buttons.buttons[index];
    const Texel seen = pixelAt(x + button.width / 2, y + button.height / 2);
    EXPECT_NEAR(seen.r, button.sLeft * 256 + button.width / 2, 1) << "button " << index;
    EXPECT_NEAR(seen.g, button.tBottom * 256 + button.height / 2, 1) << "button " << index;
}

// The pixel at map (x, y) shows the texel (s, t) of the test atlas.
void expectTexel(int x, int y, int s, int t) {
    const Texel seen = pixelAt(x, y);
    EXPECT_NEAR(seen.r, s, 1) << "at " << x << "," << y;
    EXPECT_NEAR(seen.g, t, 1) << "at " << x << "," << y;
}

TEST_F(SeatScreens, SeatColumnShowsEachSeatsPictureAndPicksItsRow) {
    dispatchCommand(game, CommandId::IncreasePlayers);
    game.seats[1] = Seat::Computer;
    game.seats[2] = Seat::ComputerHard;
    compose(pointerAt(100, 50));  // row 1's seat box, near its right end
    const AtlasRegion& header = kSeatHeader;
    expectTexel(60, 90, header.sLeft + 4, header.tBottom + 5);
    for (int row = 0; row < 3; ++row) {
        constexpr Seat kShown[] = {Seat::Human, Seat::Computer, Seat::ComputerHard};
        const AtlasRegion& seat = kSeatPictures[static_cast<int>(kShown[row])];
        expectTexel(60, 70 - 20 * row, seat.sLeft + 4, seat.tBottom + 5);
        expectTexel(110, 70 - 20 * row, seat.sLeft + 54, seat.tBottom + 5);
    }
    EXPECT_EQ(pixelAt(60, 10), kBlack) << "no fourth row";
    EXPECT_EQ(game.picks.hoveredSeatRow, 1);
    EXPECT_EQ(game.picks.hoveredSetupRow, -1);

    compose(pointerAt(30, 70));  // the first team box is not a seat
    EXPECT_EQ(game.picks.hoveredSeatRow, -1);
    EXPECT_EQ(game.picks.hoveredSetupRow, 0);
}

TEST_F(SeatScreens, EndScreenNamesTheTeamItsPlayersInTheirColoursAndItsTwoButtons) {
    game.session.playerCount = 4;
    game.session.teams = {0, 1, 0, 1, 0, 0, 0, 0};
    beginTurn();
    game.registry.groups.clear();
    createGroup(game.registry, 0, 0, 0, 0, 5, 3);
    for (Planet& planet : game.planets) planet.owner = -1;
    dispatchCommand(game, CommandId::BeginTurn);
    dispatchCommand(game, CommandId::EndMovement);
    dispatchCommand(game, CommandId::EndBattle);  // player 4's group alone is left
    ASSERT_EQ(game.session.phase, GamePhase::GameOver);

    compose(pointerAt(0, 200));
    EXPECT_TRUE(showsText(-50, 0, "Team 2 wins", FontSize::Large)) << "teams count from 1";
    EXPECT_TRUE(showsText(-50, -20, "2", FontSize::Large, playerColour(1)));
    EXPECT_TRUE(showsText(-23, -20, "4", FontSize::Large, playerColour(3)));
    expectButtonCentre(game, 15, -399, -299);
    expectButtonCentre(game, 21, 367, -299);
    compose(pointerAt(383, -283));
    EXPECT_EQ(game.picks.hoveredButton, 21);

    game.winningTeam = -1;
    compose(pointerAt(0, 200));
    EXPECT_TRUE(showsText(-50, 0, "Nobody wins", FontSize::Large));
    EXPECT_EQ(pixelAt(-46, -25), kBlack);
}

TEST_F(SeatScreens, ComputersTurnShowsItsTurnScreenWithOnlyQuitNeverItsMap) {
    game.seats[1] = Seat::Computer;
    beginTurn();
    for (CommandId id : {CommandId::BeginTurn, CommandId::EndMovement, CommandId::EndBattle})
        dispatchCommand(game, id);
    ASSERT_EQ(game.session.currentPlayer, 1);
    for (CommandId next : {CommandId::BeginTurn, CommandId::EndMovement}) {
        SCOPED_TRACE(static_cast<int>(game.session.phase));
        compose(pointerAt(-383, -248));  // where Save would be
        EXPECT_TRUE(showsText(-50, 0, "Player 2's turn", FontSize::Large));
        EXPECT_TRUE(showsText(-28, -20, "(computer)", FontSize::Large));
        expectButtonCentre(game, 15, -399, -299);
        EXPECT_EQ(pixelAt(-383, -248), kBlack);
        EXPECT_EQ(pixelAt(-199, 200), kBlack) << "no map behind it";
        EXPECT_EQ(game.picks.hoveredButton, -1);
        compose(pointerAt(-383, -283));
        EXPECT_EQ(game.picks.hoveredButton, 15);
        dispatchCommand(game, next);
    }
    EXPECT_TRUE(writeScreenshot("computer_turn_screen"));
}

TEST_F(SeatScreens, NetworkShowsEachMachineItsOwnSeatsAndNothingOfTheOthersMaps) {
    constexpr Texel kYellow = {255, 255, 0};
    dispatchCommand(game, CommandId::IncreasePlayers);
    game.seats[1] = game.seats[2] = Seat::Open;
    game.network = {.on = true, .here = 1, .seatMachine = {0, 1}, .joinCode = "ABCD1234"};
    compose(pointerAt(0, 200));
    EXPECT_EQ(pixelAt(0, 61), kYellow) << "the joiner's own row is framed";
    expectTexel(60, 50, kRemoteSeatPicture.sLeft + 4, kRemoteSeatPicture.tBottom + 5);
    expectButtonCentre(game, 15, -399, -299);
    EXPECT_EQ(pixelAt(60, 175), kBlack) << "no player-count buttons";
    EXPECT_TRUE(writeScreenshot("network_joiner_setup"));

    game.network.here = 0;
    compose(pointerAt(0, 200));
    const AtlasRegion& open = kSeatPictures[static_cast<int>(Seat::Open)];
    expectTexel(60, 30, open.sLeft + 4, open.tBottom + 5);
    EXPECT_TRUE(showsText(-54, 130, "Join code: ABCD1234", FontSize::Large));
    EXPECT_TRUE(writeScreenshot("network_host_setup"));

    // Player 2, at machine 1, moves; the host sees its turn screen only.
    game.session.currentPlayer = 1;
    game.session.phase = GamePhase::Movement;
    game.messageLine = {"Player 2 joined", 1000};
    FrameInput input = pointerAt(0, 200);
    input.clock = 5999;
    compose(input);
    EXPECT_TRUE(showsText(-50, 0, "Player 2's turn", FontSize::Large));
    EXPECT_TRUE(showsText(-73, -20, "(at another machine)", FontSize::Large));
    for (const Planet& planet : game.planets) EXPECT_EQ(pixelAt(planet.x, planet.y), kBlack);
    expectButtonCentre(game, 15, -399, -299);
    EXPECT_TRUE(showsText(-190, -284, "Player 2 joined", FontSize::Large));
    EXPECT_TRUE(writeScreenshot("network_turn_at_another_machine"));
    // A line too long for the bottom goes on over two rows, the file's name whole.
    game.messageLine.text =
        "The connection to the host was lost: the game is saved as "
        "Save-network-20261209-101500.kvd";
    compose(input);
    EXPECT_TRUE(showsText(-190, -284, "Save-network-20261209-101500.kvd", FontSize::Large));
    EXPECT_TRUE(showsText(-190, -284 + glyphHeight(FontSize::Large) + 4, "The connection to the",
                          FontSize::Large));
    input.clock = 6000;
    compose(input);
    EXPECT_EQ(pixelAt(-186, -290), kBlack) << "the message line is gone after 5 s";

    // Player 2's group attacks a free planet: no seat of the host's fights.
    game.session.phase = GamePhase::PlanetBattle;
    game.planets[0].owner = -1;
    game.battleSources = {createGroup(game.registry, 0, 0, 0, 0, 5, 1), 0};
    compose(input);
    EXPECT_TRUE(showsText(-19, -20, "(battle)", FontSize::Large));
    EXPECT_TRUE(writeScreenshot("network_battle_elsewhere"));

    // The joiner's own turn screen: the game is saved where it is hosted.
    game.network.here = 1;
    game.session.phase = GamePhase::TurnStart;
    game.buttons.buttons[static_cast<int>(CommandId::SaveGame)].visible = true;
    game.buttons.buttons[static_cast<int>(CommandId::LoadGame)].visible = false;
    compose(pointerAt(-383, -248));
    EXPECT_TRUE(showsText(-50, 0, "Player 2's turn", FontSize::Large));
    EXPECT_EQ(pixelAt(-383, -248), kBlack) << "no Save";
    EXPECT_EQ(game.picks.hoveredButton, -1);
}

}  // namespace
