#include "battle/LectureBattles.h"

#include "battle/BattleRecords.h"
#include "battle/BattleServices.h"
#include "battle/ScriptedBattleMessage.h"
#include "engine/Input.h"
#include "engine/TextLayers.h"
#include "field/EventState.h"

namespace {

// When a step acts.
enum class When {
    Always,    // in the first frame it is reached, whatever the battle is doing
    MenuOf,    // the command menu (phase 0) of party slot `slot`
    ActingOf,  // while party slot `slot` has the turn, in any phase
};

// What a step does.
enum class Does {
    Message,      // the tutor speaks; the step rises on confirmation
    Allow,        // only `command` may be chosen; choosing it raises the step
    AllowToPick,  // only `command` may be chosen; a decide in phase `pickA` or `pickB` raises the step
};

struct LectureStep {
    When when;
    int slot;
    Does does;
    int command;
    int pickA;
    int pickB;
    bool lock;       // the message keeps the battle's message lock on after it
    bool endsBattle; // the battle ends on its confirmation
    const char* lines[3];
};

constexpr LectureStep say(When when, int slot, const char* a, const char* b = nullptr, const char* c = nullptr) {
    return {when, slot, Does::Message, 0, -1, -1, false, false, {a, b, c}};
}
constexpr LectureStep sayLocked(const char* a, const char* b = nullptr, const char* c = nullptr) {
    return {When::Always, 0, Does::Message, 0, -1, -1, true, false, {a, b, c}};
}
constexpr LectureStep allow(int slot, int command) {
    return {When::MenuOf, slot, Does::Allow, command, -1, -1, false, false, {nullptr, nullptr, nullptr}};
}
constexpr LectureStep allowToPick(int slot, int command, int pickA, int pickB) {
    return {When::ActingOf, slot, Does::AllowToPick, command, pickA, pickB, false, false, {nullptr, nullptr, nullptr}};
}

constexpr int kWeaponTargetPhase = kPhaseWeaponEnemyTarget;
constexpr int kStoneEnemyTargetPhase = kPhaseStoneEnemyTarget;
constexpr int kStoneAllyTargetPhase = kPhaseStoneAllyTarget;

// The attack lecture, tutor at portrait (1, 0).
const LectureStep kAttackLecture[] = {
    {When::MenuOf, 1, Does::Message, 0, -1, -1, true, false,
     {"右下を見ると、俺のが選択されているのが", "分かるだろう。", "これは、俺が行動するという意味だ。"}},
    say(When::Always, 0, "じゃあ、まず『攻撃』を選択してくれ。", "攻撃は戦闘の基本だからな。"),
    allow(1, 0),
    sayLocked("左にあるのは技の範囲と名称だ。", "範囲:名称　　って形になっている。", "単は単体が対象ということだ。"),
    sayLocked("技名の右側に二つの数値が書いてあるな。", "/の左側に書いてある数値は、", "その技の成功回数の累計だ。"),
    say(When::Always, 0, "ちなみに、/の右側にある数値は", "現段階では気にする必要は無い。"),
    allowToPick(1, 0, kWeaponTargetPhase, kWeaponTargetPhase),
    say(When::Always, 0, "この技は、Enterキーの連打が必要になる。", "連打した回数が増えれば増えるほど、",
        "与えるダメージが増加する。"),
    say(When::MenuOf, 0, "今度はシェリルの番だ。", "攻撃を選択してくれ。"),
    allowToPick(0, 0, kWeaponTargetPhase, kWeaponTargetPhase),
    sayLocked("この技はタイミング良くキーを押す必要がある。", "キーを押すタイミングは、", "真ん中にある四角の中に入った時だ。"),
    sayLocked("キーの画像の一部が入っていれば", "どのタイミングで押しても問題ない。"),
    say(When::Always, 0, "ただし、キーを押さなかった場合や、", "キーを押し間違えた場合は", "ミス扱いになるから気をつけろ。"),
    say(When::MenuOf, 1, "それじゃ、これでレクチャーを終わりにする。"),
};

// The magical-stone lecture, tutor at portrait (5, 5).
const LectureStep kStoneLecture[] = {
    say(When::MenuOf, 0, "ということで、戦闘のレクチャーを始めます。", "まず最初に魔硝石を選択してください。"),
    allow(0, 1),
    sayLocked("これが魔硝石技、即ち魔術です。", "左にある文字は魔術の名称。", "右にある数字は消費するＳＰを意味します。"),
    sayLocked("現在のＳＰが消費ＳＰより少ない場合、", "当然魔術を使用することは出来ません。", "その場合、文字は黒く表示されます。"),
    sayLocked("この磁と書いてあるのは魔術の属性です。", "今回は磁属性の魔硝石を装備しているので、",
              "この魔術を使うことが出来るようになりました。"),
    say(When::Always, 0, "それでは、", "試してみたい魔術を選択してください。"),
    allowToPick(0, 1, kStoneEnemyTargetPhase, kStoneAllyTargetPhase),
    say(When::MenuOf, 0, "魔術の使い方は分かりましたね。", "では今度は、攻撃を選択してください。"),
    allow(0, 0),
    sayLocked("今回は、/の右側にある数値を見てください。", "この数値は、攻撃技が成功した時に", "回復するＳＰです"),
    say(When::Always, 0, "既に気づかれたかもしれませんが、", "技の成功回数が多くなるにつれ、", "回復するＳＰは上昇していきます。"),
    allowToPick(0, 0, kWeaponTargetPhase, kWeaponTargetPhase),
    {When::MenuOf, 0, Does::Message, 0, -1, -1, false, true, {"それでは、これでレクチャーを終了します。", nullptr, nullptr}},
};

struct Lecture {
    int group;
    int flag;
    const char* tutor;
    int column;
    int row;
    const LectureStep* steps;
    int count;
};

const Lecture kLectures[] = {
    {kAttackLectureGroup, kFlagAttackLecture, "ファルク", 1, 0, kAttackLecture,
     static_cast<int>(sizeof kAttackLecture / sizeof kAttackLecture[0])},
    {kStoneLectureGroup, kFlagStoneLecture, "アラフォース", 5, 5, kStoneLecture,
     static_cast<int>(sizeof kStoneLecture / sizeof kStoneLecture[0])},
};

const Lecture* lectureOf(int group) {
    for (const Lecture& lecture : kLectures) {
        if (lecture.group == group) return &lecture;
    }
    return nullptr;
}

bool partyActing(int slot) { return gBattleAction.actingSide == kSideParty && gBattleAction.actingIndex == slot; }

// While `command` is taught, a decide on any other command is swallowed.
// Returns true when the decide was on the command taught.
bool allowOnly(int command) {
    if (gBattleAction.phase != kPhaseCommand || gInputCode != kInputDecide) return false;
    if (gBattleAction.commandCursor != command) {
        gInputCode = kInputNone;
        return false;
    }
    return true;
}

}  // namespace

