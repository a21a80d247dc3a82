// Frames as the player sees them, drawn in a real 800 x 600 window (under
// Xvfb and Mesa's software renderer where there is no GPU), each against its
// floor: the same geometry issued as bare GL calls and nothing else, drawn
// in the same iteration on the same state. Every timed frame, floor
// included, ends with glFinish, since a software renderer draws lazily.
//
//   BattleFrame: 5000 against 5000, drawBattle and the battle step, from
//     the fill through the frame in which the first volley strikes, then
//     again: the frames with all 10000 ships and 10000 shots (after the first
//     volley about an eighth of the ships are left and frames are cheap).
//     Floor: the ship triangles and the shot points as two batches.
//   MapFrame/<triangles>/<layout>: a new 8-player game (32 planets, 16
//     groups): the 32 planets, the groups, the group panel under the pointer,
//     the group pick and a planet pick of 32 discs. Floor: the 32 planet
//     models alone. Sphere models of 96, 192 and 384 triangles made here, as
//     bands (one strip per band of latitude) or facets (one strip per facet);
//     MapFrame/0 uses the art in Data/ when the working directory has it.
//
// Counters, in wall-clock ms over all frames: median, p95 and slowest of the
// frame and of its floor; ratio = median frame / median floor. On a busy
// machine the wall clock is noisy, so cpu_ratio gives the same ratio in CPU
// time of the process (the renderer's threads included). pick_share: the
// median share of a frame's CPU time taken by the two pick passes (the frame
// less the same frame drawn without them, just before it). step_*: the
// battle step alone. Run from the build folder:
//   xvfb-run -a -s "-screen 0 1024x768x24" bench/brennolt_render_bench
#include <GL/gl.h>
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <vector>

#include "game/animation.h"
#include "game/data_path.h"
#include "game/game.h"
#include "render/art.h"
#include "render/battle_view.h"
#include "render/frame_input.h"
#include "render/map_pointer_view.h"
#include "render/map_view.h"
#include "render/model.h"
#include "render/render.h"
#include "render/sphere_model.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Window {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

// One window for the whole run.
bool openWindow() {
    static Window window;
    if (window.context != nullptr) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    window.window = SDL_CreateWindow("Brennolt", 0, 0, 800, 600, SDL_WINDOW_OPENGL);
    if (window.window == nullptr) return false;
    window.context = SDL_GL_CreateContext(window.window);
    if (window.context == nullptr) return false;
    initialiseGraphics();
    resizeView(800, 600);
    return true;
}

void beginFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -kMapPlaneDepth);
    glEnable(GL_DEPTH_TEST);
}

// CPU time of the whole process, the renderer's threads included: the work
// a frame takes, whatever else the machine is running meanwhile.
double processCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct FrameTimes {
    std::vector<double> wall, cpu;
};

// Wall-clock milliseconds of one frame, which also goes into `times`.
double timeFrame(FrameTimes& times, const std::function<void()>& draw) {
    const double cpuStart = processCpuMs();
    const auto start = Clock::now();
    beginFrame();
    draw();
    glFinish();
    const double wall = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    times.wall.push_back(wall);
    times.cpu.push_back(processCpuMs() - cpuStart);
    return wall;
}

double percentile(std::vector<double> ms, double fraction) {
    std::sort(ms.begin(), ms.end());
    const size_t at = static_cast<size_t>(fraction * static_cast<double>(ms.size() - 1) + 0.5);
    return ms[std::min(at, ms.size() - 1)];
}

void report(benchmark::State& state, const FrameTimes& frame, const FrameTimes& floor) {
    if (frame.wall.empty()) return;
    for (const auto& [name, times] : {std::pair{"frame", &frame}, std::pair{"floor", &floor}}) {
        state.counters[std::string(name) + "_median"] = percentile(times->wall, 0.5);
        state.counters[std::string(name) + "_p95"] = percentile(times->wall, 0.95);
        state.counters[std::string(name) + "_slowest"] =
            *std::max_element(times->wall.begin(), times->wall.end());
    }
    state.counters["ratio"] = percentile(frame.wall, 0.5) / percentile(floor.wall, 0.5);
    state.counters["cpu_ratio"] = percentile(frame.cpu, 0.5) / percentile(floor.cpu, 0.5);
}

// ---------------------------------------------------------------------------
// The battle.

constexpr int kShipsPerSide = 5000;
constexpr uint32_t kFrameMs = 16;

void fillTestBattle(Game& game) {
    clearBattle(game.battle);
    seedRandom(game.random, 20240611u);
    for (int i = 0; i < kShipsPerSide; ++i) addShip(game.battle, game.random, BattleSide::Attacker);
    for (int i = 0; i < kShipsPerSide; ++i) addShip(game.battle, game.random, BattleSide::Defender);
    game.battle.attackerColour = 1;
    game.battle.defenderColour = 2;
    game.session.phase = GamePhase::GroupBattle;
}

void drawBareBattle(const Battle& battle) {
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_TRIANGLES);
    for (const BattleShip& ship : battle.ships) {
        const float tip = ship.side == BattleSide::Attacker ? 7.0f : -7.0f;
        glVertex2f(ship.x + tip, ship.y);
        glVertex2f(ship.x, ship.y + 2.0f);
        glVertex2f(ship.x, ship.y - 2.0f);
    }
    glEnd();
    glColor3f(0.0f, 1.0f, 0.0f);
    glBegin(GL_POINTS);
    for (const BattleShot& shot : battle.shots) {
        glVertex2f(shot.x, shot.y);
    }
    glEnd();
}

