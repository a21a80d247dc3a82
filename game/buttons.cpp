// The button panel's data: the image buttons of the HUD atlas, each one a
// command. A button is available exactly while it is visible.
#include "game/buttons.h"
#include "game/commands.h"
#include "game/seat_and_end_art.h"

namespace {

struct ButtonSpec {
    int sLeft, sRight, tBottom, tTop;  // texels of the 256 x 256 atlas
    int width, height;
    const char* tooltip;
};

constexpr float kAtlasSize = 256.0f;

constexpr ButtonSpec kButtonTable[kButtonCount] = {
    {158, 190, 224, 256, 32, 32, "Split the selected group into two groups"},
    {158, 190, 191, 223, 32, 32, "Combine the selected group and the group it is in contact with"},
    {158, 190, 158, 190, 32, 32,
     "Initiate combat between the selected group and the enemy group it is in contact with"},
    {158, 190, 125, 157, 32, 32, "Initiate combat between the selected group and the planet it is over"},
    {158, 190, 92, 124, 32, 32, "Select your next group"},
    {158, 190, 59, 91, 32, 32, "Select your previous group"},
    {191, 223, 224, 256, 32, 32, "Select the next group you control which is in position for combat"},
    {191, 223, 191, 223, 32, 32,
     "Select the previous group you control which is in position for combat"},
    {191, 223, 158, 190, 32, 32, "Create a new group originating from the selected planet"},
    {191, 223, 125, 157, 32, 32, "Select the next planet you control"},
    {191, 223, 92, 124, 32, 32, "Select the previous planet you control"},
    {191, 223, 59, 91, 32, 32, "End your movement phase"},
    {224, 256, 224, 256, 32, 32, "End your battle phase"},
    {224, 256, 191, 223, 32, 32, "Save the game"},
    {224, 256, 158, 190, 32, 32, "Load the previously saved game"},
    {224, 256, 125, 157, 32, 32, "Quit the game"},
    {224, 256, 92, 124, 32, 32, "Begin your turn"},
    {224, 254, 73, 91, 30, 18, "Yes"},
    {224, 245, 54, 72, 21, 18, "No"},
    {224, 235, 43, 53, 11, 10, "Increase the number of players"},
    {224, 235, 32, 42, 11, 10, "Decrease the number of players"},
    {kNewGameButtonTexels.sLeft, kNewGameButtonTexels.sRight, kNewGameButtonTexels.tBottom,
     kNewGameButtonTexels.tTop, 32, 32, "Return to the Setup screen for a new game"},
};

constexpr int kPlanetButton = static_cast<int>(CommandId::AttackOrDonatePlanet);
constexpr const char* kDonationTooltip = "Donate the selected group to the planet it is over";
constexpr int kDonationTTop = 58;
constexpr int kDonationTBottom = 26;

}  // namespace

void initButton(Button& button, float sLeft, float sRight, float tTop, float tBottom, int width,
                int height, const char* tooltip) {
    button.sLeft = sLeft;
    button.sRight = sRight;
    button.tTop = tTop;
    button.tBottom = tBottom;
    button.width = width;
    button.height = height;
    button.tooltip = tooltip;
    button.visible = false;
}

ButtonPanel constructButtonPanel() {
    ButtonPanel panel;
    panel.hovered = -1;
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonSpec& spec = kButtonTable[i];
        initButton(panel.buttons[i], spec.sLeft / kAtlasSize, spec.sRight / kAtlasSize,
                   spec.tTop / kAtlasSize, spec.tBottom / kAtlasSize, spec.width, spec.height,
                   spec.tooltip);
    }
    return panel;
}

void setPlanetButtonDonation(ButtonPanel& panel, bool donation) {
    Button& button = panel.buttons[kPlanetButton];
    const ButtonSpec& combat = kButtonTable[kPlanetButton];
    if (donation) {
        button.tTop = kDonationTTop / kAtlasSize;
        button.tBottom = kDonationTBottom / kAtlasSize;
        button.tooltip = kDonationTooltip;
    } else {
        button.tTop = combat.tTop / kAtlasSize;
        button.tBottom = combat.tBottom / kAtlasSize;
        button.tooltip = combat.tooltip;
    }
}
