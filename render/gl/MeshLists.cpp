#include "render/gl/MeshLists.h"

#include "game/Board.h"
#include "render/Meshes.h"
#include "render/Palette.h"
#include "render/gl/GlState.h"

#include <GL/gl.h>

void drawSphere(int depth) {
    glBegin(GL_TRIANGLES);
    for (const Vec3& v : generateSphereTriangles(depth)) {
        glNormal3f(v.x, v.y, v.z);
        glVertex3f(v.x, v.y, v.z);
    }
    glEnd();
}

void drawDisc(int segments, float radius) {
    glBegin(GL_POLYGON);
    for (const Vec3& v : generateDiscVertices(segments, radius))
        glVertex3f(v.x, v.y, v.z);
    glEnd();
}

void compileMeshLists() {
    // The ball's own specular highlight is set and undone inside the list, so replaying it
    // leaves lighting on and texturing off.
    glNewList(BALL_LIST, GL_COMPILE);
    useBallMaterial();
    useColour(BALL_COLOUR);
    drawSphere(4);
    leaveBallMaterial();
    glEndList();

    glNewList(DISC_LIST, GL_COMPILE);
    drawDisc(32, HOLE_RADIUS);
    glEndList();
}
