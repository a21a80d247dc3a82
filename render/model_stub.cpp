// Planet models on screen, until the model loader arrives: models stay empty
// and draw nothing.
#include "render/model.h"

void loadModel(Model&, const std::string&) {}
void drawModel(const Model&) {}
void drawStrip(const ModelStrip&) {}
