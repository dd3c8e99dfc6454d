// Conversions between matrices and HPB angles through the host table, and
// the plug-in's placement rebuild on top of them.
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "host/host_table.h"
#include "mirror_support.h"
#include "scene/portable_trig.h"
#include "scene/rotation.h"
#include "scene_testing.h"
#include "table/host_table.h"

namespace standin::testing {
namespace {

constexpr double kPi = std::numbers::pi;

class RotationTest : public SceneTest {
 protected:
  VtMatrix ToMatrix(VtVector hpb) {
    VtMatrix m;
    ops.hpb_to_matrix(&hpb, VT_ROTATIONORDER_HPB, &m);
    return m;
  }
  VtVector ToAngles(const VtMatrix& m) {
    VtVector hpb;
    ops.matrix_to_hpb(&m, VT_ROTATIONORDER_HPB, &hpb);
    return hpb;
  }
};

double Distance(const VtVector& a, const VtVector& b) {
  return std::max({std::abs(a.x - b.x), std::abs(a.y - b.y), std::abs(a.z - b.z)});
}

double AxisDistance(const VtMatrix& a, const VtMatrix& b) {
  return std::max({Distance(a.v1, b.v1), Distance(a.v2, b.v2), Distance(a.v3, b.v3)});
}

TEST_F(RotationTest, AnglesRoundTripAwayFromTheGimbal) {
  const VtVector cases[] = {{0, 0, 0},         {0.5, 0.2, 0.1},     {-0.5, 0.2, -0.1}, {3, -1.5, 2.5},
                            {-3.1, 1.2, -3.1}, {1e-9, -1e-9, 1e-9}, {2, 1.5707, 0.3}};
  for (const VtVector& hpb : cases) {
    EXPECT_LT(Distance(ToAngles(ToMatrix(hpb)), hpb), 1e-9) << hpb.x << " " << hpb.y << " " << hpb.z;
  }
  // H turns about Y first: a quarter turn takes the first axis to -Z.
  EXPECT_LT(Distance(ToMatrix({kPi / 2, 0, 0}).v1, {0, 0, -1}), 1e-15);
}

TEST_F(RotationTest, MatricesRoundTripEvenNearAndAtTheGimbal) {
  const double near = kPi / 2 - 1e-10;
  const VtVector cases[] = {{0.3, near, 0.7},  {0.3, -near, -0.7}, {0.3, kPi / 2, 0.7},
                            {-2, -kPi / 2, 1}, {1, 0.4, -2},       {0, kPi / 2, 0}};
  for (const VtVector& hpb : cases) {
    SCOPED_TRACE(::testing::Message() << hpb.x << " " << hpb.y << " " << hpb.z);
    const VtMatrix m = ToMatrix(hpb);
    const VtVector angles = ToAngles(m);
    EXPECT_LE(std::abs(angles.y), kPi / 2);
    EXPECT_LT(AxisDistance(ToMatrix(angles), m), 1e-9);
  }
  // Rounding noise, as a matrix read back from text carries, must not be
  // magnified near the gimbal.
  for (double eps : {1e-6, 1e-8, 1e-11}) {
    VtMatrix noisy = ToMatrix({0.3, kPi / 2 - eps, 0.7});
    noisy.v3.x += 1e-16;
    noisy.v1.y += 1e-16;
    EXPECT_LT(AxisDistance(ToMatrix(ToAngles(noisy)), noisy), 1e-14) << eps;
  }
  // At the gimbal only H - B (or H + B) is defined and B is given as 0.
  const VtVector locked = ToAngles(ToMatrix({0.3, kPi / 2, 0.7}));
  EXPECT_EQ(locked.z, 0.0);
  EXPECT_NEAR(locked.x, 0.3 - 0.7, 1e-12);
}

TEST_F(RotationTest, ScaledAndDegenerateMatricesGiveFiniteAngles) {
  VtMatrix scaled = ToMatrix({0.5, 0.2, 0.1});
  for (VtVector* axis : {&scaled.v1, &scaled.v2, &scaled.v3}) *axis = {axis->x * 3, axis->y * 3, axis->z * 3};
  EXPECT_LT(Distance(ToAngles(scaled), {0.5, 0.2, 0.1}), 1e-12);

  const double nan = std::nan("");
  const VtMatrix degenerate[] = {
      {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {{0, 0, 0}, {nan, 0, 0}, {0, 1, 0}, {0, 0, 1}},
      {{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 0, 0}},
  };
  for (const VtMatrix& m : degenerate) {
    const VtVector angles = ToAngles(m);
    EXPECT_TRUE(std::isfinite(angles.x) && std::isfinite(angles.y) && std::isfinite(angles.z));
  }
  // A flattened object (one axis of length zero) keeps its whole rotation.
  for (VtVector VtMatrix::*axis : {&VtMatrix::v1, &VtMatrix::v2, &VtMatrix::v3}) {
    VtMatrix flat = ToMatrix({0.5, 0.2, 0.1});
    flat.*axis = {0, 0, 0};
    EXPECT_LT(Distance(ToAngles(flat), {0.5, 0.2, 0.1}), 1e-12);
  }
}

// Axes far from length one keep their lengths through the plug-in's
// placement rebuild.
TEST_F(RotationTest, TinyAndHugeAxesKeepTheirLengthsThroughThePlugin) {
  ASSERT_TRUE(vitrel::host::Bind(&StandinHostTable()));
  Matrix& m = Add(5140, "Scaled")->data.matrix = HpbToMatrix({0.5, 0.2, 0.1});
  m.v1 = {m.v1.x * 1e-170, m.v1.y * 1e-170, m.v1.z * 1e-170};
  m.v2 = {m.v2.x * 1e200, m.v2.y * 1e200, m.v2.z * 1e200};
  ops.document_start_undo(vdoc());
  vitrel::mirror::ReorientByAngles(BaseObject::FromHandle(H(doc().first())), vitrel::mirror::Turn::kHeading,
                                   kPi, BaseDocument::FromHandle(vdoc()));
  ops.document_end_undo(vdoc());
  vitrel::host::Unbind();
  EXPECT_NEAR(Length(m.v1) / 1e-170, 1, 1e-12);
  EXPECT_NEAR(Length(m.v2) / 1e200, 1, 1e-12);
}

}  // namespace
}  // namespace standin::testing

namespace standin::testing {
namespace {

// Whether `value` is within two units in the last place of the C library's
// `reference`, allowing the library's own error in reducing an angle of size
// `angle` (mingw-w64's, with the x87's 66-bit pi, is about angle * 2^-66).
bool Near(double value, double reference, double angle) {
  const double ulp = std::nextafter(std::abs(reference), INFINITY) - std::abs(reference);
  return std::abs(value - reference) <= 2 * ulp + std::abs(angle) * 0x1p-60;
}

// The host's own trigonometry agrees with the C library's over many
// magnitudes, and keeps the exact cases exact: the signs of zero and the
// quadrants of atan2, sin(pi) as the rest of pi.
TEST(PortableTrigonometry, AgreesWithTheCLibraryAndIsExactWhereItMustBe) {
  uint64_t state = 88172645463325252u;
  const auto next = [&state] {
    state ^= state << 13, state ^= state >> 7, state ^= state << 17;
    return static_cast<double>(state >> 11) / 9007199254740992.0 * 2 - 1;
  };
  for (int i = 0; i < 200000; ++i) {
    const double scale = std::pow(10.0, 3 * next() + 1);
    const double a = next() * scale, y = next() * scale, x = next() * scale;
    ASSERT_TRUE(Near(PortableSin(a), std::sin(a), a)) << a;
    ASSERT_TRUE(Near(PortableCos(a), std::cos(a), a)) << a;
    ASSERT_TRUE(Near(PortableAtan2(y, x), std::atan2(y, x), 0)) << y << ", " << x;
  }
  EXPECT_EQ(PortableSin(kPi), 1.2246467991473532e-16);
  EXPECT_EQ(PortableCos(kPi), -1.0);
  EXPECT_EQ(PortableSin(kPi / 2), 1.0);
  for (double y : {0.0, -0.0, 2.0, -2.0}) {
    for (double x : {0.0, -0.0, 3.0, -3.0}) {
      EXPECT_EQ(std::bit_cast<uint64_t>(PortableAtan2(y, x)), std::bit_cast<uint64_t>(std::atan2(y, x)))
          << y << ", " << x;
    }
  }
}

}  // namespace
}  // namespace standin::testing
