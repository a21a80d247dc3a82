// Picking in OpenGL's selection mode: the shapes are drawn again through a
// one-pixel pick region, and the hit records say which names were touched.
#include "render/picking.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>

#include "render/picture.h"
#include "render/view.h"

namespace {

// One name on the stack makes every hit record 4 words: name count, minimum
// depth, maximum depth, name; so the buffer holds 128 hits.
constexpr int kSelectionWords = 512;
constexpr int kHitRecordWords = 4;

}  // namespace

void drawPickShape(PickShape shape, const float* xy, int vertexCount) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, xy);
    glDrawArrays(shape == PickShape::Fan ? GL_TRIANGLE_FAN : GL_TRIANGLE_STRIP, 0, vertexCount);
    glDisableClientState(GL_VERTEX_ARRAY);
}

int runPickPass(int mouseX, int mouseY, const std::function<void()>& drawNamedShapes) {
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    std::array<GLuint, kSelectionWords> buffer{};
    glSelectBuffer(kSelectionWords, buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // The pointer is a pixel of the picture, wherever the viewport shows it.
    std::array<GLint, 4> picture{0, 0, kPictureWidth, kPictureHeight};
    gluPickMatrix(mouseX, kPictureHeight - mouseY, 1.0, 1.0, picture.data());
    multiplyPerspective(static_cast<double>(viewport[2]) / static_cast<double>(viewport[3]));
    glMatrixMode(GL_MODELVIEW);
    drawNamedShapes();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    // An overflowing buffer reports -1 hits: taken as nothing under the pointer.
    const GLint hits = glRenderMode(GL_RENDER);
    if (hits <= 0) return -1;
    int name = static_cast<int>(buffer[3]);
    GLuint best = buffer[1];
    for (int hit = 1; hit < hits; ++hit) {
        const GLuint* record = &buffer[hit * kHitRecordWords];
        if (record[1] < best) {
            best = record[1];
            name = static_cast<int>(record[3]);
        }
    }
    return name;
}
