// The classic argument reduction and minimax polynomials of the freely
// distributable Sun math library (fdlibm 5.3), rewritten without its
// word-level tricks where a comparison of doubles says the same.
#include "scene/portable_trig.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace standin {
namespace {

// The upper 32 bits of |x|'s representation: its exponent and first bits.
uint32_t HighWord(double x) { return static_cast<uint32_t>(std::bit_cast<uint64_t>(x) >> 32) & 0x7fffffffu; }

// sin on [-pi/4, pi/4] of x + tail (tail is the low part of a reduced angle).
double KernelSin(double x, double tail) {
  constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                   S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                   S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
  if (HighWord(x) < 0x3e400000u) return x;  // |x| < 2^-27: sin x rounds to x
  const double z = x * x, v = z * x;
  const double r = S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)));
  return x - ((z * (0.5 * tail - v * r) - tail) - v * S1);
}

// cos on [-pi/4, pi/4] of x + tail.
double KernelCos(double x, double tail) {
  constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                   C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                   C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;
  const uint32_t high = HighWord(x);
  if (high < 0x3e400000u) return 1.0;  // |x| < 2^-27
  const double z = x * x;
  const double r = z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
  if (high < 0x3fd33333u) return 1.0 - (0.5 * z - (z * r - x * tail));  // |x| < 0.3
  // 1 - z/2 loses bits here: take a quarter of x's size out exactly first.
  const double quarter = high > 0x3fe90000u ? 0.28125 : std::bit_cast<double>(uint64_t{high - 0x00200000u} << 32);
  const double hz = 0.5 * z - quarter;
  return (1.0 - quarter) - (hz - (z * r - x * tail));
}

// x - n * pi/2 as head + tail with n (mod 4) returned, for any finite x.
int ReduceByHalfPi(double x, double& head, double& tail) {
  // pi/2 in three 33-bit parts, each with the rest of pi/2 after it.
  constexpr double kTwoOverPi = 6.36619772367581382433e-01;
  constexpr double kPio2_1 = 1.57079632673412561417e+00, kPio2_1t = 6.07710050650619224932e-11;
  constexpr double kPio2_2 = 6.07710050630396597660e-11, kPio2_2t = 2.02226624879595063154e-21;
  constexpr double kPio2_3 = 2.02226624871116645580e-21, kPio2_3t = 8.47842766036889956997e-32;
  // n * pi/2 is exact in the parts above while n < 2^20. Larger angles are
  // first brought into range by an exact remainder of a double 2 pi: not
  // the true angle any more, but the same on every system.
  double t = std::fabs(x);
  if (t > 1.0e6) t = std::fmod(t, 6.28318530717958647692);
  const double fn = std::floor(t * kTwoOverPi + 0.5);
  const int n = static_cast<int>(fn);
  double r = t - fn * kPio2_1;
  double w = fn * kPio2_1t;
  head = r - w;
  const int exponent = static_cast<int>(HighWord(t) >> 20);
  if (exponent - static_cast<int>(HighWord(head) >> 20) > 16) {  // cancellation: one more part
    const double before = r;
    w = fn * kPio2_2;
    r = before - w;
    w = fn * kPio2_2t - ((before - r) - w);
    head = r - w;
    if (exponent - static_cast<int>(HighWord(head) >> 20) > 49) {  // and the last one
      const double again = r;
      w = fn * kPio2_3;
      r = again - w;
      w = fn * kPio2_3t - ((again - r) - w);
      head = r - w;
    }
  }
  tail = (r - head) - w;
  if (x < 0) {
    head = -head;
    tail = -tail;
    return -n & 3;
  }
  return n & 3;
}