int lectureTaughtCommand() {
    const Lecture* lecture = lectureOf(gBattleGroup);
    if (lecture == nullptr) return -1;
    const int counter = gStoryFlags[lecture->flag];
    if (counter >= lecture->count) return -1;
    const LectureStep& step = lecture->steps[counter];
    return step.does == Does::Message ? -1 : step.command;
}

int lectureStepCount(int group) {
    const Lecture* lecture = lectureOf(group);
    return lecture ? lecture->count : 0;
}

void runBattleLectures(GraphicsResources& resources, gfx::Device* device) {
    const Lecture* lecture = lectureOf(gBattleGroup);
    if (lecture == nullptr) return;
    if (gBattleRewards.messageLock == 1) gRedrawRequest[1] = 1;
    std::uint8_t& counter = gStoryFlags[lecture->flag];
    if (counter >= lecture->count) return;
    const LectureStep& step = lecture->steps[counter];

    if (step.when == When::MenuOf && !(partyActing(step.slot) && gBattleAction.phase == kPhaseCommand)) return;
    if (step.when == When::ActingOf && !partyActing(step.slot)) return;

    switch (step.does) {
        case Does::Message: {
            const BattleLine line{lecture->tutor, lecture->column, lecture->row, {step.lines[0], step.lines[1], step.lines[2]}};
            if (!showBattleMessage(resources, device, line)) return;
            ++counter;
            if (step.lock) gBattleRewards.messageLock = 1;
            if (step.endsBattle) endBattle();
            return;
        }
        case Does::Allow:
            if (allowOnly(step.command)) ++counter;  // the decide goes on to the menu
            return;
        case Does::AllowToPick:
            if (gBattleAction.phase == kPhaseCommand) {
                allowOnly(step.command);
            } else if ((gBattleAction.phase == step.pickA || gBattleAction.phase == step.pickB) &&
                       gInputCode == kInputDecide) {
                ++counter;  // the decide goes on to the target chooser
            }
            return;
    }
}
