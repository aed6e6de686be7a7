#include "minigames/BoatCourseEditor.h"

#include <cstdlib>

#include "minigames/BoatCourse.h"
#include "minigames/BoatRaceState.h"

namespace {

constexpr float kEditorHeightStep = 0.125f;

}  // namespace

int runCourseEditor(int command) {
    const int ix = static_cast<int>(gBoatPos[0]);
    const int iz = static_cast<int>(gBoatPos[2]);
    if (!(ix > 20 && ix < 480 && iz > 20 && iz < 480)) return 0;
    CourseCell& cell = gCourseCells[courseIndex(ix, iz)];
    switch (command) {
        case kEditorRaise:
            for (int dx = -2; dx <= 2; ++dx) {
                for (int dz = -2; dz <= 2; ++dz) {
                    if (std::abs(dx) + std::abs(dz) <= 2) gCourseCells[courseIndex(ix + dx, iz + dz)].height += kEditorHeightStep;
                }
            }
            break;
        case kEditorLower:
            cell.height -= kEditorHeightStep;
            if (cell.height < 0.0f) cell.height = 0.0f;
            break;
        case kEditorObstacle: {
            for (CourseObstacle& o : gCourseObstacles) {
                if (o.present != 0 && static_cast<int>(o.x) == ix && static_cast<int>(o.z) == iz) {
                    o.present = 0;
                    return 0;
                }
            }
            for (CourseObstacle& o : gCourseObstacles) {
                if (o.present == 0) {
                    o.present = 1;
                    o.hit = 0;
                    o.x = static_cast<float>(ix);
                    o.y = cell.height;
                    o.z = static_cast<float>(iz);
                    return 0;
                }
            }
            break;
        }
        case kEditorGoal: cell.goal = cell.goal != 0 ? 0 : 1; break;
        case kEditorSave: return saveCourse(gRaceCourse);
        case kEditorCellType: cell.type = cell.type >= 5 ? 0 : static_cast<std::uint8_t>(cell.type + 1); break;
        default: break;
    }
    return 0;
}
