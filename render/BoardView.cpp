#include "render/BoardView.h"

#include "game/Board.h"
#include "render/ViewMode.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;
// The ball's top stands this high above the floor: a ball of radius 0.2 resting on it.
constexpr double BALL_TOP = 0.4;
// Boxes are widened by this much, in board units, so that the float arithmetic of the
// drawing can never show a sliver of a block the test called hidden.
constexpr float BOX_MARGIN = 0.05f;

double radians(double degrees) {
    return degrees * PI / 180.0;
}

Matrix4 identity() {
    return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

Matrix4 translation(double x, double y, double z) {
    Matrix4 t = identity();
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

// A rotation about the x axis (aboutX) or the y axis, as glRotate makes it.
Matrix4 rotation(double degrees, bool aboutX) {
    const double c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
    Matrix4 r = identity();
    if (aboutX) {
        r.m[5] = c;
        r.m[6] = s;
        r.m[9] = -s;
        r.m[10] = c;
    } else {
        r.m[0] = c;
        r.m[2] = -s;
        r.m[8] = s;
        r.m[10] = c;
    }
    return r;
}

struct ClipPoint {
    double x, y, z, w;
};

ClipPoint transform(const Matrix4& a, double x, double y, double z) {
    const double* m = a.m;
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14], m[3] * x + m[7] * y + m[11] * z + m[15]};
}

} // namespace

float cameraDistance(const CameraSetup& setup) {
    if (!setup.wholeBoard)
        return setup.followDistance;
    return wholeBoardDistance(setup.boardWidth, setup.boardHeight, setup.viewportWidth,
                              setup.windowHeight > 0 ? setup.windowHeight : setup.viewportHeight);
}

Matrix4 multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 product;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a.m[k * 4 + row] * b.m[column * 4 + k];
            product.m[column * 4 + row] = sum;
        }
    return product;
}

Matrix4 boardToEye(const CameraSetup& setup) {
    Matrix4 view = translation(0, 0, -cameraDistance(setup));
    if (setup.turnboard) {
        view = multiply(view, rotation(TILT_DEGREES * setup.tiltX, false));
        view = multiply(view, rotation(TILT_DEGREES * setup.tiltY, true));
    }
    const double w = setup.boardWidth, h = setup.boardHeight;
    view = multiply(view, setup.wholeBoard ? translation(-w / 2, h / 2, 0)
                                           : translation(-setup.ballX, setup.ballY, 0));
    return multiply(view, rotation(90, true));
}

Matrix4 eyeToClip(const CameraSetup& setup, double nearPlane, double farPlane) {
    const double f = 1.0 / std::tan(radians(FIELD_OF_VIEW_DEGREES / 2));
    const double aspect = static_cast<double>(setup.viewportWidth) / setup.viewportHeight;
    Matrix4 p{};
    p.m[0] = f / aspect;
    p.m[5] = f;
    p.m[10] = (farPlane + nearPlane) / (nearPlane - farPlane);
    p.m[11] = -1;
    p.m[14] = 2 * farPlane * nearPlane / (nearPlane - farPlane);
    return p;
}

double boardReach(const CameraSetup& setup) {
    const double w = setup.boardWidth, h = setup.boardHeight;
    const double x = setup.wholeBoard ? w / 2 : setup.ballX;
    const double z = setup.wholeBoard ? h / 2 : setup.ballY;
    const double out = WALL_HALF_THICKNESS;
    const double across = std::max(std::fabs(x + out), std::fabs(w + out - x));
    const double along = std::max(std::fabs(z + out), std::fabs(h + out - z));
    return std::sqrt(across * across + along * along + BALL_TOP * BALL_TOP) + 1.0;
}

double floorFacing(const CameraSetup& setup) {
    if (!setup.turnboard)
        return 1.0;
    return std::cos(radians(TILT_DEGREES * setup.tiltX)) *
           std::cos(radians(TILT_DEGREES * setup.tiltY));
}

BoardBox boxAround(const CellRange& range) {
    const float out = WALL_HALF_THICKNESS + BOX_MARGIN;
    return {range.column0 - out, range.row0 - out, range.column1 + out, range.row1 + out};
}

BoxInView viewBox(const Matrix4& boardToClip, const BoardBox& box, double nearPlane) {
    // Counts of corners beyond each of the six planes: left, right, bottom, top, near, far.
    int beyond[6] = {0, 0, 0, 0, 0, 0};
    double nearest = -1;
    for (int i = 0; i < 8; ++i) {
        ClipPoint p =
            transform(boardToClip, (i & 1) ? box.x1 : box.x0,
                      (i & 2) ? WALL_HEIGHT + BOX_MARGIN : -BOX_MARGIN, (i & 4) ? box.z1 : box.z0);
        beyond[0] += p.x < -p.w;
        beyond[1] += p.x > p.w;
        beyond[2] += p.y < -p.w;
        beyond[3] += p.y > p.w;
        beyond[4] += p.z < -p.w;
        beyond[5] += p.z > p.w;
        nearest = i == 0 ? p.w : std::min(nearest, p.w);
    }
    bool visible = std::none_of(beyond, beyond + 6, [](int count) { return count == 8; });
    bool inside = std::all_of(beyond, beyond + 6, [](int count) { return count == 0; });
    return {visible, inside, std::max(nearest, nearPlane)};
}

double pixelsPerUnit(const CameraSetup& setup, double depth) {
    return setup.viewportHeight / (2 * depth * std::tan(radians(FIELD_OF_VIEW_DEGREES / 2)));
}

BoardPoint cameraPosition(const CameraSetup& setup) {
    // The view is a rotation and a translation: the eye, at the origin, maps back by the
    // transposed rotation.
    const Matrix4 view = boardToEye(setup);
    const double* m = view.m;
    return {-(m[0] * m[12] + m[1] * m[13] + m[2] * m[14]),
            -(m[4] * m[12] + m[5] * m[13] + m[6] * m[14]),
            -(m[8] * m[12] + m[9] * m[13] + m[10] * m[14])};
}

unsigned facingsSeen(const BoardBox& box, const BoardPoint& eye) {
    auto bit = [](Facing facing) { return 1u << static_cast<int>(facing); };
    unsigned seen = bit(Facing::Up);
    // A face in the plane x = p facing -x is seen from x < p, and so on for each direction.
    seen |= eye.x < box.x1 ? bit(Facing::MinusX) : 0;
    seen |= eye.x > box.x0 ? bit(Facing::PlusX) : 0;
    seen |= eye.z < box.z1 ? bit(Facing::MinusZ) : 0;
    seen |= eye.z > box.z0 ? bit(Facing::PlusZ) : 0;
    seen |= eye.z - eye.x > box.z0 - box.x1 ? bit(Facing::MinusXPlusZ) : 0;
    seen |= eye.x - eye.z > box.x0 - box.z1 ? bit(Facing::PlusXMinusZ) : 0;
    seen |= eye.x + eye.z < box.x1 + box.z1 ? bit(Facing::MinusXMinusZ) : 0;
    seen |= eye.x + eye.z > box.x0 + box.z0 ? bit(Facing::PlusXPlusZ) : 0;
    return seen;
}
