#include "minigames/BoatCourse.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

CourseCell gCourseCells[kCourseCellCount];
CourseObstacle gCourseObstacles[kCourseObstacleCount];

namespace {

std::uint32_t getU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

float getF32(const std::uint8_t* p) {
    const std::uint32_t bits = getU32(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

void putF32(std::uint8_t* p, float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void clearObstacle(CourseObstacle& o) {
    o.present = 0;
    o.x = o.y = o.z = 0.0f;
}

float gridHeight(int x, int z) {
    // Grid points past the last row or column are not stored: they read 0.
    if (x < 0 || z < 0 || x >= kCourseSize || z >= kCourseSize) return 0.0f;
    return gCourseCells[courseIndex(x, z)].height;
}

}  // namespace

const char* coursePath(int course, char* out, int outSize) {
    std::snprintf(out, static_cast<std::size_t>(outSize), "./Data/Boat_%d.dat", course);
    return out;
}

void clearCourse() {
    for (CourseCell& cell : gCourseCells) cell = CourseCell{kCourseBank, 0.0f, 0};
    for (CourseObstacle& o : gCourseObstacles) {
        clearObstacle(o);
        o.hit = 0;
    }
}

int readCourseFile(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        std::fprintf(stderr, "%s: cannot be opened (%s); the course is all bank\n", path, std::strerror(errno));
        for (CourseCell& cell : gCourseCells) cell = CourseCell{kCourseBank, 0.0f, 0};
        for (CourseObstacle& o : gCourseObstacles) clearObstacle(o);
        return 1;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(kCourseFileSize));
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    const bool longer = got == bytes.size() && std::fgetc(f) != EOF;
    std::fclose(f);

    // Records the file does not hold in full are bank (or absent): a cut
    // file never leaves water open onto what the last course left behind.
    std::size_t offset = 0;
    for (CourseCell& cell : gCourseCells) {
        if (offset + kCourseCellRecordSize <= got) {
            cell.type = bytes[offset];
            cell.height = getF32(&bytes[offset + 1]);
            cell.goal = bytes[offset + 5];
        } else {
            cell = CourseCell{kCourseBank, 0.0f, 0};
        }
        offset += kCourseCellRecordSize;
    }
    for (CourseObstacle& o : gCourseObstacles) {
        if (offset + kCourseObstacleRecordSize <= got) {
            o.present = bytes[offset];
            o.x = getF32(&bytes[offset + 1]);
            o.y = getF32(&bytes[offset + 5]);
            o.z = getF32(&bytes[offset + 9]);
        } else {
            clearObstacle(o);
        }
        offset += kCourseObstacleRecordSize;
    }
    if (got < bytes.size()) {
        std::fprintf(stderr, "%s: %zu of %ld bytes; the missing records are bank\n", path, got, kCourseFileSize);
        return 1;
    }
    if (longer) std::fprintf(stderr, "%s: longer than %ld bytes; the rest is not read\n", path, kCourseFileSize);
    return 0;
}

int loadCourse(int course) {
    char path[64];
    return readCourseFile(coursePath(course, path, sizeof path));
}

int writeCourseFile(const char* path) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(kCourseFileSize), 0);
    std::uint8_t* p = bytes.data();
    for (const CourseCell& cell : gCourseCells) {
        p[0] = cell.type;
        putF32(p + 1, cell.height);
        p[5] = cell.goal;
        p += kCourseCellRecordSize;
    }
    for (const CourseObstacle& o : gCourseObstacles) {
        p[0] = o.present;
        putF32(p + 1, o.x);
        putF32(p + 5, o.y);
        putF32(p + 9, o.z);
        p += kCourseObstacleRecordSize;
    }

    // Written beside the course and renamed over it: a failed save keeps the
    // old course whole.
    const std::string temporary = std::string(path) + ".tmp";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "%s: cannot be opened for writing (%s); course not saved\n", path, std::strerror(errno));
        return 1;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path) != 0) {
        std::fprintf(stderr, "%s: writing failed (%s); course not saved\n", path, std::strerror(errno));
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}

int saveCourse(int course) {
    char path[64];
    return writeCourseFile(coursePath(course, path, sizeof path));
}

std::uint8_t courseCellType(float x, float z) {
    // The comparisons are false for NaN, which reads as bank too.
    if (!(x >= 0.0f && x < static_cast<float>(kCourseSize) && z >= 0.0f && z < static_cast<float>(kCourseSize)))
        return kCourseBank;
    return gCourseCells[courseIndex(static_cast<int>(x), static_cast<int>(z))].type;
}

std::uint8_t courseCellGoal(float x, float z) {
    if (!(x >= 0.0f && x < static_cast<float>(kCourseSize) && z >= 0.0f && z < static_cast<float>(kCourseSize)))
        return 0;
    return gCourseCells[courseIndex(static_cast<int>(x), static_cast<int>(z))].goal;
}

float courseHeightAt(float x, float z) {
    const float limit = static_cast<float>(kCourseSize - 1);
    if (!(x >= 0.0f && x < limit && z >= 0.0f && z < limit)) return 0.0f;
    const int ix = static_cast<int>(x);
    const int iz = static_cast<int>(z);
    const float fx = x - static_cast<float>(ix);
    const float fz = z - static_cast<float>(iz);
    const float h00 = gridHeight(ix, iz);
    const float h10 = gridHeight(ix + 1, iz);
    const float h01 = gridHeight(ix, iz + 1);
    const float h11 = gridHeight(ix + 1, iz + 1);
    // b lies on the diagonal at depth fz, a on the cell's edge at the same depth.
    const float b = h10 + (h01 - h10) * fz;
    if (fx - (1.0f - fz) < 0.0f) {
        const float a = h00 + (h01 - h00) * fz;
        const float u = fx / (1.0f - fz);
        return (1.0f - u) * a + u * b;
    }
    const float a = h11 + (h10 - h11) * (1.0f - fz);
    const float u = (1.0f - fx) / fz;
    return (1.0f - u) * a + u * b;
}
