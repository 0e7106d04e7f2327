#pragma once
// The fixed display lists and the immediate-mode emitters of the two meshes; the board's own
// lists take names from glGenLists.

constexpr unsigned BALL_LIST = 2; // the lit ball, unit sphere
constexpr unsigned DISC_LIST = 3; // flat disc of radius 0.35 facing +y

// Emits the unit sphere subdivided depth times as one GL_TRIANGLES primitive, each vertex
// sent as its normal and then its position.
void drawSphere(int depth);
// Emits one GL_POLYGON disc in the plane y = 0; no normal, no texture coordinates.
void drawDisc(int segments, float radius);
// Compiles lists 2 and 3. Expects: a current context. Leaves: the list state untouched.
void compileMeshLists();
