// A whole game played through the real program with the mouse alone, as a
// player would: real X pointer input (xdotool) into the game's window, in a
// working directory holding a copy of the game's Data/. The galaxy is new
// every run, so the script aims from what the game saves on its first turn
// screen, and follows the game with a copy of the rules fed the same
// commands. A second run loads the save and plays on. Screenshots of every
// stage go to the build's screenshot folder.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "game/availability.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/hud_atlas.h"
#include "game/save_file.h"
#include "platform/button_spots.h"
#include "platform/game_process.h"
#include "window_fixture.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPlayers = 3;
constexpr auto kBattlePatience = std::chrono::milliseconds(120000);

bool run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

int32_t intAt(const std::vector<uint8_t>& bytes, size_t offset) {
    int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// The player at the mouse: the game's window, its pointer and buttons, and
// screenshots of the whole window.
class Player {
public:
    Player(XDisplay& screen, Window window) : screen_(screen), window_(window) {}

    void moveTo(Pixel pixel) {
        run("xdotool mousemove --window " + std::to_string(window_) + " " +
            std::to_string(pixel.x) + " " + std::to_string(pixel.y));
        pause();  // a frame or two, so that the pick passes see the pointer
    }

    // Pointer over `pixel`, the left button held `holdMs`, released.
    void click(Pixel pixel, int holdMs = 60) {
        moveTo(pixel);
        run("xdotool mousedown 1");
        std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
        run("xdotool mouseup 1");
        pause();
    }

    void rightClick() {
        run("xdotool click 3");
        pause();
    }

    void screenshot(const std::string& name) {
        pause();
        XImage* image = screen_.grab(window_);
        if (image == nullptr) return;
        std::vector<uint8_t> rgb;
        for (int y = 0; y < image->height; ++y) {
            for (int x = 0; x < image->width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                rgb.insert(rgb.end(),
                           {static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
                            static_cast<uint8_t>(pixel)});
            }
        }
        EXPECT_TRUE(writeScreenshot("game-" + name, image->width, image->height, rgb.data(), 0))
            << name;
        XDestroyImage(image);
    }

    // The colour the window shows at `pixel` (red, green, blue), or nothing.
    std::optional<std::array<int, 3>> colourAt(Pixel pixel) {
        XImage* image = screen_.grab(window_);
        if (image == nullptr) return std::nullopt;
        const unsigned long value = XGetPixel(image, pixel.x, pixel.y);
        XDestroyImage(image);
        return std::array<int, 3>{static_cast<int>((value >> 16) & 0xff),
                                  static_cast<int>((value >> 8) & 0xff),
                                  static_cast<int>(value & 0xff)};
    }

private:
    static void pause() { std::this_thread::sleep_for(std::chrono::milliseconds(120)); }

    XDisplay& screen_;
    Window window_;
};

// The distance at which the script counts a point as clear of planets and
// groups, so that a click there hits nothing but the map.
constexpr float kClearance = 24.0f;

bool isClear(const Game& game, float x, float y) {
    for (const Planet& planet : game.planets)
        if (std::hypot(planet.x - x, planet.y - y) < kClearance) return false;
    for (const Group& group : game.registry.groups)
        if (std::hypot(group.x - x, group.y - y) < kClearance) return false;
    return x > -180.0f && x < 380.0f && y > -280.0f && y < 280.0f;
}

// A clear point of the map near (x, y).
std::pair<float, float> clearPointNear(const Game& game, float x, float y) {
    for (float radius = 40.0f; radius < 600.0f; radius += 20.0f) {
        for (int step = 0; step < 16; ++step) {
            const float angle = static_cast<float>(step) * 0.3927f;
            const float px = std::round(x + radius * std::cos(angle));
            const float py = std::round(y + radius * std::sin(angle));
            if (isClear(game, px, py)) return {px, py};
        }
    }
    return {100.0f, 100.0f};
}

// Texel (s, t) of a 24-bit bottom-up BMP, t counted from the bottom row.
std::array<int, 3> texelOf(const std::vector<uint8_t>& bmp, int s, int t) {
    const int width = intAt(bmp, 18);
    const size_t at = static_cast<size_t>(intAt(bmp, 10)) + 3 * static_cast<size_t>(t * width + s);
    return {bmp[at + 2], bmp[at + 1], bmp[at]};
}

int nearestPlanet(const Game& game, const Group& group) {
    int nearest = 0;
    for (int i = 1; i < kPlanetCount; ++i) {
        if (std::hypot(game.planets[i].x - group.x, game.planets[i].y - group.y) <
            std::hypot(game.planets[nearest].x - group.x, game.planets[nearest].y - group.y))
            nearest = i;
    }
    return nearest;
}

class ScriptedGame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(screen.isOpen()) << "this test needs a display (run it under xvfb-run)";
        installArt(directory.path());
    }

    fs::path savePath() const { return directory.path() / "Data" / "Save.kvd"; }

    // Starts the program and waits for its window.
    void start() {
        process = std::make_unique<GameProcess>(directory.path());
        Window window = 0;
        ASSERT_TRUE(waitFor([&] { return (window = screen.windowOf(process->pid())) != 0; }))
            << process->errors();
        player = std::make_unique<Player>(screen, window);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }

    // The rules' own copy of the game, read from the save the program wrote
    // (the test runs in the same working directory).
    void followSave() {
        shadow = std::make_unique<Game>();
        initialiseGame(*shadow);
        ASSERT_TRUE(loadGame(*shadow));
    }

    // A button pressed in the program and the same command in the copy.
    void press(CommandId id) {
        ASSERT_TRUE(shadow->buttons.buttons[static_cast<int>(id)].visible) << static_cast<int>(id);
        player->click(buttonCentre(*shadow, id));
        dispatchCommand(*shadow, id);
    }

    // Saves on the turn screen and waits until the new file is there.
    void saveAndWait() {
        const auto before =
            fs::exists(savePath()) ? fs::last_write_time(savePath()) : fs::file_time_type{};
        player->click(turnScreenButton(CommandId::SaveGame));
        ASSERT_TRUE(waitFor(
            [&] { return fs::exists(savePath()) && fs::last_write_time(savePath()) != before; }));
    }

    void clickGroup(int id, int holdMs = 60) {
        const Group& group = *findGroup(shadow->registry, id);
        player->click(pixelOf(group.x, group.y), holdMs);
    }

    void cancel() {
        player->rightClick();
        shadow->session.selectedGroupId = -1;
        shadow->session.selectedPlanet = -1;
        shadow->interaction.mode = InteractionMode::Idle;
        refreshAvailability(*shadow, shadow->session.currentPlayer);
        shadow->buttons.buttons[static_cast<int>(CommandId::CreateGroup)].visible = false;
    }

    void selectGroup(int id) {
        cancel();
        clickGroup(id);
        shadow->session.selectedGroupId = id;
        refreshAvailability(*shadow, shadow->session.currentPlayer);
    }

    // The other players begin and end their turns without orders, and the
    // first player's next turn goes up to its battle phase.
    void passRound() {
        press(CommandId::EndBattle);
        for (int other = 1; other < kPlayers; ++other) {
            press(CommandId::BeginTurn);
            press(CommandId::EndMovement);
            press(CommandId::EndBattle);
        }
        press(CommandId::BeginTurn);
        press(CommandId::EndMovement);
    }

    void expectSaveHolds(int current, int groups) {
        const std::vector<uint8_t> bytes = readFile<std::vector<uint8_t>>(savePath());
        ASSERT_EQ(bytes.size(), 3244u + 44u * static_cast<size_t>(groups));
        EXPECT_EQ(intAt(bytes, 0), kPlayers);
        EXPECT_EQ(intAt(bytes, 4), current);
        EXPECT_EQ(intAt(bytes, 8), groups);
        const size_t teams = 1164 + 44 * static_cast<size_t>(groups);
        EXPECT_EQ(intAt(bytes, teams), 0);
        EXPECT_EQ(intAt(bytes, teams + 4), 0);
        EXPECT_EQ(intAt(bytes, teams + 8), 1);
    }

    XDisplay screen;
    DataFolder directory;
    std::unique_ptr<GameProcess> process;
    std::unique_ptr<Player> player;
    std::unique_ptr<Game> shadow;
};

