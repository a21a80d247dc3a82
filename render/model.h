// Planet models on screen: loading a model file with its texture at start-up,
// and drawing its current mesh strip by strip under the one light.
#pragma once

#include <string>

#include "render/model_file.h"

// `name` without folder or extension ("Sphere Model00"), in the data folder
// `folder`. A file that is missing, unreadable or damaged leaves the model
// empty (it then draws nothing), with one line on standard error. Needs a
// current context.
void loadModel(Model& model, const std::string& folder, const std::string& name);
void drawModel(const Model& model);
void drawStrip(const ModelStrip& strip);
