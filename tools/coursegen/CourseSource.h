// The readable source of a boat course and how it becomes the course grid.
// Header-only: coursegen builds the course files with it, and the tests use
// the same centre line to pilot a boat to the finish.
//
// A source file, one statement a line, '#' starts a comment:
//   seed N                      the seed of everything random in the course
//   point X Z WIDTH WATER RELIEF a point of the channel's centre line (cells):
//                               the channel's width there, its water type
//                               (1-5) and the height of the banks beside it
//   island X Z RADIUS HEIGHT    a rock of bank inside the water
//   hills N HEIGHT              N seeded hills on the banks, up to HEIGHT
//   obstacle X Z                an obstacle centred on (X, Z)
//   scatter N                   N seeded obstacles along the channel
// The centre line runs through the points in order on a smooth curve; the
// finish line lies across the channel's end. A course must let the boat
// reach the finish from the start (25, 30).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "minigames/BoatCourse.h"
#include "tools/common/Random.h"

namespace coursesource {

struct PathPoint {
    double x, z, width;
    int water;
    double relief;
};

struct Island {
    double x, z, radius, height;
};

struct CourseSource {
    std::uint32_t seed = 1;
    std::vector<PathPoint> points;
    std::vector<Island> islands;
    std::vector<std::pair<double, double>> obstacles;
    int scatter = 0;
    int hills = 0;
    double hillHeight = 0.0;
    std::vector<std::string> errors;
};

// One sample of the smooth centre line, about half a cell apart.
struct Sample {
    double x, z;
    double tx, tz;  // unit tangent
    double width;
    int water;
    double relief;
};

constexpr int kBorder = 3;  // cells of bank kept along every edge of the grid

inline CourseSource parseCourseSource(std::istream& in) {
    CourseSource s;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string word;
        if (!(words >> word)) continue;
        auto fail = [&](const char* what) { s.errors.push_back("line " + std::to_string(number) + ": " + what); };
        if (word == "seed") {
            long seed;
            if (!(words >> seed)) fail("seed wants a number");
            else s.seed = static_cast<std::uint32_t>(seed);
        } else if (word == "point") {
            PathPoint p{};
            if (!(words >> p.x >> p.z >> p.width >> p.water >> p.relief)) fail("point wants X Z WIDTH WATER RELIEF");
            else if (p.water < 1 || p.water > 5) fail("water types are 1 to 5");
            else if (p.width < 4.0) fail("a channel narrower than 4 cells");
            else if (p.x - p.width / 2 < kBorder || p.z - p.width / 2 < kBorder ||
                     p.x + p.width / 2 > kCourseSize - kBorder || p.z + p.width / 2 > kCourseSize - kBorder)
                fail("the channel leaves the grid");
            else s.points.push_back(p);
        } else if (word == "island") {
            Island i{};
            if (!(words >> i.x >> i.z >> i.radius >> i.height)) fail("island wants X Z RADIUS HEIGHT");
            else s.islands.push_back(i);
        } else if (word == "hills") {
            if (!(words >> s.hills >> s.hillHeight)) fail("hills wants N HEIGHT");
        } else if (word == "obstacle") {
            double x, z;
            if (!(words >> x >> z)) fail("obstacle wants X Z");
            else s.obstacles.emplace_back(x, z);
        } else if (word == "scatter") {
            if (!(words >> s.scatter)) fail("scatter wants N");
        } else {
            fail(("unknown statement " + word).c_str());
        }
    }
    if (s.points.size() < 2) s.errors.push_back("a course needs two points at least");
    if (s.obstacles.size() + static_cast<std::size_t>(std::max(0, s.scatter)) > kCourseObstacleCount)
        s.errors.push_back("more than 100 obstacles");
    return s;
}

inline CourseSource loadCourseSourceFile(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        CourseSource s;
        s.errors.push_back("cannot open " + path);
        return s;
    }
    return parseCourseSource(in);
}

