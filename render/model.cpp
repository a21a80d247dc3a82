// Planet models on screen: the file read through the GL-free parser, its
// texture uploaded, and the current mesh drawn strip by strip.
#include "render/model.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "game/data_file.h"
#include "game/data_path.h"
#include "render/texture.h"

namespace {

constexpr float kUntexturedGrey = 0.75f;

bool isTextured(const ModelStrip& strip) {
    return strip.texCoords.empty() || strip.texCoords.front().s >= 0.0f;
}

std::string_view asText(const std::vector<uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

void loadModel(Model& model, const std::string& folder, const std::string& name) {
    const std::string path = dataPath(folder, name + ".txt");
    std::vector<uint8_t> bytes;
    std::string textureName;
    std::string error;
    if (readDataFile(path, bytes, error) != FileRead::Read ||
        !parseModel(asText(bytes), model, textureName, error)) {
        std::fprintf(stderr, "Brennolt: the planet model %s was not loaded: %s\n", path.c_str(),
                     error.c_str());
        return;
    }
    model.texture = loadTexture(folder, textureName);
}

void drawModel(const Model& model) {
    if (model.currentObject < 0 || static_cast<size_t>(model.currentObject) >= model.objects.size())
        return;
    const ModelObject& object = model.objects[static_cast<size_t>(model.currentObject)];
    if (object.currentMesh < 0 || static_cast<size_t>(object.currentMesh) >= object.meshes.size())
        return;
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glBindTexture(GL_TEXTURE_2D, model.texture);
    glPushMatrix();
    glTranslatef(model.position.x, model.position.y, model.position.z);
    glRotatef(model.angleY, 0.0f, 1.0f, 0.0f);
    glRotatef(model.angleX, 1.0f, 0.0f, 0.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (const ModelStrip& strip : object.meshes[static_cast<size_t>(object.currentMesh)].strips)
        drawStrip(strip);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glPopMatrix();
}

void drawStrip(const ModelStrip& strip) {
    const bool textured = isTextured(strip);
    if (!textured) {
        glDisable(GL_TEXTURE_2D);
        glColor3f(kUntexturedGrey, kUntexturedGrey, kUntexturedGrey);
    }
    glBegin(GL_TRIANGLE_STRIP);
    glNormal3f(strip.normal.x, strip.normal.y, strip.normal.z);
    for (size_t i = 0; i < strip.vertices.size(); ++i) {
        if (textured && i < strip.texCoords.size())
            glTexCoord2f(strip.texCoords[i].s, strip.texCoords[i].t);
        glVertex3f(strip.vertices[i].x, strip.vertices[i].y, strip.vertices[i].z);
    }
    glEnd();
    if (!textured) {
        glEnable(GL_TEXTURE_2D);
        glColor3f(1.0f, 1.0f, 1.0f);
    }
}