TEST_F(ScriptedGame, ThreePlayersInTwoTeamsPlayToABattleSaveAndLoadAgain) {
    // First run: Setup, three players, players 1 and 2 allies against player 3.
    start();
    player->screenshot("01-setup");
    Game setup;
    initialiseGame(setup);
    player->click(buttonCentre(setup, CommandId::IncreasePlayers));
    player->click(pixelOf(30.0f, 32.0f));  // player 3's team box
    player->screenshot("02-setup-three-players");
    player->click(buttonCentre(setup, CommandId::BeginTurn));
    player->screenshot("03-first-turn-screen");

    // Saving on the first turn screen tells the script where everything is.
    saveAndWait();
    expectSaveHolds(0, 2 * kPlayers);
    followSave();
    ASSERT_EQ(shadow->session.teams[2], 1);

    press(CommandId::BeginTurn);
    player->screenshot("04-movement");
    const int raider = 0;           // player 1's first group: off to the nearest planet
    const int wanderer = kPlayers;  // player 1's second group
    const Group& raiderGroup = *findGroup(shadow->registry, raider);
    const int target = nearestPlanet(*shadow, raiderGroup);
    const Planet& planet = shadow->planets[target];

    selectGroup(raider);
    player->click(pixelOf(planet.x, planet.y));  // a short click on a planet aims at it
    setDestination(shadow->registry, raider, planet.x, planet.y);
    refreshAvailability(*shadow, 0);

    selectGroup(wanderer);
    const Group& wandererGroup = *findGroup(shadow->registry, wanderer);
    const auto [farX, farY] = clearPointNear(*shadow, wandererGroup.x, wandererGroup.y);
    player->click(pixelOf(farX, farY), 1800);  // a long press aims at the pointer
    setDestination(shadow->registry, wanderer, farX, farY);
    refreshAvailability(*shadow, 0);

    // Eleven ships split off through the count selector, sent to a clear point.
    press(CommandId::SplitGroup);
    player->click(pixelOf(86.0f, -21.0f));  // +10
    pressSelectorControl(*shadow, SelectorControl::Plus10);
    player->click(pixelOf(68.0f, -21.0f));  // confirm
    pressSelectorControl(*shadow, SelectorControl::Confirm);
    player->screenshot("05-placing-a-split");
    const auto [splitX, splitY] = clearPointNear(*shadow, farX, farY);
    player->click(pixelOf(splitX, splitY));
    placeTarget(*shadow, splitX, splitY);
    ASSERT_EQ(countGroups(shadow->registry), 2 * kPlayers + 1);
    player->screenshot("06-orders-given");

    press(CommandId::EndMovement);
    player->screenshot("07-battle-phase");
    for (int round = 0; findGroup(shadow->registry, raider)->stepsLeft > 0; ++round) {
        ASSERT_LT(round, 30) << "the raider never arrived";
        passRound();
    }

    // The raider stands on the neutral planet: attack it and watch the battle.
    selectGroup(raider);
    press(CommandId::AttackOrDonatePlanet);
    ASSERT_EQ(shadow->session.phase, GamePhase::PlanetBattle);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    player->screenshot("08-planet-battle");

    // Releases are ignored while the battle runs, so the script presses "End
    // your battle phase" and "Save the game" until the save shows the next
    // player's turn screen.
    shadow->session.phase = GamePhase::BattlePhase;
    const auto before = fs::last_write_time(savePath());
    ASSERT_TRUE(waitFor(
        [&] {
            player->click(buttonCentre(*shadow, CommandId::EndBattle));
            player->click(turnScreenButton(CommandId::SaveGame));
            return fs::last_write_time(savePath()) != before;
        },
        kBattlePatience));
    player->screenshot("09-turn-screen-after-the-battle");
    // The raider went into the battle (one group less after the split's one
    // more); its survivors, if any, hold the planet.
    expectSaveHolds(1, 2 * kPlayers);
    followSave();
    const Planet& fought = shadow->planets[target];
    EXPECT_TRUE(fought.owner == 0 || fought.owner == -1) << fought.owner;

    press(CommandId::QuitGame);
    EXPECT_EQ(process->exitCode(), 0);
    EXPECT_EQ(process->errors(), "");

    // Second run: load the save on the Setup screen and play on.
    start();
    Game fresh;
    initialiseGame(fresh);
    player->click(buttonCentre(fresh, CommandId::LoadGame));
    player->screenshot("10-loaded");
    followSave();
    press(CommandId::BeginTurn);
    player->screenshot("11-second-players-turn");
    press(CommandId::EndMovement);
    press(CommandId::EndBattle);
    saveAndWait();
    expectSaveHolds(2, 2 * kPlayers);
    press(CommandId::QuitGame);
    EXPECT_EQ(process->exitCode(), 0);
    EXPECT_EQ(process->errors(), "");
}

}  // namespace

