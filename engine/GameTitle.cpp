#include "engine/GameTitle.h"

namespace engine {

const char kGameWindowTitle[] = "コルヴァディン　～閉ざされた星晶～";
const char kConfigToolWindowTitle[] = "コルヴァディン　コンフィグ";
const char kWindowClassName[] = "Corvadine";

}  // namespace engine