double Atan(double x) {
  constexpr double kAtanHi[] = {4.63647609000806093515e-01, 7.85398163397448278999e-01, 9.82793723247329054082e-01,
                                1.57079632679489655800e+00};
  constexpr double kAtanLo[] = {2.26987774529616870924e-17, 3.06161699786838301793e-17, 1.39033110312309984516e-17,
                                6.12323399573676603587e-17};
  constexpr double aT[] = {3.33333333333329318027e-01,  -1.99999999998764832476e-01, 1.42857142725034663711e-01,
                           -1.11111104054623557880e-01, 9.09088713343650656196e-02,  -7.69187620504482999495e-02,
                           6.66107313738753120669e-02,  -5.83357013379057348645e-02, 4.97687799461593236017e-02,
                           -3.65315727442169155270e-02, 1.62858201153657823623e-02};
  const uint32_t high = HighWord(x);
  if (high >= 0x44100000u) {  // |x| >= 2^66, or not a number
    if (std::isnan(x)) return x + x;
    return std::signbit(x) ? -(kAtanHi[3] + kAtanLo[3]) : kAtanHi[3] + kAtanLo[3];
  }
  int id = -1;
  double a = x;
  if (high < 0x3fdc0000u) {                  // |x| < 0.4375
    if (high < 0x3e200000u) return x;        // |x| < 2^-29: atan x rounds to x
  } else {
    a = std::fabs(x);
    if (high < 0x3ff30000u) {                // |x| < 1.1875
      if (high < 0x3fe60000u) {              // 7/16 <= |x| < 11/16
        id = 0;
        a = (2.0 * a - 1.0) / (2.0 + a);
      } else {                               // 11/16 <= |x| < 19/16
        id = 1;
        a = (a - 1.0) / (a + 1.0);
      }
    } else if (high < 0x40038000u) {         // |x| < 2.4375
      id = 2;
      a = (a - 1.5) / (1.0 + 1.5 * a);
    } else {                                 // 2.4375 <= |x| < 2^66
      id = 3;
      a = -1.0 / a;
    }
  }
  const double z = a * a, w = z * z;
  const double s1 = z * (aT[0] + w * (aT[2] + w * (aT[4] + w * (aT[6] + w * (aT[8] + w * aT[10])))));
  const double s2 = w * (aT[1] + w * (aT[3] + w * (aT[5] + w * (aT[7] + w * aT[9]))));
  if (id < 0) return a - a * (s1 + s2);
  const double result = kAtanHi[id] - ((a * (s1 + s2) - kAtanLo[id]) - a);
  return std::signbit(x) ? -result : result;
}

}  // namespace

double PortableSin(double x) {
  if (HighWord(x) <= 0x3fe921fbu) return KernelSin(x, 0.0);  // |x| <= pi/4
  if (!std::isfinite(x)) return x - x;
  double head = 0, tail = 0;
  switch (ReduceByHalfPi(x, head, tail)) {
    case 0: return KernelSin(head, tail);
    case 1: return KernelCos(head, tail);
    case 2: return -KernelSin(head, tail);
    default: return -KernelCos(head, tail);
  }
}

double PortableCos(double x) {
  if (HighWord(x) <= 0x3fe921fbu) return KernelCos(x, 0.0);
  if (!std::isfinite(x)) return x - x;
  double head = 0, tail = 0;
  switch (ReduceByHalfPi(x, head, tail)) {
    case 0: return KernelCos(head, tail);
    case 1: return -KernelSin(head, tail);
    case 2: return -KernelCos(head, tail);
    default: return KernelSin(head, tail);
  }
}

double PortableAtan2(double y, double x) {
  constexpr double kPi = 3.1415926535897931160e+00, kPiLo = 1.2246467991473531772e-16;
  constexpr double kHalfPi = 1.5707963267948965580e+00, kQuarterPi = 7.8539816339744827900e-01;
  if (std::isnan(x) || std::isnan(y)) return x + y;
  if (x == 1.0) return Atan(y);
  const bool y_negative = std::signbit(y), x_negative = std::signbit(x);
  if (y == 0) return x_negative ? (y_negative ? -kPi : kPi) : y;
  if (x == 0) return y_negative ? -kHalfPi : kHalfPi;
  if (std::isinf(x)) {
    const double angle = std::isinf(y) ? (x_negative ? 3.0 * kQuarterPi : kQuarterPi) : (x_negative ? kPi : 0.0);
    return y_negative ? -angle : angle;
  }
  if (std::isinf(y)) return y_negative ? -kHalfPi : kHalfPi;
  const int exponents = static_cast<int>(HighWord(y) >> 20) - static_cast<int>(HighWord(x) >> 20);
  double z = 0;
  if (exponents > 60) {
    z = kHalfPi + 0.5 * kPiLo;  // |y/x| > 2^60
  } else if (x_negative && exponents < -60) {
    z = 0.0;  // |y/x| < 2^-60 with x < 0
  } else {
    z = Atan(std::fabs(y / x));
  }
  if (!x_negative) return y_negative ? -z : z;
  return y_negative ? (z - kPiLo) - kPi : kPi - (z - kPiLo);
}

}  // namespace standin