// The computer at player 2's seat, set with the mouse on the Setup screen,
// plays the turn of a loaded game by itself: its group stands on the last
// planet of player 1 and takes it, and the end screen follows.
TEST_F(ScriptedGame, TheComputerAtPlayerTwosSeatWinsALoadedGameByItself) {
    {
        Game prepared;
        initialiseGame(prepared);
        prepared.session.teams[1] = 1;
        dispatchCommand(prepared, CommandId::BeginTurn);  // a galaxy to play in
        clearGroups(prepared.registry);
        for (Planet& planet : prepared.planets) planet.owner = -1;
        Planet& last = prepared.planets[0];
        last.owner = 0;
        last.ships = 5;
        prepared.intel[1].knownOwner[0] = 0;
        prepared.intel[1].knownShips[0] = 5;
        createGroup(prepared.registry, last.x, last.y, last.x, last.y, 200, 1);
        prepared.session.currentPlayer = 1;
        ASSERT_TRUE(saveGame(prepared));
    }
    start();
    Game setup;
    initialiseGame(setup);
    player->click(pixelOf(85.0f, 52.0f));  // player 2's seat box
    player->screenshot("21-player-two-is-the-computer");
    player->click(buttonCentre(setup, CommandId::LoadGame));

    // The end screen shows its way back to Setup where the turn began.
    Game end;
    end.session.phase = GamePhase::GameOver;
    const Pixel newGame = buttonCentre(end, CommandId::NewGame);
    const AtlasRegion& face = kButtonFaces[static_cast<int>(CommandId::NewGame)];
    const std::array<int, 3> expected =
        texelOf(readFile<std::vector<uint8_t>>(directory.path() / "Data" / "HUD.bmp"),
                (face.sLeft + face.sRight) / 2, (face.tBottom + face.tTop) / 2);
    const bool ended = waitFor(
        [&] {
            const std::optional<std::array<int, 3>> seen = player->colourAt(newGame);
            if (!seen) return false;
            for (int c = 0; c < 3; ++c)
                if (std::abs((*seen)[c] - expected[c]) > 2) return false;
            return true;
        },
        std::chrono::milliseconds(60000));
    player->screenshot("22-team-two-wins");
    ASSERT_TRUE(ended) << "no end screen";

    player->click(buttonCentre(end, CommandId::QuitGame));
    EXPECT_EQ(process->exitCode(), 0);
    EXPECT_EQ(process->errors(), "");
}
