#include "render/Meshes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 minus(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

} // namespace

TEST(Meshes, SphereHasFourTimesFourToTheDepthTrianglesOnTheUnitSphere) {
    EXPECT_EQ(generateSphereTriangles(0).size(), 12u);
    std::vector<Vec3> sphere = generateSphereTriangles(4);
    ASSERT_EQ(sphere.size(), 3u * 1024u);
    for (const Vec3& v : sphere)
        EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), 1.0, 1e-6);
    // The first triangle is the corner of the first face at its first vertex.
    EXPECT_FLOAT_EQ(sphere[0].x, 0.94280905f);
    EXPECT_FLOAT_EQ(sphere[0].z, -0.33333334f);
}

TEST(Meshes, EverySphereTriangleFacesOutwards) {
    std::vector<Vec3> sphere = generateSphereTriangles(4);
    for (size_t i = 0; i < sphere.size(); i += 3) {
        Vec3 normal = cross(minus(sphere[i + 1], sphere[i]), minus(sphere[i + 2], sphere[i]));
        Vec3 centre{(sphere[i].x + sphere[i + 1].x + sphere[i + 2].x) / 3,
                    (sphere[i].y + sphere[i + 1].y + sphere[i + 2].y) / 3,
                    (sphere[i].z + sphere[i + 1].z + sphere[i + 2].z) / 3};
        EXPECT_GT(normal.x * centre.x + normal.y * centre.y + normal.z * centre.z, 0.0f)
            << "triangle " << i / 3;
    }
}

TEST(Meshes, DiscStartsOnPlusZAndTurnsCounterClockwiseSeenFromAbove) {
    std::vector<Vec3> disc = generateDiscVertices(32, 0.35f);
    ASSERT_EQ(disc.size(), 32u);
    EXPECT_FLOAT_EQ(disc[0].z, 0.35f);
    EXPECT_NEAR(disc[0].x, 0.0f, 1e-7);
    EXPECT_NEAR(disc[8].x, 0.35f, 1e-6);
    EXPECT_NEAR(disc[8].z, 0.0f, 1e-6);
    // Seen from +y (looking down -y), x to the right means z points towards the viewer's
    // bottom; the outline's signed area in the (z, x) plane is positive for this winding.
    double area = 0;
    for (size_t i = 0; i < disc.size(); ++i) {
        const Vec3& a = disc[i];
        const Vec3& b = disc[(i + 1) % disc.size()];
        area += a.z * b.x - b.z * a.x;
    }
    EXPECT_GT(area, 0.0);
}
