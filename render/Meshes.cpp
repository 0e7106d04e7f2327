#include "render/Meshes.h"

#include <cmath>

namespace {

Vec3 midpointOnSphere(const Vec3& a, const Vec3& b) {
    Vec3 m{(a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f, (a.z + b.z) * 0.5f};
    float scale = 1.0f / std::sqrt(m.x * m.x + m.y * m.y + m.z * m.z);
    return {m.x * scale, m.y * scale, m.z * scale};
}

void subdivide(const Vec3& p, const Vec3& q, const Vec3& r, int depth, std::vector<Vec3>& out) {
    if (depth == 0) {
        out.push_back(p);
        out.push_back(q);
        out.push_back(r);
        return;
    }
    Vec3 pq = midpointOnSphere(p, q);
    Vec3 qr = midpointOnSphere(q, r);
    Vec3 pr = midpointOnSphere(p, r);
    // The children keep the parent's winding, so the whole sphere faces outwards.
    subdivide(p, pq, pr, depth - 1, out);
    subdivide(q, qr, pq, depth - 1, out);
    subdivide(r, pr, qr, depth - 1, out);
    subdivide(pq, qr, pr, depth - 1, out);
}

} // namespace

std::vector<Vec3> generateSphereTriangles(int depth) {
    const Vec3 a{0.0f, 0.0f, 1.0f};
    const Vec3 b{0.94280905f, 0.0f, -0.33333334f};
    const Vec3 c{-0.47140452f, 0.8164966f, -0.33333334f};
    const Vec3 d{-0.47140452f, -0.8164966f, -0.33333334f};
    std::vector<Vec3> out;
    out.reserve(12u << (2 * depth));
    subdivide(b, d, c, depth, out);
    subdivide(d, a, c, depth, out);
    subdivide(a, b, c, depth, out);
    subdivide(b, a, d, depth, out);
    return out;
}

std::vector<Vec3> generateDiscVertices(int segments, float radius) {
    std::vector<Vec3> out;
    float step = 1.0f / static_cast<float>(segments);
    for (int i = 0; i < segments; ++i) {
        double angle = i * 2.0 * M_PI * step;
        out.push_back({static_cast<float>(radius * std::sin(angle)), 0.0f,
                       static_cast<float>(radius * std::cos(angle))});
    }
    return out;
}
