#include "nesting/facing_ends.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvex::nesting_internal {
namespace {

// Below this a harmonic carries no direction worth lining up (mm).
constexpr double kFlatHarmonic = 1e-6;

double GridAngle(int j) {
  return j * 2 * std::numbers::pi / kGridAngles;
}

int Wrapped(int degrees) {
  degrees %= kGridAngles;
  return degrees < 0 ? degrees + kGridAngles : degrees;
}

// The end on the grid, and the largest distance between the true end and the grid's straight
// pieces: both run straight between their own corners, so it is largest at an end's sample.
double Resample(const std::vector<double>& end, bool flipped, GridCurve& grid) {
  const auto value = [&](double degrees) {
    return flipped ? -EndXAt(end, -degrees) : EndXAt(end, degrees);
  };
  for (int j = 0; j < kGridAngles; ++j)
    grid[static_cast<std::size_t>(j)] = value(j);
  double stray = 0;
  const double n = static_cast<double>(end.size());
  for (std::size_t i = 0; i < end.size(); ++i) {
    const double degrees = (flipped ? -1.0 : 1.0) * 360.0 * static_cast<double>(i) / n;
    double at = std::fmod(degrees, 360.0);
    if (at < 0) at += 360.0;
    const int j = std::min(static_cast<int>(at), kGridAngles - 1);
    const double fraction = at - j;
    const double a = grid[static_cast<std::size_t>(j)];
    const double b = grid[static_cast<std::size_t>(Wrapped(j + 1))];
    const double x = (flipped ? -1.0 : 1.0) * end[i];
    stray = std::max(stray, std::fabs(x - (a + (b - a) * fraction)));
  }
  return stray;
}

std::array<std::complex<double>, 2> Harmonics(const GridCurve& curve) {
  std::array<std::complex<double>, 2> harmonics{};
  for (int j = 0; j < kGridAngles; ++j) {
    for (int m = 1; m <= 2; ++m) {
      harmonics[static_cast<std::size_t>(m - 1)] +=
          curve[static_cast<std::size_t>(j)] * std::polar(1.0, -m * GridAngle(j));
    }
  }
  for (auto& h : harmonics)
    h /= kGridAngles;
  return harmonics;
}

double Mean(const GridCurve& curve) {
  double sum = 0;
  for (double x : curve)
    sum += x;
  return sum / kGridAngles;
}

// The relative turns that line up harmonic m of both ends: the right one's left end, turned by
// k, has the phase of the left one's right end.
void AddAligningTurns(std::complex<double> leftsRight, std::complex<double> rightsLeft, int m,
                      std::vector<int>& turns) {
  if (std::abs(leftsRight) < kFlatHarmonic || std::abs(rightsLeft) < kFlatHarmonic) return;
  const double k = (std::arg(rightsLeft) - std::arg(leftsRight)) / m * 180 / std::numbers::pi;
  for (int copy = 0; copy < m; ++copy) {
    turns.push_back(Wrapped(static_cast<int>(std::lround(k + copy * 360.0 / m))));
  }
}

}  // namespace

Orientation OrientationOf(const PartEnds& ends, bool flipped) {
  Orientation o;
  // Turned end for end, the right end comes first along the stick.
  o.leftStray = Resample(flipped ? ends.right : ends.left, flipped, o.left);
  o.rightStray = Resample(flipped ? ends.left : ends.right, flipped, o.right);
  // The true extremes lie at the ends' own samples.
  const auto [leftLow, leftHigh] = std::minmax_element(ends.left.begin(), ends.left.end());
  const auto [rightLow, rightHigh] = std::minmax_element(ends.right.begin(), ends.right.end());
  o.minLeft = flipped ? -*rightHigh : *leftLow;
  o.maxRight = flipped ? -*leftLow : *rightHigh;
  o.meanLeft = Mean(o.left);
  o.meanRight = Mean(o.right);
  o.leftHarmonics = Harmonics(o.left);
  o.rightHarmonics = Harmonics(o.right);
  return o;
}

namespace {

// The spacing at a relative turn, or any value not below cutoff as soon as it is clear that the
// spacing reaches it: most turns tried lose, and the loss shows early.
double SpacingBelow(const Orientation& left, const Orientation& right, int turn, double kerf,
                    double cutoff) {
  // The right part turned by turn: its left end at angle j is its own at j − turn.
  const auto k = static_cast<std::size_t>(Wrapped(turn));
  const auto n = static_cast<std::size_t>(kGridAngles);
  const double limit = cutoff - left.rightStray - right.leftStray - kerf;
  constexpr std::size_t kChunk = 24;  // divides 360
  double reach = -INFINITY;
  for (std::size_t start = 0; start < n; start += kChunk) {
    for (std::size_t j = start; j < start + kChunk; ++j) {
      const std::size_t i = j >= k ? j - k : j + n - k;
      const double gap = left.right[j] - right.left[i];
      reach = gap > reach ? gap : reach;
    }
    if (reach >= limit) break;
  }
  return reach + left.rightStray + right.leftStray + kerf;
}

}  // namespace

double SpacingAt(const Orientation& left, const Orientation& right, int turn, double kerf) {
  return SpacingBelow(left, right, turn, kerf, INFINITY);
}

Junction BestJunction(const Orientation& left, const Orientation& right, double kerf) {
  std::vector<int> turns{0};
  for (int m = 1; m <= 2; ++m) {
    AddAligningTurns(left.rightHarmonics[static_cast<std::size_t>(m - 1)],
                     right.leftHarmonics[static_cast<std::size_t>(m - 1)], m, turns);
  }
  // Each turn is measured once; a measure cut short stands for "no better than the best".
  std::array<double, kGridAngles> measured;
  measured.fill(NAN);
  Junction best{INFINITY, 0};
  const auto spacing = [&](int turn) {
    double& m = measured[static_cast<std::size_t>(Wrapped(turn))];
    if (std::isnan(m)) m = SpacingBelow(left, right, turn, kerf, best.spacing);
    if (m < best.spacing) best = {m, Wrapped(turn)};
    return m;
  };
  for (int start : turns) {
    int here = start;
    double value = spacing(here);
    for (int step = 0; step < kGridAngles / 2; ++step) {
      const double down = spacing(here - 1);
      const double up = spacing(here + 1);
      if (std::min(down, up) >= value) break;
      here = down < up ? here - 1 : here + 1;
      value = std::min(down, up);
    }
  }
  return best;
}

}  // namespace korvex::nesting_internal
