// Frame composition and the GL state and view it relies on. The screens of
// the phases take their place in composeFrame as they arrive; until then a
// frame is an empty black plane.
#include <GL/gl.h>
#include <GL/glu.h>

#include "game/game.h"
#include "render/render.h"

namespace {

constexpr double kFieldOfViewDegrees = 45.0;
constexpr double kNearPlane = 1.0;
constexpr double kFarPlane = 10000.0;

}  // namespace

void initialiseGraphics() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glShadeModel(GL_SMOOTH);
    glLineWidth(1.0f);

    // Set under the identity modelview, so the light sits in eye space.
    const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat position[] = {0.0f, 0.0f, 250.0f, 1.0f};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glEnable(GL_LIGHT1);
}

int resizeView(int width, int height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewDegrees, static_cast<double>(width) / static_cast<double>(height),
                   kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return height;
}

void composeFrame(const Game&) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -kMapPlaneDepth);
    // The phase's screen is drawn here, in map coordinates.
    glPopMatrix();
    glFlush();
}
