// The button panel's data: 21 image buttons from the HUD atlas, each one a
// command. A button is available exactly while it is visible.
#include "game/buttons.h"

#include "game/commands.h"
#include "game/hud_atlas.h"

namespace {

// Each button shows its face of the HUD atlas at the face's own size.
constexpr const char* kTooltips[kButtonCount] = {
    "Split the selected group into two groups",
    "Combine the selected group and the group it is in contact with",
    "Initiate combat between the selected group and the enemy group it is in contact with",
    "Initiate combat between the selected group and the planet it is over",
    "Select your next group",
    "Select your previous group",
    "Select the next group you control which is in position for combat",
    "Select the previous group you control which is in position for combat",
    "Create a new group originating from the selected planet",
    "Select the next planet you control",
    "Select the previous planet you control",
    "End your movement phase",
    "End your battle phase",
    "Save the game",
    "Load the previously saved game",
    "Quit the game",
    "Begin your turn",
    "Yes",
    "No",
    "Increase the number of players",
    "Decrease the number of players",
};
static_assert(kButtonFaceCount == kButtonCount, "one face in the atlas for every button");

constexpr int kPlanetButton = static_cast<int>(CommandId::AttackOrDonatePlanet);
constexpr const char* kDonationTooltip = "Donate the selected group to the planet it is over";

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
    for (int i = 0; i < kButtonCount; ++i) {
        const AtlasRegion& face = kButtonFaces[i];
        initButton(panel.buttons[i], atlasCoordinate(face.sLeft), atlasCoordinate(face.sRight),
                   atlasCoordinate(face.tTop), atlasCoordinate(face.tBottom), regionWidth(face),
                   regionHeight(face), kTooltips[i]);
    }
    return panel;
}

void setPlanetButtonDonation(ButtonPanel& panel, bool donation) {
    Button& button = panel.buttons[kPlanetButton];
    // The two faces share their columns.
    const AtlasRegion& face = donation ? kDonationFace : kButtonFaces[kPlanetButton];
    button.tTop = atlasCoordinate(face.tTop);
    button.tBottom = atlasCoordinate(face.tBottom);
    button.tooltip = donation ? kDonationTooltip : kTooltips[kPlanetButton];
}
