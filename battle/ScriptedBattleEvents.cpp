#include "battle/ScriptedBattleEvents.h"

#include "battle/BattleRecords.h"
#include "battle/BattleServices.h"
#include "battle/ScriptedBattleMessage.h"
#include "engine/GraphicsResources.h"
#include "engine/ResourcePaths.h"
#include "engine/TextLayers.h"
#include "field/EventState.h"
#include "gamedata/GameData.h"

namespace {

// A message of an event: true once confirmed, when the step counter has risen
// and, unless it is the event's last message, the message lock is on again.
bool say(GraphicsResources& resources, gfx::Device* device, std::uint8_t& counter, const BattleLine& line,
         bool last = false) {
    if (!showBattleMessage(resources, device, line)) return false;
    ++counter;
    if (!last) gBattleRewards.messageLock = 1;
    return true;
}

// Group 51: the moonstone's keeper is stopped by the party's reinforcements.
bool runMoonstoneEvent(GraphicsResources& resources, gfx::Device* device) {
    std::uint8_t& step = gStoryFlags[kFlagMoonstoneEvent];
    const char* const kSeren = "セレン";
    const char* const kSheryl = "シェリル";
    const char* const kClaver = "クレイバー";
    switch (step) {
        case 0:
            gPartyActors[0].pose = 0;
            say(resources, device, step, {kSeren, 6, 0, {"しつこい人たちね・・・。"}});
            return true;
        case 1: say(resources, device, step, {kSheryl, 0, 3, {"それはこっちの台詞だよ！", "月光石を横取りして・・・！"}}); return true;
        case 2:
            say(resources, device, step, {kSeren, 6, 0, {"あなたたちこそ、", "横取りしようとしてたじゃない。"}});
            return true;
        case 3: say(resources, device, step, {kSeren, 6, 0, {"まあいいわ、これで終わりにしてあげるから。"}}); return true;
        case 4: say(resources, device, step, {kClaver, 3, 2, {"セレン、ちょっとまちな！"}}); return true;
        case 5:
            // Two newcomers come in from behind the party.
            gEnemyBattlers[1].monster = 75;
            gEnemyBattlers[2].monster = 64;
            for (int actor = 1; actor <= 2; ++actor) {
                gEnemyActors[actor].facing = 1;
                gEnemyActors[actor].pose = 0;
            }
            gEnemyActors[1].x = -2.0f;
            gEnemyActors[1].y = 0.0f;
            gEnemyActors[1].z = 13.0f;
            gEnemyActors[2].x = -7.0f;
            gEnemyActors[2].y = 0.0f;
            gEnemyActors[2].z = 7.0f;
            ++step;
            return true;
        case 6:
            for (int actor = 1; actor <= 2; ++actor) gEnemyActors[actor].pose = gWaitCounter % 2;
            if (gEnemyActors[1].x < 8.0f) {
                gEnemyActors[1].x += 0.2f;
                gEnemyActors[2].x += 0.2f;
            } else {
                ++step;
            }
            return true;
        case 7: say(resources, device, step, {kSheryl, 0, 0, {"クレイバー！？", "大丈夫だった！？"}}); return true;
        case 8:
            say(resources, device, step,
                {kClaver, 3, 0, {"ああ。", "リュウヒには住民の救出を任せてる。", "コールでの問題はもう解決できるだろ。"}});
            return true;
        case 9:
            say(resources, device, step, {kClaver, 3, 1, {"だが、そんなことよりも・・・", "セレンだな。", "月光石を持っているのか。"}});
            return true;
        case 10: say(resources, device, step, {kSheryl, 0, 2, {"うん。", "全然らちが明かないんだ。"}}); return true;
        case 11:
            say(resources, device, step, {"アラフォース", 5, 5, {"・・・ほう。", "なかなか魔力を持つ者のようですね。"}});
            return true;
        case 12:
            if (say(resources, device, step,
                    {kSeren, 6, 0, {"・・・流石に人数が多すぎるわね。", "これじゃあまともに戦えそうにないわ。"}}, true)) {
                endBattle();
            }
            return true;
        default: return false;
    }
}

// Groups 64 and 84: the thief master takes the leader's magical stones.
bool runThiefEvent(GraphicsResources& resources, gfx::Device* device) {
    std::uint8_t& step = gStoryFlags[kFlagThiefEvent];
    const char* const kThief = "シーフマスター";
    const char* const kSheryl = "シェリル";
    const int leader = gParty[0];
    switch (step) {
        case 0:
            // The leader may have been felled by the blow that started the scene: back on its feet at 1 HP.
            if (leader > 0 && leader < kUnitCount && gPartyMembers[leader].hp <= 0) {
                gPartyMembers[leader].hp = 1;
                gRedrawRequest[0] = 2;
            }
            ++step;
            return true;
        case 1:
            gPartyActors[0].pose = 0;
            say(resources, device, step, {kThief, 12, 0, {"つーか手前ら。", "そんなに沢山魔硝石を持って卑怯じゃねえか。"}});
            return true;
        case 2:
            say(resources, device, step,
                {kSheryl, 0, 3, {"そう思うんなら戦わなきゃいいでしょ！？", "うちは別に、あんたと戦いたくないんだけど！"}});
            return true;
        case 3: say(resources, device, step, {kThief, 12, 0, {"んなことはどうでもいいんだ！", "とにかく、こうなったら・・・！"}}); return true;
        case 4:
            gEnemyActors[0].x -= 0.25f;
            if (gEnemyActors[0].x <= -5.0f) {
                if (leader > 0 && leader < kUnitCount) {
                    gPartyMembers[leader].stones[0] = 0;
                    gPartyMembers[leader].stones[1] = 0;
                }
                gRedrawRequest[1] = 2;
                ++step;
            }
            return true;
        case 5:
            gPartyActors[0].facing = 1;
            say(resources, device, step, {kSheryl, 0, 3, {"・・・ああっ！"}});
            return true;
        case 6:
            say(resources, device, step,
                {kThief, 12, 1, {"手前の魔硝石は全て頂いたぜ！", "今から俺様がこれを使ってやんよ。", "あはははは！"}});
            return true;
        case 7:
            gEnemyActors[0].x += 0.25f;
            if (gEnemyActors[0].x >= 12.0f) {
                gPartyActors[0].facing = 0;
                ++step;
            }
            return true;
        case 8:
            if (say(resources, device, step, {kThief, 12, 1, {"さあ華麗なる逆転劇の始まりだぜ！"}}, true)) {
                // The action chosen with the event is performed now.
                gBattleAction.phase = kPhaseActionStart;
                gRedrawRequest[1] = 2;
                readPortraitSheet(resources, device, 347);
            }
            return true;
        default: return false;
    }
}

// Group 89: the fire-stone bearer is called back by her commander.
bool runRetreatEvent(GraphicsResources& resources, gfx::Device* device) {
    std::uint8_t& step = gStoryFlags[kFlagRetreatEvent];
    const char* const kSheryl = "シェリル";
    const char* const kSeren = "セレン";
    const char* const kChrom = "クロム";
    switch (step) {
        case 0:
            say(resources, device, step, {kSheryl, 0, 2, {"へえ、あんたも魔硝石を持ってるんだ。", "せっかくだし、それ貰っちゃおうかな。"}});
            return true;
        case 1: say(resources, device, step, {kSeren, 6, 0, {"黙りなさい！", "魔硝石を壊した罪は重いわ！"}}); return true;
        case 2:
            say(resources, device, step,
                {kSheryl, 0, 2, {"私は次元石を壊すためにここにきたの。", "罪とかなんとかいうのはどうでもいいわけ。"}});
            return true;
        case 3:
            say(resources, device, step,
                {kSeren, 6, 0, {"罪はあなたが決めるものじゃないの。", "あなたの目的が何かは分からないけど", "今ここで始末してあげるわ。"}});
            return true;
        case 4: say(resources, device, step, {kChrom, 5, 1, {"セレン、引け！"}}); return true;
        case 5: say(resources, device, step, {kSeren, 6, 0, {"な、なぜです！？", "今すぐこの者を捕まえなければ・・・！"}}); return true;
        case 6: say(resources, device, step, {kChrom, 5, 1, {"冷静になれ。", "奴は暗黒石を持っている。"}}); return true;
        case 7: say(resources, device, step, {kSheryl, 0, 2, {"正解。", "たかだか火炎石じゃ", "私には勝てるはずないね。"}}); return true;
        case 8: say(resources, device, step, {kSeren, 6, 0, {"・・・くっ！"}}); return true;
        case 9:
            say(resources, device, step, {kChrom, 5, 1, {"セレン！", "これは命令だ！", "直ちにその場からは離れろ！"}});
            return true;
        case 10:
            if (say(resources, device, step, {kSeren, 6, 0, {"い、イエッサー・・・。"}}, true)) endBattle();
            return true;
        default: return false;
    }
}

}  // namespace

void runBattleStoryEvents(GraphicsResources& resources, gfx::Device* device) {
    if (gBattleRewards.messageLock == 1) gRedrawRequest[1] = 1;
    bool played = false;
    switch (gBattleGroup) {
        case 51: played = runMoonstoneEvent(resources, device); break;
        case 64:
        case 84: played = runThiefEvent(resources, device); break;
        case 89: played = runRetreatEvent(resources, device); break;
        default: break;
    }
    // Nothing to play (another group, or the event already played out): rather
    // than hold the battle in this phase for ever, the turn goes on with the
    // action stored with the hand-over, if any.
    if (!played) gBattleAction.phase = kPhaseActionStart;
}
