// The view's perspective.
#include "render/view.h"

#include <GL/glu.h>

void multiplyPerspective(double aspect) {
    gluPerspective(kFieldOfViewDegrees, aspect, kNearPlane, kFarPlane);
}