// The centre line: a Catmull-Rom curve through the points.
inline std::vector<Sample> sampleCentreLine(const CourseSource& s) {
    std::vector<Sample> out;
    const int n = static_cast<int>(s.points.size());
    for (int i = 0; i + 1 < n; ++i) {
        const PathPoint& p0 = s.points[std::max(0, i - 1)];
        const PathPoint& p1 = s.points[i];
        const PathPoint& p2 = s.points[i + 1];
        const PathPoint& p3 = s.points[std::min(n - 1, i + 2)];
        const double length = std::hypot(p2.x - p1.x, p2.z - p1.z);
        const int steps = std::max(1, static_cast<int>(std::ceil(length / 0.5)));
        for (int k = 0; k < steps; ++k) {
            const double t = static_cast<double>(k) / steps;
            const double t2 = t * t, t3 = t2 * t;
            auto curve = [&](double a, double b, double c, double d) {
                return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
            };
            auto slope = [&](double a, double b, double c, double d) {
                return 0.5 * ((-a + c) + 2 * (2 * a - 5 * b + 4 * c - d) * t + 3 * (-a + 3 * b - 3 * c + d) * t2);
            };
            Sample q{};
            q.x = curve(p0.x, p1.x, p2.x, p3.x);
            q.z = curve(p0.z, p1.z, p2.z, p3.z);
            double tx = slope(p0.x, p1.x, p2.x, p3.x), tz = slope(p0.z, p1.z, p2.z, p3.z);
            const double norm = std::hypot(tx, tz);
            q.tx = norm > 0 ? tx / norm : 0.0;
            q.tz = norm > 0 ? tz / norm : 1.0;
            q.width = p1.width + (p2.width - p1.width) * t;
            q.water = p1.water;
            q.relief = p1.relief + (p2.relief - p1.relief) * t;
            out.push_back(q);
        }
    }
    const PathPoint& last = s.points.back();
    Sample end = out.empty() ? Sample{last.x, last.z, 0, 1, last.width, last.water, last.relief} : out.back();
    end.x = last.x;
    end.z = last.z;
    end.width = last.width;
    out.push_back(end);
    return out;
}

inline bool cellInside(int x, int z) {
    return x >= kBorder && z >= kBorder && x < kCourseSize - kBorder && z < kCourseSize - kBorder;
}

// A cell the boat can cross with room to spare: water, and so are its eight
// neighbours.
inline bool roomyWater(int x, int z) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dz = -1; dz <= 1; ++dz) {
            const int cx = x + dx, cz = z + dz;
            if (cx < 0 || cz < 0 || cx >= kCourseSize || cz >= kCourseSize) return false;
            if (gCourseCells[courseIndex(cx, cz)].type == kCourseBank) return false;
        }
    return true;
}

// True when the finish can be reached from the start cell through roomy
// water that keeps clear of every present obstacle.
inline bool courseFinishable(int startX = 25, int startZ = 30) {
    std::vector<std::uint8_t> blocked(kCourseCellCount, 0);
    for (const CourseObstacle& o : gCourseObstacles) {
        if (o.present == 0) continue;
        const int ox = static_cast<int>(o.x + 0.5), oz = static_cast<int>(o.z);
        for (int dx = -1; dx <= 1; ++dx)
            for (int dz = -1; dz <= 1; ++dz) {
                const int cx = ox + dx, cz = oz + dz;
                if (cx >= 0 && cz >= 0 && cx < kCourseSize && cz < kCourseSize) blocked[courseIndex(cx, cz)] = 1;
            }
    }
    std::vector<std::uint8_t> seen(kCourseCellCount, 0);
    std::deque<std::pair<int, int>> open;
    if (!roomyWater(startX, startZ)) return false;
    open.emplace_back(startX, startZ);
    seen[courseIndex(startX, startZ)] = 1;
    while (!open.empty()) {
        const auto [x, z] = open.front();
        open.pop_front();
        if (gCourseCells[courseIndex(x, z)].goal != 0) return true;
        static const int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& d : kSteps) {
            const int nx = x + d[0], nz = z + d[1];
            if (nx < 1 || nz < 1 || nx >= kCourseSize - 1 || nz >= kCourseSize - 1) continue;
            const int i = courseIndex(nx, nz);
            if (seen[i] || blocked[i] || !roomyWater(nx, nz)) continue;
            seen[i] = 1;
            open.emplace_back(nx, nz);
        }
    }
    return false;
}

