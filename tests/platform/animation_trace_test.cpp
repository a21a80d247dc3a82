// A whole game played through the real tick with a fixed seed, a controlled
// clock and scripted clicks: the planets' spins, their marker angles and the
// group marker after every frame, and the saved game at the end, must stay
// exactly what they were when the trace was taken.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "game/commands.h"
#include "window_fixture.h"

namespace {

// FNV-1a over the bit patterns, so that a change in the last bit of one
// angle in one frame changes the result.
struct TraceHash {
    uint64_t value = 14695981039346656037ull;
    void add(const void* data, size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) value = (value ^ bytes[i]) * 1099511628211ull;
    }
    void add(float angle) { add(&angle, sizeof angle); }
};

struct MapPoint {
    float x;
    float y;
};

class AnimationTrace : public WindowFixture {
protected:
    // One loop pass after the clock moved on by a frame of varying length.
    void pass(std::initializer_list<SDL_Event> events = {}, uint32_t frameMs = 0) {
        now += frameMs != 0 ? frameMs : 9 + (passes * 7) % 25;
        pushEvents(events);
        ASSERT_TRUE(runLoopPass(*program));
        ++passes;
        record();
    }

    void record() {
        const Game& game = program->game;
        for (const Planet& planet : game.planets) {
            spinsInRange &= planet.spin >= 0.0f && planet.spin < 360.0f;
            angles.add(planet.spin);
            angles.add(planet.markerAngle);
            markerTurned |= planet.markerAngle != 0.0f;
        }
        angles.add(game.groupMarkerAngle);
        ++framesInPhase[static_cast<int>(game.session.phase)];
        groupMarkerTurned |= game.groupMarkerAngle != 0.0f;
    }

    void idle(int frames) {
        for (int i = 0; i < frames; ++i) pass();
    }

    // The pointer over a map point; the pick of the second frame sees it.
    void pointAt(MapPoint point) {
        pass({mouseMove(400 + static_cast<int>(std::lround(point.x)),
                        300 - static_cast<int>(std::lround(point.y)))});
        pass();
    }

    void click(MapPoint point) {
        pointAt(point);
        pass({mouseButton(SDL_BUTTON_LEFT, true)});
        pass({mouseButton(SDL_BUTTON_LEFT, false)});
        pass();  // this tick acts on the release
    }

    void rightClick() {
        pass({mouseButton(SDL_BUTTON_RIGHT, true)});
        pass({mouseButton(SDL_BUTTON_RIGHT, false)});
        pass();
    }

    // The centre of a visible button as the panel places it on the map and
    // turn screens: the columns close up over hidden buttons.
    MapPoint buttonCentre(CommandId id) const {
        const int index = static_cast<int>(id);
        const auto& buttons = program->game.buttons.buttons;
        int x = 0, y = 0;
        if (index <= static_cast<int>(CommandId::PreviousPlanet)) {
            const int first = index < 8 ? 0 : 8;
            int slot = 0;
            for (int i = first; i < index; ++i) slot += buttons[i].visible;
            x = index < 8 ? -399 : -364;
            y = -190 + 35 * slot;
        } else if (id == CommandId::EndMovement || id == CommandId::EndBattle) {
            x = -232, y = -190;
        } else if (id == CommandId::SaveGame) {
            x = -399, y = -264;
        } else if (id == CommandId::BeginTurn) {
            x = 367, y = -299;
        }
        return {static_cast<float>(x) + 16.0f, static_cast<float>(y) + 16.0f};
    }

    void press(CommandId id) {
        ASSERT_TRUE(program->game.buttons.buttons[static_cast<int>(id)].visible)
            << "button " << static_cast<int>(id);
        click(buttonCentre(id));
    }

    GamePhase phase() const { return program->game.session.phase; }

    TraceHash angles;
    int passes = 0;
    bool spinsInRange = true;
    std::array<int, 6> framesInPhase{};
    bool markerTurned = false;
    bool groupMarkerTurned = false;
};

MapPoint positionOf(const Group& group) { return {group.x, group.y}; }
MapPoint positionOf(const Planet& planet) { return {planet.x, planet.y}; }