void BattleFrame(benchmark::State& state) {
    if (!openWindow()) return state.SkipWithError("no window (run under xvfb-run)");
    static Game game;  // large: keep it off the stack
    static Art art;
    game = Game();
    fillTestBattle(game);
    FrameTimes frames, floors;
    std::vector<double> steps;
    int battles = 1;
    for (auto _ : state) {
        if (game.battle.ships.size() < 2 * kShipsPerSide) {
            fillTestBattle(game);
            ++battles;
        }
        timeFrame(floors, [] { drawBareBattle(game.battle); });
        const double frame = timeFrame(frames, [&steps] {
            drawBattle(game, art);
            const auto start = Clock::now();
            battleStep(game, kFrameMs);
            steps.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        });
        state.SetIterationTime(frame / 1000.0);
    }
    report(state, frames, floors);
    state.counters["step_median"] = percentile(steps, 0.5);
    state.counters["step_slowest"] = *std::max_element(steps.begin(), steps.end());
    state.counters["volleys"] = battles;
}
BENCHMARK(BattleFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(600);

// ---------------------------------------------------------------------------
// The map.

uint32_t makePlanetTexture() {
    std::vector<uint8_t> rgba;
    for (int t = 0; t < 64; ++t)
        for (int s = 0; s < 64; ++s) {
            const bool band = (t / 6) % 2 == 0;
            rgba.insert(rgba.end(), {uint8_t(band ? 190 : 120), uint8_t(band ? 140 : 90),
                                     uint8_t(60 + s % 8), 255});
        }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 64, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return texture;
}

// A sphere of about `triangles` triangles: 96 = 6 x 8 x 2, 192 = 8 x 12 x 2, 384 = 12 x 16 x 2.
Model benchSphere(int triangles, SphereLayout layout, uint32_t texture) {
    const int stacks = triangles <= 96 ? 6 : triangles <= 192 ? 8 : 12;
    const int slices = triangles / (2 * stacks);
    return makeSphere(15.0f, stacks, slices, texture, layout);
}

void drawPlanetModelsBare(const Game& game, const Art& art) {
    for (const Planet& planet : game.planets) {
        glPushMatrix();
        glTranslatef(planet.x, planet.y, 0.0f);
        glRotatef(planet.tilt, 1.0f, 0.0f, 0.0f);
        glRotatef(planet.spin, 0.0f, 0.0f, 1.0f);
        drawModel(art.planetModels[static_cast<size_t>(planet.model)]);
        glPopMatrix();
    }
}

void drawMap(Game& game, const Art& art, const FrameInput& input, bool withPicks) {
    for (int i = 0; i < kPlanetCount; ++i) drawPlanet(game, art, i);
    glDisable(GL_DEPTH_TEST);
    drawGroups(game, game.picks, art);
    if (withPicks) {
        pickGroup(game, game.picks, input);
        pickPlanet(game.planets, game.picks, input);
    }
    drawHoveredPlanetPanel(game, game.picks, art, input);
    drawHoveredGroupPanel(game, game.picks, art, input);
    glEnable(GL_DEPTH_TEST);
    advanceAnimation(game, input.frameDelta);
}

void MapFrame(benchmark::State& state) {
    if (!openWindow()) return state.SkipWithError("no window (run under xvfb-run)");
    const int triangles = static_cast<int>(state.range(0));
    const auto layout = static_cast<SphereLayout>(state.range(1));
    static Art art;
    static uint32_t texture = makePlanetTexture();
    if (triangles == 0) {
        if (!std::filesystem::exists(dataPath(DataFolders{}.read, "Sphere Model00.txt")))
            return state.SkipWithError("no Data/Sphere Model00.txt here");
        art.planetModels = {};
        loadModel(art.planetModels[0], DataFolders{}.read, "Sphere Model00");
        loadModel(art.planetModels[1], DataFolders{}.read, "Sphere Model01");
    } else {
        art.planetModels[0] = benchSphere(triangles, layout, texture);
        art.planetModels[1] = art.planetModels[0];
    }

    static Game game;
    game = Game();
    seedRandom(game.random, 7u);
    game.session.playerCount = 8;
    generateGalaxy(game);
    game.session.phase = GamePhase::Movement;
    // The pointer on a group: its sight circle, panel and both picks.
    const Group& hovered = game.registry.groups.front();
    FrameInput input;
    input.mapX = static_cast<int32_t>(hovered.x);
    input.mapY = static_cast<int32_t>(hovered.y);
    input.mouseX = 400 + input.mapX;
    input.mouseY = 300 - input.mapY;
    input.frameDelta = kFrameMs;

    FrameTimes frames, floors, withoutPicks;
    std::vector<double> pickShares;
    for (auto _ : state) {
        timeFrame(floors, [] { drawPlanetModelsBare(game, art); });
        timeFrame(withoutPicks, [&input] { drawMap(game, art, input, false); });
        const double frame = timeFrame(frames, [&input] { drawMap(game, art, input, true); });
        pickShares.push_back((frames.cpu.back() - withoutPicks.cpu.back()) / frames.cpu.back());
        state.SetIterationTime(frame / 1000.0);
    }
    report(state, frames, floors);
    state.counters["pick_share"] = percentile(pickShares, 0.5);
}
BENCHMARK(MapFrame)
    ->ArgsProduct({{96, 192, 384},
                   {static_cast<int>(SphereLayout::Bands), static_cast<int>(SphereLayout::Facets)}})
    ->Args({0, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(400);

}  // namespace
