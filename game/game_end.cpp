// The end of a game: who still owns something decides whether a team has won,
// nobody has, or the game goes on; the end screen offers only Quit and the
// way back to Setup.
#include "game/game_end.h"

#include "game/game.h"

namespace {

constexpr int kNobody = -1;

bool isOneTeam(const GameSession& session) {
    for (int player = 1; player < session.playerCount; ++player)
        if (session.teams[player] != session.teams[0]) return false;
    return true;
}

void enterGameOver(Game& game, int winningTeam) {
    game.winningTeam = winningTeam;
    enterPhase(game, GamePhase::GameOver);
}

}  // namespace

bool ownsAnything(const Game& game, int player) {
    for (const Planet& planet : game.planets)
        if (planet.owner == player) return true;
    for (const Group& group : game.registry.groups)
        if (group.owner == player) return true;
    return false;
}

int nextPlayerToMove(const Game& game, int player) {
    const int count = game.session.playerCount;
    // A current player at or beyond the count (a damaged state) starts over at 0.
    const int first = player + 1 >= count ? 0 : player + 1;
    for (int step = 0; step < count; ++step) {
        const int candidate = (first + step) % count;
        if (ownsAnything(game, candidate)) return candidate;
    }
    return first;
}

bool checkGameEnd(Game& game) {
    const GameSession& session = game.session;
    int survivingTeam = kNobody;
    bool alliesOnly = true;
    for (int player = 0; player < session.playerCount; ++player) {
        if (!ownsAnything(game, player)) continue;
        const int team = session.teams[player];
        if (survivingTeam == kNobody) {
            survivingTeam = team;
        } else if (team != survivingTeam) {
            alliesOnly = false;
        }
    }
    if (survivingTeam == kNobody) {
        enterGameOver(game, kNobody);
        return true;
    }
    // Everyone allied from the start is one team that has nobody left to beat.
    if (!alliesOnly || isOneTeam(session)) return false;
    enterGameOver(game, survivingTeam);
    return true;
}
