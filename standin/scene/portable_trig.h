// Sine, cosine and arc tangent that give the same bits on every system.
// The C libraries differ in the last bit now and then (and mingw-w64's
// reduce angles with the x87's short pi, so its sin(pi) is off in the
// fifth digit); the host's angle conversions use these instead, so a scene
// mirrored on Windows is byte for byte the scene mirrored on Linux. They are
// built from plain IEEE double arithmetic only, accurate to within one unit
// in the last place.
#pragma once

namespace standin {

double PortableSin(double x);
double PortableCos(double x);
double PortableAtan2(double y, double x);

}  // namespace standin