// Builds the course into gCourseCells and gCourseObstacles. Returns the
// problems found (empty for a good course): a start on the bank, no finish,
// a finish out of reach.
inline std::vector<std::string> buildCourse(const CourseSource& s) {
    std::vector<std::string> problems;
    clearCourse();
    const std::vector<Sample> line = sampleCentreLine(s);
    pic::Random random(s.seed);

    // Water along the centre line; each water cell keeps the bank height of
    // the stretch it belongs to, which the banks beside it take on.
    std::vector<float> relief(kCourseCellCount, 0.0f);
    std::vector<int> nearestSample(kCourseCellCount, -1);
    for (int k = 0; k < static_cast<int>(line.size()); ++k) {
        const Sample& q = line[k];
        const double r = q.width / 2.0;
        for (int x = static_cast<int>(q.x - r) - 1; x <= static_cast<int>(q.x + r) + 1; ++x)
            for (int z = static_cast<int>(q.z - r) - 1; z <= static_cast<int>(q.z + r) + 1; ++z) {
                if (!cellInside(x, z)) continue;
                if (std::hypot(x + 0.5 - q.x, z + 0.5 - q.z) > r) continue;
                CourseCell& cell = gCourseCells[courseIndex(x, z)];
                if (cell.type == kCourseBank) {
                    cell.type = static_cast<std::uint8_t>(q.water);
                    relief[courseIndex(x, z)] = static_cast<float>(q.relief);
                    nearestSample[courseIndex(x, z)] = k;
                }
            }
    }
    for (const Island& i : s.islands) {
        for (int x = static_cast<int>(i.x - i.radius) - 1; x <= static_cast<int>(i.x + i.radius) + 1; ++x)
            for (int z = static_cast<int>(i.z - i.radius) - 1; z <= static_cast<int>(i.z + i.radius) + 1; ++z) {
                if (!cellInside(x, z)) continue;
                if (std::hypot(x + 0.5 - i.x, z + 0.5 - i.z) <= i.radius) gCourseCells[courseIndex(x, z)].type = kCourseBank;
            }
    }

    // The finish line: the water across the channel's last few cells.
    const Sample& end = line.back();
    int goals = 0;
    for (int x = static_cast<int>(end.x - end.width) - 2; x <= static_cast<int>(end.x + end.width) + 2; ++x)
        for (int z = static_cast<int>(end.z - end.width) - 2; z <= static_cast<int>(end.z + end.width) + 2; ++z) {
            if (!cellInside(x, z)) continue;
            CourseCell& cell = gCourseCells[courseIndex(x, z)];
            if (cell.type == kCourseBank) continue;
            const double dx = x + 0.5 - end.x, dz = z + 0.5 - end.z;
            if (std::hypot(dx, dz) > end.width / 2.0 + 1.0) continue;
            if (dx * end.tx + dz * end.tz < -2.5) continue;
            cell.goal = 1;
            ++goals;
        }
    if (goals == 0) problems.push_back("no finish line");

    // Distance of every cell from the water (a two-pass chamfer, in cells),
    // carrying the bank height of the nearest water.
    std::vector<float> distance(kCourseCellCount, 1e9f);
    for (int i = 0; i < kCourseCellCount; ++i)
        if (gCourseCells[i].type != kCourseBank) distance[i] = 0.0f;
    auto relax = [&](int x, int z, int nx, int nz, float step) {
        if (nx < 0 || nz < 0 || nx >= kCourseSize || nz >= kCourseSize) return;
        const int i = courseIndex(x, z), n = courseIndex(nx, nz);
        if (distance[n] + step < distance[i]) {
            distance[i] = distance[n] + step;
            relief[i] = relief[n];
        }
    };
    for (int x = 0; x < kCourseSize; ++x)
        for (int z = 0; z < kCourseSize; ++z) {
            relax(x, z, x - 1, z, 1.0f);
            relax(x, z, x, z - 1, 1.0f);
            relax(x, z, x - 1, z - 1, 1.4142f);
            relax(x, z, x - 1, z + 1, 1.4142f);
        }
    for (int x = kCourseSize - 1; x >= 0; --x)
        for (int z = kCourseSize - 1; z >= 0; --z) {
            relax(x, z, x + 1, z, 1.0f);
            relax(x, z, x, z + 1, 1.0f);
            relax(x, z, x + 1, z + 1, 1.4142f);
            relax(x, z, x + 1, z - 1, 1.4142f);
        }
    // A grid with no water at all keeps its banks flat.
    for (int i = 0; i < kCourseCellCount; ++i)
        if (distance[i] > 1e8f) distance[i] = 0.0f;

    // Hills on the banks, seeded.
    struct Hill {
        double x, z, radius, height;
    };
    std::vector<Hill> hillList;
    for (int h = 0; h < s.hills; ++h) {
        Hill hill{};
        hill.x = kBorder + random.unit() * (kCourseSize - 2 * kBorder);
        hill.z = kBorder + random.unit() * (kCourseSize - 2 * kBorder);
        hill.radius = 5.0 + random.unit() * 12.0;
        hill.height = s.hillHeight * (0.4 + 0.6 * random.unit());
        hillList.push_back(hill);
    }

    // Heights at the grid points: 0 wherever a neighbouring cell is water, so
    // the water lies flat and the shore starts at the waterline; rising
    // inland toward the stretch's bank height, with hills, rocks and a
    // little grain.
    std::vector<float> heights(kCourseCellCount, 0.0f);
    for (int x = 0; x < kCourseSize; ++x)
        for (int z = 0; z < kCourseSize; ++z) {
            bool wet = false;
            float d = 1e9f, r = 0.0f;
            for (int dx = -1; dx <= 0; ++dx)
                for (int dz = -1; dz <= 0; ++dz) {
                    const int cx = x + dx, cz = z + dz;
                    if (cx < 0 || cz < 0) continue;
                    const int i = courseIndex(cx, cz);
                    if (gCourseCells[i].type != kCourseBank) wet = true;
                    if (distance[i] < d) {
                        d = distance[i];
                        r = relief[i];
                    }
                }
            const double grain = random.unit();
            if (wet) continue;
            double h = r * (1.0 - std::exp(-d / 4.0)) * (0.85 + 0.3 * grain);
            const double shore = std::min(1.0, d / 3.0);
            for (const Hill& hill : hillList) {
                const double e = std::hypot(x - hill.x, z - hill.z) / hill.radius;
                if (e < 3.0) h += hill.height * std::exp(-e * e) * shore;
            }
            for (const Island& i : s.islands) {
                const double e = std::hypot(x - i.x, z - i.z);
                if (e < i.radius) h += i.height * (1.0 - e / i.radius);
            }
            heights[courseIndex(x, z)] = static_cast<float>(h);
        }
    for (int i = 0; i < kCourseCellCount; ++i) gCourseCells[i].height = heights[i];

    // Obstacles: the listed ones, then the scattered ones along the middle
    // of the run, each with water around it and away from the others.
    int slot = 0;
    auto place = [&](double cx, double cz) {
        if (slot >= kCourseObstacleCount) return false;
        CourseObstacle& o = gCourseObstacles[slot++];
        o.present = 1;
        o.hit = 0;
        o.x = static_cast<float>(cx - 0.5);
        o.z = static_cast<float>(cz);
        o.y = 0.0f;
        return true;
    };
    for (const auto& [x, z] : s.obstacles) place(x, z);
    if (!courseFinishable()) problems.push_back("the finish cannot be reached even before the scattered obstacles");
    const int first = std::min(static_cast<int>(line.size()) - 1, 80);
    const int last = std::max(first, static_cast<int>(line.size()) - 40);
    int n = 0;
    for (int tries = 0; n < s.scatter && tries < 10000; ++tries) {
        const Sample& q = line[first + random.below(last - first + 1)];
        const double across = (random.unit() * 2.0 - 1.0) * std::max(0.0, q.width / 2.0 - 3.0);
        const double cx = q.x - q.tz * across, cz = q.z + q.tx * across;
        const int ix = static_cast<int>(cx), iz = static_cast<int>(cz);
        bool clear = cellInside(ix, iz);
        for (int dx = -2; clear && dx <= 2; ++dx)
            for (int dz = -2; clear && dz <= 2; ++dz) {
                const CourseCell& c = gCourseCells[courseIndex(ix + dx, iz + dz)];
                if (c.type == kCourseBank || c.goal != 0) clear = false;
            }
        for (int k = 0; clear && k < slot; ++k)
            if (std::hypot(gCourseObstacles[k].x + 0.5 - cx, gCourseObstacles[k].z - cz) < 4.0) clear = false;
        if (!clear) continue;
        place(cx, cz);
        // An obstacle that closes the way (beside another, or in a bend) goes.
        if (!courseFinishable()) {
            gCourseObstacles[--slot] = CourseObstacle{0, 0, 0.0f, 0.0f, 0.0f};
            continue;
        }
        ++n;
    }

    if (courseCellType(25.0f, 30.0f) == kCourseBank) problems.push_back("the start (25, 30) is on the bank");
    else if (!courseFinishable()) problems.push_back("the finish cannot be reached from the start");
    else if (n < s.scatter) problems.push_back("room for only " + std::to_string(n) + " scattered obstacles");
    return problems;
}

}  // namespace coursesource
