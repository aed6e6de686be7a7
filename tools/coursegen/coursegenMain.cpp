// coursegen: builds a boat course file from its readable source.
//   coursegen -o <Boat_N.dat> <courseN.txt>
// A source fault or a course the boat cannot finish stops the build.
#include <cstdio>
#include <cstring>
#include <string>

#include "minigames/BoatCourse.h"
#include "tools/coursegen/CourseSource.h"

int main(int argc, char** argv) {
    std::string output;
    std::string input;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) output = argv[++i];
        else input = argv[i];
    }
    if (input.empty() || output.empty()) {
        std::fprintf(stderr, "usage: coursegen -o <Boat_N.dat> <courseN.txt>\n");
        return 2;
    }
    const coursesource::CourseSource source = coursesource::loadCourseSourceFile(input);
    if (!source.errors.empty()) {
        for (const std::string& e : source.errors) std::fprintf(stderr, "%s: %s\n", input.c_str(), e.c_str());
        return 1;
    }
    const std::vector<std::string> problems = coursesource::buildCourse(source);
    if (!problems.empty()) {
        for (const std::string& p : problems) std::fprintf(stderr, "%s: %s\n", input.c_str(), p.c_str());
        return 1;
    }
    return writeCourseFile(output.c_str()) == 0 ? 0 : 1;
}
