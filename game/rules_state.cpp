// Rules state: the one layout of the shared state, written once for both the
// bytes and the fingerprint, and read back into a staging record that is
// checked whole before any of it reaches the game.
#include "game/rules_state.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <utility>

#include "battle/battle.h"
#include "game/buttons.h"
#include "game/byte_codec.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/loaded_bounds.h"
#include "game/player_command.h"

namespace {

// Every group holds at least a ship, and a game has far fewer groups than
// this; the bound keeps a damaged count from asking for the memory.
constexpr uint32_t kMostGroups = 1'000'000;

constexpr size_t kGroupBytes = 40;
constexpr size_t kBattleShipBytes = 14;
constexpr size_t kBattleShotBytes = 13;

constexpr int kPlanetButton = static_cast<int>(CommandId::AttackOrDonatePlanet);
constexpr int kPhaseCount = static_cast<int>(GamePhase::GameOver) + 1;
constexpr int kModeCount = static_cast<int>(InteractionMode::PlaceNewGroup) + 1;
constexpr int kColourCount = static_cast<int>(ColourTable.size());

constexpr uint64_t kFnvOffsetBasis = 14695981039346656037ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;

// Every button's command but the local ones travels to all machines, and so
// must the question of whether it is offered.
bool isTravellingCommand(int id) { return !isLocalCommand(pressButton(0, id)); }

// Button 3 as setPlanetButtonDonation shows its donation face.
const Button& donationButton() {
    static const Button button = [] {
        ButtonPanel panel = constructButtonPanel();
        setPlanetButtonDonation(panel, true);
        return panel.buttons[kPlanetButton];
    }();
    return button;
}

bool showsDonationFace(const ButtonPanel& panel) {
    const Button& shown = panel.buttons[kPlanetButton];
    const Button& donation = donationButton();
    return shown.tTop == donation.tTop && shown.tBottom == donation.tBottom &&
           shown.tooltip == donation.tooltip;
}

// ---------------------------------------------------------------------------
// Writing: the same sequence of bytes into a vector or into the hash.

struct HashSink {
    uint64_t hash = kFnvOffsetBasis;
    void put(uint8_t byte) { hash = (hash ^ byte) * kFnvPrime; }
};

template <typename Sink>
using Writer = ByteWriter<Sink>;

template <typename Sink>
void writeSession(Writer<Sink>& out, const GameSession& session) {
    out.i32(session.playerCount);
    out.i32(session.currentPlayer);
    for (int32_t team : session.teams) out.i32(team);
    out.i32(session.selectedPlanet);
    out.i32(session.selectedGroupId);
    const Statistics& s = session.statistics;
    for (int32_t value :
         {s.myPlanets, s.myProduction, s.myShips, s.teamPlanets, s.teamProduction, s.teamShips})
        out.i32(value);
    out.u8(static_cast<uint8_t>(session.phase));
}

template <typename Sink>
void writeGalaxy(Writer<Sink>& out, const Game& game) {
    for (const Planet& planet : game.planets) {
        out.f32(planet.x);
        out.f32(planet.y);
        out.i32(planet.production);
        out.i32(planet.ships);
        out.i32(planet.owner);
        out.i32(planet.model);
    }
    for (const PlanetIntel& intel : game.intel) {
        for (int32_t owner : intel.knownOwner) out.i32(owner);
        for (int32_t ships : intel.knownShips) out.i32(ships);
    }
}

template <typename Sink>
void writeGroups(Writer<Sink>& out, const GroupRegistry& registry) {
    out.i32(registry.nextId);
    out.u32(static_cast<uint32_t>(registry.groups.size()));
    for (const Group& group : registry.groups) {
        for (float value :
             {group.x, group.y, group.destinationX, group.destinationY, group.stepX, group.stepY})
            out.f32(value);
        out.i32(group.stepsLeft);
        out.i32(group.owner);
        out.i32(group.ships);
        out.i32(group.id);
    }
}

template <typename Sink>
void writeBattle(Writer<Sink>& out, const Battle& battle, const BattleSources& sources) {
    out.i32(battle.nextShipId);
    out.i32(battle.attackerCount);
    out.i32(battle.defenderCount);
    out.i32(battle.nextShotId);
    out.i32(battle.attackerColour);
    out.i32(battle.defenderColour);
    out.u8(static_cast<uint8_t>(battle.volleyPending));
    out.i64(battle.shipLimit);
    out.u32(static_cast<uint32_t>(battle.ships.size()));
    for (const BattleShip& ship : battle.ships) {
        out.f32(ship.x);
        out.f32(ship.y);
        out.i8(static_cast<int32_t>(ship.side));
        out.i8(ship.direction);
        out.i32(ship.id);
    }
    out.u32(static_cast<uint32_t>(battle.shots.size()));
    for (const BattleShot& shot : battle.shots) {
        out.f32(shot.x);
        out.f32(shot.y);
        out.i8(static_cast<int32_t>(shot.side));
        out.i32(shot.id);
    }
    out.i32(sources.attackerSource);
    out.i32(sources.defenderSource);
}

template <typename Sink>
void writeRulesState(Sink& sink, const Game& game) {
    Writer<Sink> out{sink};
    out.u8(kRulesStateVersion);
    out.u32(game.random.state);
    writeSession(out, game.session);
    for (Seat seat : game.seats) out.u8(static_cast<uint8_t>(seat));
    // Machine numbers are the same on every machine; which one reads them is not.
    for (int32_t machine : game.network.seatMachine) out.u8(static_cast<uint8_t>(machine));
    out.i32(game.winningTeam);
    writeGalaxy(out, game);
    writeGroups(out, game.registry);
    out.u8(static_cast<uint8_t>(game.interaction.mode));
    out.i32(game.interaction.count);
    for (int id = 0; id < kButtonCount; ++id)
        if (isTravellingCommand(id)) out.u8(game.buttons.buttons[id].visible ? 1 : 0);
    out.u8(showsDonationFace(game.buttons) ? 1 : 0);
    writeBattle(out, game.battle, game.battleSources);
}

// ---------------------------------------------------------------------------
// Reading and checking.

using Reader = ByteReader;

template <typename Value>
bool inRange(Value value, Value least, Value most) {
    return value >= least && value <= most;
}

bool allFinite(std::initializer_list<float> values) {
    for (float value : values)
        if (!std::isfinite(value)) return false;
    return true;
}

bool isSide(int32_t value) {
    return value == static_cast<int32_t>(BattleSide::Attacker) ||
           value == static_cast<int32_t>(BattleSide::Defender);
}

// The decoded state, checked whole before the game takes it.
struct RulesState {
    Random random;
    GameSession session;
    Seats seats{};
    std::array<int32_t, kMaxPlayers> seatMachine{};
    int32_t winningTeam = -1;
    Galaxy planets{};  // without the drawing angles
    std::array<PlanetIntel, kMaxPlayers> intel;
    GroupRegistry registry;
    InteractionMode mode = InteractionMode::Idle;
    int32_t count = 0;
    std::array<bool, kButtonCount> visible{};  // the travelling buttons only
    bool donation = false;
    Battle battle;  // without its hit search, which carries nothing between steps
    BattleSources sources;
};

bool readSession(Reader& in, GameSession& session) {
    session.playerCount = in.i32();
    session.currentPlayer = in.i32();
    if (!inRange(session.playerCount, kMinPlayers, kMaxPlayers) ||
        !inRange(session.currentPlayer, 0, session.playerCount - 1))
        return false;
    for (int32_t& team : session.teams) {
        team = in.i32();
        if (!inRange(team, 0, kMaxPlayers - 1)) return false;
    }
    session.selectedPlanet = in.i32();
    session.selectedGroupId = in.i32();  // checked against the groups once they are read
    if (!inRange(session.selectedPlanet, -1, kPlanetCount - 1)) return false;
    Statistics& s = session.statistics;
    for (int32_t* value : {&s.myPlanets, &s.myProduction, &s.myShips, &s.teamPlanets,
                           &s.teamProduction, &s.teamShips}) {
        *value = in.i32();
        if (*value < 0) return false;
    }
    const int phase = in.u8();
    if (phase >= kPhaseCount) return false;
    session.phase = static_cast<GamePhase>(phase);
    return true;
}

bool readPlayers(Reader& in, RulesState& state) {
    if (!readSession(in, state.session)) return false;
    for (Seat& seat : state.seats) {
        const int kind = in.u8();
        if (kind >= kSeatKinds) return false;
        seat = static_cast<Seat>(kind);
    }
    for (int32_t& machine : state.seatMachine) {
        machine = in.u8();
        if (machine >= kMaxPlayers) return false;  // the host and a machine per other seat at most
    }
    state.winningTeam = in.i32();
    return inRange(state.winningTeam, -1, kMaxPlayers - 1);
}

bool readGalaxy(Reader& in, RulesState& state) {
    const int32_t lastPlayer = state.session.playerCount - 1;
    for (Planet& planet : state.planets) {
        planet.x = in.f32();
        planet.y = in.f32();
        planet.production = in.i32();
        planet.ships = in.i32();
        planet.owner = in.i32();
        planet.model = in.i32();
        if (!allFinite({planet.x, planet.y}) ||
            !inRange(planet.production, 0, kMostLoadedProduction) ||
            !inRange(planet.ships, 0, kMostShipsInOnePlace) ||
            !inRange(planet.owner, -1, lastPlayer) || !inRange(planet.model, 0, 1))
            return false;
    }
    // The known ships are whatever was last seen, so only the owners have a range.
    for (PlanetIntel& intel : state.intel) {
        for (int32_t& owner : intel.knownOwner) {
            owner = in.i32();
            if (!inRange(owner, -1, kMaxPlayers - 1)) return false;
        }
        for (int32_t& ships : intel.knownShips) ships = in.i32();
    }
    return true;
}

// Groups keep creation order, and ids are handed out in that order: each id
// is above the one before and below the next to hand out.
bool readGroups(Reader& in, RulesState& state) {
    GroupRegistry& registry = state.registry;
    registry.nextId = in.i32();
    const uint32_t count = in.u32();
    if (registry.nextId < 0 || count > kMostGroups || !in.holds(count, kGroupBytes)) return false;
    registry.groups.resize(count);
    int32_t previousId = -1;
    int64_t shipsInAll = 0;
    for (const Planet& planet : state.planets) shipsInAll += planet.ships;
    for (Group& group : registry.groups) {
        for (float* value : {&group.x, &group.y, &group.destinationX, &group.destinationY,
                             &group.stepX, &group.stepY})
            *value = in.f32();
        group.stepsLeft = in.i32();
        group.owner = in.i32();
        group.ships = in.i32();
        group.id = in.i32();
        if (!allFinite({group.x, group.y, group.destinationX, group.destinationY, group.stepX,
                        group.stepY}) ||
            group.stepsLeft < 0 || !inRange(group.owner, 0, state.session.playerCount - 1) ||
            !inRange(group.ships, 1, kMostShipsInOnePlace) || group.id <= previousId ||
            group.id >= registry.nextId)
            return false;
        previousId = group.id;
        shipsInAll += group.ships;
    }
    const int32_t selected = state.session.selectedGroupId;
    return shipsInAll <= kMostShipsInAll && inRange(selected, -1, registry.nextId - 1);
}

bool readInteraction(Reader& in, RulesState& state) {
    const int mode = in.u8();
    state.count = in.i32();
    if (mode >= kModeCount || !inRange(state.count, 0, kMostShipsInOnePlace)) return false;
    state.mode = static_cast<InteractionMode>(mode);
    for (int id = 0; id < kButtonCount; ++id) {
        if (!isTravellingCommand(id)) continue;
        const uint8_t shown = in.u8();
        if (shown > 1) return false;
        state.visible[id] = shown == 1;
    }
    const uint8_t donation = in.u8();
    state.donation = donation == 1;
    return donation <= 1;
}

// Ids are handed out in list order, as the battle's removals rely on.
bool readShips(Reader& in, Battle& battle) {
    const uint32_t count = in.u32();
    if (count > battle.shipLimit || !in.holds(count, kBattleShipBytes)) return false;
    battle.ships.resize(count);
    int32_t previousId = -1;
    int32_t attackers = 0;
    for (BattleShip& ship : battle.ships) {
        ship.x = in.f32();
        ship.y = in.f32();
        const int32_t side = in.i8();
        ship.direction = in.i8();
        ship.id = in.i32();
        if (!allFinite({ship.x, ship.y}) || !isSide(side) ||
            (ship.direction != 1 && ship.direction != -1) || ship.id <= previousId ||
            ship.id >= battle.nextShipId)
            return false;
        ship.side = static_cast<BattleSide>(side);
        previousId = ship.id;
        attackers += ship.side == BattleSide::Attacker ? 1 : 0;
    }
    // The counts are the ships of each side still in the list.
    return battle.attackerCount == attackers &&
           battle.defenderCount == static_cast<int32_t>(count) - attackers;
}

// One volley puts out a shot per ship, and the next waits until the sky is clear.
bool readShots(Reader& in, Battle& battle) {
    const uint32_t count = in.u32();
    if (count > battle.shipLimit || !in.holds(count, kBattleShotBytes)) return false;
    battle.shots.resize(count);
    int32_t previousId = -1;
    for (BattleShot& shot : battle.shots) {
        shot.x = in.f32();
        shot.y = in.f32();
        const int32_t side = in.i8();
        shot.id = in.i32();
        if (!allFinite({shot.x, shot.y}) || !isSide(side) || shot.id <= previousId ||
            shot.id >= battle.nextShotId)
            return false;
        shot.side = static_cast<BattleSide>(side);
        previousId = shot.id;
    }
    return true;
}

bool readBattle(Reader& in, RulesState& state) {
    Battle& battle = state.battle;
    battle.nextShipId = in.i32();
    battle.attackerCount = in.i32();
    battle.defenderCount = in.i32();
    battle.nextShotId = in.i32();
    battle.attackerColour = in.i32();
    battle.defenderColour = in.i32();
    battle.volleyPending = in.u8();
    battle.shipLimit = in.i64();
    if (battle.nextShipId < 0 || battle.nextShotId < 0 ||
        !inRange(battle.attackerColour, 0, kColourCount - 1) ||
        !inRange(battle.defenderColour, 0, kColourCount - 1) || battle.volleyPending > 1 ||
        !inRange(battle.shipLimit, int64_t{0}, kBattleShipLimit))
        return false;
    if (!readShips(in, battle) || !readShots(in, battle)) return false;
    // A side comes from a group, a planet battle's defender from a planet, and
    // the test mode's sides from nowhere.
    BattleSources& sources = state.sources;
    sources.attackerSource = in.i32();
    sources.defenderSource = in.i32();
    const int32_t lastGroupId = state.registry.nextId - 1;
    const int32_t lastDefender =
        state.session.phase == GamePhase::PlanetBattle ? kPlanetCount - 1 : lastGroupId;
    return inRange(sources.attackerSource, -1, lastGroupId) &&
           inRange(sources.defenderSource, -1, lastDefender);
}

bool readRulesState(std::span<const uint8_t> bytes, RulesState& state) {
    Reader in{bytes};
    if (in.u8() != kRulesStateVersion) return false;
    state.random.state = in.u32();
    if (!readPlayers(in, state) || !readGalaxy(in, state) || !readGroups(in, state) ||
        !readInteraction(in, state) || !readBattle(in, state))
        return false;
    return in.ok && in.left() == 0;
}

// Everything the encoding holds goes in; everything it leaves out stays.
void applyRulesState(RulesState& state, Game& game) {
    game.random = state.random;
    game.session = state.session;
    game.seats = state.seats;
    game.network.seatMachine = state.seatMachine;
    game.winningTeam = state.winningTeam;
    for (int i = 0; i < kPlanetCount; ++i) {
        const Planet& from = state.planets[i];
        Planet& planet = game.planets[i];
        planet.x = from.x;
        planet.y = from.y;
        planet.production = from.production;
        planet.ships = from.ships;
        planet.owner = from.owner;
        planet.model = from.model;
    }
    game.intel = state.intel;
    game.registry = std::move(state.registry);
    game.interaction.mode = state.mode;
    game.interaction.count = state.count;
    for (int id = 0; id < kButtonCount; ++id)
        if (isTravellingCommand(id)) game.buttons.buttons[id].visible = state.visible[id];
    setPlanetButtonDonation(game.buttons, state.donation);
    Battle& battle = game.battle;
    battle.ships = std::move(state.battle.ships);
    battle.nextShipId = state.battle.nextShipId;
    battle.attackerCount = state.battle.attackerCount;
    battle.defenderCount = state.battle.defenderCount;
    battle.shots = std::move(state.battle.shots);
    battle.nextShotId = state.battle.nextShotId;
    battle.attackerColour = state.battle.attackerColour;
    battle.defenderColour = state.battle.defenderColour;
    battle.volleyPending = state.battle.volleyPending;
    battle.shipLimit = state.battle.shipLimit;
    game.battleSources = state.sources;
}

}  // namespace

std::vector<uint8_t> encodeRulesState(const Game& game) {
    std::vector<uint8_t> bytes;
    VectorSink sink{bytes};
    writeRulesState(sink, game);
    return bytes;
}

bool decodeRulesState(std::span<const uint8_t> bytes, Game& game) {
    RulesState state;
    if (!readRulesState(bytes, state)) return false;
    applyRulesState(state, game);
    return true;
}

uint64_t rulesFingerprint(const Game& game) {
    HashSink sink;
    writeRulesState(sink, game);
    return sink.hash;
}