int nearestPlanet(const Game& game, const Group& group) {
    int nearest = -1;
    float best = 0.0f;
    for (int i = 0; i < kPlanetCount; ++i) {
        const float dx = game.planets[i].x - group.x, dy = game.planets[i].y - group.y;
        if (nearest == -1 || dx * dx + dy * dy < best) nearest = i, best = dx * dx + dy * dy;
    }
    return nearest;
}

TEST_F(AnimationTrace, EveryFrameAndTheSavedGameShowTheTracedAngles) {
    const Game& game = program->game;
    idle(3);
    press(CommandId::BeginTurn);
    ASSERT_EQ(phase(), GamePhase::TurnStart);
    idle(5);
    press(CommandId::BeginTurn);
    ASSERT_EQ(phase(), GamePhase::Movement);

    // Player 0 sends the first group to the nearest planet and takes it.
    const int attacker = game.registry.groups.front().id;
    ASSERT_EQ(game.registry.groups.front().owner, 0);
    const int target = nearestPlanet(game, game.registry.groups.front());
    click(positionOf(*findGroup(game.registry, attacker)));
    ASSERT_EQ(game.session.selectedGroupId, attacker);
    idle(10);
    click(positionOf(game.planets[target]));
    ASSERT_GT(findGroup(game.registry, attacker)->stepsLeft, 0);
    idle(10);
    for (int round = 0; round < 12 && game.planets[target].owner != 0; ++round) {
        press(CommandId::EndMovement);
        ASSERT_EQ(phase(), GamePhase::BattlePhase);
        const Group* group = findGroup(game.registry, attacker);
        ASSERT_NE(group, nullptr);
        if (group->stepsLeft == 0) {
            click(positionOf(*group));
            press(CommandId::AttackOrDonatePlanet);
            ASSERT_EQ(phase(), GamePhase::PlanetBattle);
            for (int frame = 0; frame < 3000 && phase() == GamePhase::PlanetBattle; ++frame) pass();
            ASSERT_EQ(phase(), GamePhase::BattlePhase);
            ASSERT_EQ(game.planets[target].owner, 0);
        }
        idle(4);
        press(CommandId::EndBattle);
        press(CommandId::BeginTurn);  // player 1 only ends the phases
        idle(4);
        press(CommandId::EndMovement);
        press(CommandId::EndBattle);
        press(CommandId::BeginTurn);
        ASSERT_EQ(phase(), GamePhase::Movement);
        ASSERT_EQ(game.session.currentPlayer, 0);
    }
    ASSERT_EQ(game.planets[target].owner, 0);

    // The planet and the other group selected, through two long stalls.
    click(positionOf(game.planets[target]));
    ASSERT_EQ(game.session.selectedPlanet, target);
    const Group* second = nullptr;
    for (const Group& group : game.registry.groups)
        if (group.owner == 0) second = &group;
    ASSERT_NE(second, nullptr);
    click(positionOf(*second));
    ASSERT_EQ(game.session.selectedGroupId, second->id);
    idle(20);
    pass({}, 13000);
    idle(5);
    pass({}, 40000);
    idle(5);
    rightClick();
    idle(5);
    press(CommandId::EndMovement);
    idle(5);
    press(CommandId::EndBattle);
    ASSERT_EQ(phase(), GamePhase::TurnStart);
    press(CommandId::SaveGame);

    const std::string save = readFile("Data/Save.kvd");
    ASSERT_FALSE(save.empty());
    TraceHash saved;
    saved.add(save.data(), save.size());

    EXPECT_TRUE(markerTurned);
    EXPECT_TRUE(groupMarkerTurned);
    EXPECT_TRUE(spinsInRange);
    for (int phase = 0; phase < 6; ++phase) {
        if (phase == static_cast<int>(GamePhase::GroupBattle)) continue;
        EXPECT_GT(framesInPhase[phase], 0) << "no frame in phase " << phase;
    }
    EXPECT_EQ(passes, 291);
    EXPECT_EQ(angles.value, 6412027809213495025u) << "the angles of some frame differ";
    EXPECT_EQ(save.size(), 3376u);
    EXPECT_EQ(saved.value, 12263969692960431132u) << "the saved game differs";
}

}  // namespace
