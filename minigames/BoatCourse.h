// A boat course: 500 x 500 cells of bank or water with a terrain height at
// every grid point, a finish line on some cells, and up to 100 obstacles
// floating on the water. One file per course, "./Data/Boat_<n>.dat": no
// header, the cells x-major (6 bytes each: type, height, goal), then the
// obstacles (13 bytes each: present, x, y, z), all little-endian.
#pragma once

#include <cstdint>

constexpr int kCourseSize = 500;                 // cells along x and along z
constexpr int kCourseCellCount = kCourseSize * kCourseSize;
constexpr int kCourseObstacleCount = 100;
constexpr int kCourseCellRecordSize = 6;
constexpr int kCourseObstacleRecordSize = 13;
constexpr long kCourseFileSize =
    static_cast<long>(kCourseCellCount) * kCourseCellRecordSize + kCourseObstacleCount * kCourseObstacleRecordSize;  // 1,501,300

constexpr std::uint8_t kCourseBank = 0;  // the boat cannot enter it; any other type is water

struct CourseCell {
    std::uint8_t type;    // 0 bank, 1-5 water (the editor cycles 0-5)
    float height;         // terrain height at the grid point (x, z), the cell's low corner
    std::uint8_t goal;    // 1 on the finish line
};

struct CourseObstacle {
    std::uint8_t present;
    std::uint8_t hit;     // hit in this race; never stored
    float x, y, z;        // x and z in cell units, y the terrain height
};

// Cell (x, z) is entry x * 500 + z.
extern CourseCell gCourseCells[kCourseCellCount];
extern CourseObstacle gCourseObstacles[kCourseObstacleCount];

inline int courseIndex(int x, int z) { return x * kCourseSize + z; }

// "./Data/Boat_<course>.dat".
const char* coursePath(int course, char* out, int outSize);

// Reads the course file into the arrays; the hit flags are left alone.
// A missing file gives an all-bank course with no obstacles (the boat cannot
// move). A short file keeps what it holds and makes every record it lacks
// bank at height 0 (or an absent obstacle). Each problem is logged on stderr.
// Returns 0 for a whole file, 1 otherwise.
int loadCourse(int course);
int readCourseFile(const char* path);
// Writes the arrays to the course file; a file that cannot be opened or
// written is reported on stderr, the old file is left whole, and 1 returned.
int saveCourse(int course);
int writeCourseFile(const char* path);

// The type of the cell under the point (x and z truncated toward zero).
// A point outside the grid (or not a number) reads as bank.
std::uint8_t courseCellType(float x, float z);
// The goal byte of the cell under the point; 0 outside the grid.
std::uint8_t courseCellGoal(float x, float z);
// The terrain height at the point, linear over the two triangles of the cell
// split by the diagonal from (ix + 1, iz) to (ix, iz + 1). Defined for
// 0 <= x < 499 and 0 <= z < 499; anywhere else it is 0.
float courseHeightAt(float x, float z);

// Every cell bank at height 0, not a finish; every obstacle absent and unhit.
void clearCourse();
