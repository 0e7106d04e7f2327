#pragma once
// Vertex data of the two fixed meshes: the unit sphere of the ball (a subdivided
// tetrahedron) and the flat disc under goal and trap holes. Pure data; MeshLists.h
// compiles it into display lists.

#include <vector>

struct Vec3 {
    float x, y, z;
};

// Triangles of the unit sphere subdivided depth times, three vertices each, in emit order:
// face by face of the tetrahedron, depth-first, corner triangles before the centre one.
// 4 * 4^depth triangles; every vertex is its own normal.
std::vector<Vec3> generateSphereTriangles(int depth);

// The disc's polygon outline in the plane y = 0: segments vertices counter-clockwise seen
// from +y, the first on the +z axis, the last not repeated.
std::vector<Vec3> generateDiscVertices(int segments, float radius);
