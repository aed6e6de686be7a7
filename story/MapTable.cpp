#include "story/MapTable.h"

#include <cstdio>

#include "events/EventMusic.h"
#include "field/EventState.h"
#include "story/StoryFlags.h"
#include "story/StoryState.h"

const MapTableRow kMapTable[130] = {
    {"マルクセング　電子街", SongRule::fixed, "【マップ】マルクセング.mid", {24, 56, 216}, 0, 0},  // 0
    {"マルクセング　中央街", SongRule::byFlags, nullptr, {24, 56, 216}, 0, 0},  // 1
    {"マルクセング　海里街", SongRule::byFlags, nullptr, {24, 56, 216}, 0, 0},  // 2
    {"ブラッドエンプレス", SongRule::byFlags, nullptr, {0, 0, 0}, 1, 1},  // 3
    {"ブラッドエンプレス", SongRule::fixed, "【チャプター０】ブラッドエンプレス.mid", {0, 0, 0}, 1, 1},  // 4
    {"ブラッドエンプレス", SongRule::byFlags, nullptr, {0, 0, 0}, 1, 1},  // 5
    {"ブラッドエンプレス", SongRule::fixed, "【チャプター０】ブラッドエンプレス.mid", {0, 0, 0}, 1, 1},  // 6
    {"ブラッドエンプレス", SongRule::byFlags, nullptr, {0, 0, 0}, 1, 1},  // 7
    {"マルクセング　スラム街", SongRule::byFlags, nullptr, {104, 128, 184}, 0, 0},  // 8
    {"シーフズデンジャラス", SongRule::fixed, "【チャプター１】スラム街.mid", {0, 0, 0}, 2, 0},  // 9
    {"シーフズデンジャラス", SongRule::fixed, "【チャプター１】スラム街.mid", {0, 0, 0}, 2, 0},  // 10
    {"スキン議事堂イベント", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {0, 0, 0}, 2, kKept},  // 11
    {"魔硝石管理室", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {0, 0, 0}, 4, 1},  // 12
    {"マルク陸軍基地", SongRule::fixed, "【テーマ】クレイバー.mid", {0, 0, 0}, 2, kKept},  // 13
    {"議事堂皇帝の部屋", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {0, 0, 0}, 0, kKept},  // 14
    {"議事堂議長の部屋", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {0, 0, 0}, 0, kKept},  // 15
    {"ディオゴ公国廃墟", SongRule::fixed, "【マップ】ディオゴ地下鉄道跡.mid", {0, 0, 0}, 16, kKept},  // 16
    {"スラン平原", SongRule::byFlags, nullptr, {104, 128, 184}, 3, 1},  // 17
    {"スラン平原", SongRule::fixed, "【チャプター２】スラン平原.mid", {104, 128, 184}, 3, 1},  // 18
    {"スラン平原", SongRule::byFlags, nullptr, {104, 128, 184}, 3, 1},  // 19
    {"スキンタウン", SongRule::fixed, "【マップ】スキンタウン.mid", {24, 56, 216}, 2, 1},  // 20
    {"スキンタウン　宿屋", SongRule::fixed, "【マップ】スキンタウン.mid", {0, 0, 0}, kKept, 1},  // 21
    {"スキンタウン　酒場", SongRule::byFlags, nullptr, {0, 0, 0}, kKept, 1},  // 22
    {"ルレノキングダム", SongRule::fixed, "【マップ】ルレノキングダム.mid", {24, 56, 216}, kKept, kKept},  // 23
    {"ルレノキングダム", SongRule::fixed, "【マップ】ルレノキングダム.mid", {0, 0, 0}, kKept, kKept},  // 24
    {"ルレノキャッスル　一階", SongRule::fixed, "【マップ】ルレノキングダム.mid", {0, 0, 0}, kKept, kKept},  // 25
    {"ルレノキャッスル　二階", SongRule::byFlags, nullptr, {0, 0, 0}, kKept, kKept},  // 26
    {"ガルグ海", SongRule::fixed, "【マップ】ルレノキングダム.mid", {24, 56, 216}, kKept, kKept},  // 27
    {"ルレノキングダム廃墟", SongRule::fixed, "【イベント】クロスケーション.mid", {104, 128, 184}, kKept, kKept},  // 28
    {"スキン攻め込みイベント", SongRule::silence, nullptr, {104, 128, 184}, kKept, kKept},  // 29
    {"デーロック議事堂前", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {24, 56, 216}, 4, 1},  // 30
    {"デーロック議事堂　一階", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {0, 0, 0}, 4, 1},  // 31
    {"デーロック議事堂　二階", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {0, 0, 0}, 4, 1},  // 32
    {"デーロック議事堂　三階", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {0, 0, 0}, 4, 1},  // 33
    {"デーロック議事堂　四階", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {0, 0, 0}, 4, 1},  // 34
    {"デーロック議事堂　五階", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {0, 0, 0}, 4, 1},  // 35
    {"デーロック議事堂　六階", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {0, 0, 0}, 4, 1},  // 36
    {"デーロック議事堂　七階", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {0, 0, 0}, 4, 1},  // 37
    {"デーロック議事堂　八階", SongRule::byFlags, nullptr, {0, 0, 0}, 4, 1},  // 38
    {"デーロック議事堂　九階", SongRule::fixed, "【チャプター３】デーロック議事堂.mid", {0, 0, 0}, 4, 1},  // 39
    {"デーロック議事堂　十階", SongRule::byFlags, nullptr, {0, 0, 0}, 4, 1},  // 40
    {"デーロック議事堂　十一階", SongRule::byFlags, nullptr, {0, 0, 0}, 4, 1},  // 41
    {"デーロック議事堂　屋上", SongRule::byFlags, nullptr, {24, 56, 216}, 17, 1},  // 42
    {"戦艦フィルノア", SongRule::byFlags, nullptr, {24, 56, 216}, kKept, 0},  // 43
    {"戦艦フィルノア", SongRule::fixed, "【チャプター４】戦艦フィルノア１.mid", {0, 0, 0}, 5, 0},  // 44
    {"戦艦フィルノア", SongRule::fixed, "【イベント】国家平和化機構.mid", {0, 0, 0}, 5, kKept},  // 45
    {"戦艦フィルノア", SongRule::fixed, "【チャプター４】戦艦フィルノア２.mid", {0, 0, 0}, 5, kKept},  // 46
    {"戦艦フィルノア", SongRule::fixed, "【チャプター４】戦艦フィルノア２.mid", {0, 0, 0}, 5, kKept},  // 47
    {"戦艦フィルノア", SongRule::fixed, "【チャプター４】戦艦フィルノア２.mid", {0, 0, 0}, 5, kKept},  // 48
    {"戦艦フィルノア", SongRule::fixed, "【バトル】軍事パレード.mid", {0, 0, 0}, 5, kKept},  // 49
    {"和国　海岸", SongRule::byFlags, nullptr, {24, 56, 216}, kKept, 2},  // 50
    {"和国", SongRule::fixed, "【マップ】和国.mid", {24, 56, 216}, kKept, 2},  // 51
    {"和国　龍飛の部屋", SongRule::byFlags, nullptr, {0, 0, 0}, kKept, 2},  // 52
    {"和国　居酒屋", SongRule::byFlags, nullptr, {0, 0, 0}, kKept, 2},  // 53
    {"和国　墓地", SongRule::byFlags, nullptr, {24, 56, 216}, kKept, 2},  // 54
    {"仙人の山", SongRule::fixed, "【チャプター５】仙人の山.mid", {24, 56, 216}, 6, 2},  // 55
    {"仙人の山", SongRule::fixed, "【チャプター５】仙人の山.mid", {24, 56, 216}, 6, 2},  // 56
    {"仙人の山", SongRule::byFlags, nullptr, {24, 56, 216}, 6, 2},  // 57
    {"仙人の山", SongRule::byFlags, nullptr, {24, 56, 216}, 6, 2},  // 58
    {"ブリザーヒル", SongRule::fixed, "【チャプター６】ブリザーヒル.mid", {104, 128, 184}, 7, 0},  // 59
    {"ブリザーヒル", SongRule::fixed, "【チャプター６】ブリザーヒル.mid", {104, 128, 184}, 7, 0},  // 60
    {"ブリザーヒル", SongRule::fixed, "【チャプター６】ブリザーヒル.mid", {104, 128, 184}, 7, 0},  // 61
    {"コールルピック", SongRule::byFlags, nullptr, {104, 128, 184}, 7, 0},  // 62
    {"コールルピック", SongRule::byFlags, nullptr, {0, 0, 0}, 7, 0},  // 63
    {"コールルピック", SongRule::byFlags, nullptr, {0, 0, 0}, 7, 0},  // 64
    {"ステルスベース　地下一階", SongRule::byFlags, nullptr, {0, 0, 0}, 8, 0},  // 65
    {"ステルスベース　地下二階", SongRule::fixed, "【チャプター６】ステルスベース.mid", {0, 0, 0}, 8, 0},  // 66
    {"ステルスベース　地下三階", SongRule::byFlags, nullptr, {0, 0, 0}, 8, 0},  // 67
    {"ステルスベース　地下四階", SongRule::fixed, "【チャプター６】ステルスベース.mid", {0, 0, 0}, 8, 0},  // 68
    {"ステルスベース　地下五階", SongRule::fixed, "【チャプター６】ステルスベース.mid", {0, 0, 0}, 8, 0},  // 69
    {"ステルスベース　地下六階", SongRule::byFlags, nullptr, {0, 0, 0}, 8, 0},  // 70
    {"フィエロ坂", SongRule::fixed, "【チャプター６】ブリザーヒル.mid", {104, 128, 184}, kKept, kKept},  // 71
    {"セントラルトルム　一階", SongRule::byFlags, nullptr, {0, 0, 0}, 9, kKept},  // 72
    {"セントラルトルム　二階", SongRule::fixed, "【チャプター７】セントラルトルム１.mid", {0, 0, 0}, 9, kKept},  // 73
    {"セントラルトルム　三階", SongRule::fixed, "【チャプター７】セントラルトルム１.mid", {0, 0, 0}, 9, kKept},  // 74
    {"セントラルトルム　四階", SongRule::fixed, "【チャプター７】セントラルトルム１.mid", {0, 0, 0}, 9, kKept},  // 75
    {"セントラルトルム　五階", SongRule::fixed, "【チャプター７】セントラルトルム１.mid", {0, 0, 0}, 9, kKept},  // 76
    {"セントラルトルム　六階", SongRule::byFlags, nullptr, {0, 0, 0}, 10, kKept},  // 77
    {"セントラルトルム　七階", SongRule::fixed, "【チャプター９】セントラルトルム２.mid", {0, 0, 0}, 10, kKept},  // 78
    {"セントラルトルム　八階", SongRule::fixed, "【チャプター９】セントラルトルム２.mid", {0, 0, 0}, 10, kKept},  // 79
    {"セントラルトルム　九階", SongRule::fixed, "【チャプター９】セントラルトルム２.mid", {0, 0, 0}, 10, kKept},  // 80
    {"セントラルトルム　十階", SongRule::fixed, "【チャプター９】セントラルトルム２.mid", {0, 0, 0}, 10, kKept},  // 81
    {"セントラルトルム　十一階", SongRule::fixed, "【チャプター９】セントラルトルム２.mid", {0, 0, 0}, 10, kKept},  // 82
    {"セントラルトルム　十二階", SongRule::fixed, "【チャプター９】セントラルトルム２.mid", {0, 0, 0}, 10, kKept},  // 83
    {"セントラルトルム　十三階", SongRule::fixed, "【チャプター９】セントラルトルム２.mid", {0, 0, 0}, 10, kKept},  // 84
    {"セントラルトルム　十四階", SongRule::fixed, "【チャプター９】セントラルトルム２.mid", {0, 0, 0}, 10, kKept},  // 85
    {"セントラルトルム　十五階", SongRule::byFlags, nullptr, {0, 0, 0}, 10, kKept},  // 86
    {"セントラルトルム　十六階", SongRule::fixed, "【チャプター９】セントラルトルム２.mid", {0, 0, 0}, 10, kKept},  // 87
    {"セントラルトルム　十七階", SongRule::fixed, "【チャプター９】セントラルトルム２.mid", {0, 0, 0}, 10, kKept},  // 88
    {"セントラルトルム　十八階", SongRule::fixed, "【チャプター９】セントラルトルム２.mid", {0, 0, 0}, 10, kKept},  // 89
    {"セントラルトルム　十九階", SongRule::silence, nullptr, {0, 0, 0}, 10, kKept},  // 90
    {"セントラルトルム　二十階", SongRule::silence, nullptr, {0, 0, 0}, 11, kKept},  // 91
    {"セントラルトルム", SongRule::none, nullptr, {0, 0, 0}, kKept, kKept},  // 92
    {"ガルグ海", SongRule::fixed, "【チャプター７】ルレノ廃墟.mid", {104, 128, 184}, 12, 0},  // 93
    {"ルレノキングダム廃墟", SongRule::fixed, "【チャプター７】ルレノ廃墟.mid", {104, 128, 184}, 12, 0},  // 94
    {"ルレノキングダム廃墟", SongRule::fixed, "【チャプター７】ルレノ廃墟.mid", {0, 0, 0}, 12, 0},  // 95
    {"ルレノキャッスル廃墟　一階", SongRule::fixed, "【チャプター７】ルレノ廃墟.mid", {0, 0, 0}, 12, 0},  // 96
    {"ルレノキャッスル廃墟　二階", SongRule::fixed, "【チャプター７】ルレノ廃墟.mid", {0, 0, 0}, 12, 0},  // 97
    {"ルレノキャッスル廃墟　三階", SongRule::fixed, "【チャプター７】ルレノ廃墟.mid", {0, 0, 0}, 12, 0},  // 98
    {"ルレノキャッスル廃墟　四階", SongRule::byFlags, nullptr, {104, 128, 184}, 12, 0},  // 99
    {"魔空間", SongRule::fixed, "【チャプター８】魔空間.mid", {20, 20, 20}, 13, 0},  // 100
    {"魔空間", SongRule::fixed, "【チャプター８】魔空間.mid", {20, 20, 20}, 13, 0},  // 101
    {"魔空間", SongRule::fixed, "【チャプター８】魔空間.mid", {20, 20, 20}, 13, 0},  // 102
    {"魔空間", SongRule::fixed, "【チャプター８】魔空間.mid", {20, 20, 20}, 13, 0},  // 103
    {"魔空間", SongRule::byFlags, nullptr, {20, 20, 20}, 13, 0},  // 104
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {24, 56, 216}, 14, 1},  // 105
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {0, 0, 0}, 14, 1},  // 106
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {0, 0, 0}, 14, 1},  // 107
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {0, 0, 0}, 14, 1},  // 108
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {0, 0, 0}, 14, 1},  // 109
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {0, 0, 0}, 14, 1},  // 110
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {0, 0, 0}, 14, 1},  // 111
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {0, 0, 0}, 14, 1},  // 112
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {0, 0, 0}, 14, 1},  // 113
    {"海上基地フィンダクション", SongRule::byFlags, nullptr, {0, 0, 0}, 14, 1},  // 114
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {0, 0, 0}, 14, 1},  // 115
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {0, 0, 0}, 14, 1},  // 116
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {0, 0, 0}, 14, 1},  // 117
    {"海上基地フィンダクション", SongRule::fixed, "【チャプター９】海上基地フィングション.mid", {0, 0, 0}, 14, 1},  // 118
    {"海上基地フィンダクション", SongRule::silence, nullptr, {24, 56, 216}, 15, 1},  // 119
    {"船内", SongRule::fixed, "【テーマ】シェリル.mid", {0, 0, 0}, kKept, kKept},  // 120
    {"スラン荒地", SongRule::fixed, "【イベント】国家平和化機構.mid", {104, 128, 184}, 3, 1},  // 121
    {"スラン平原", SongRule::fixed, "【チャプター２】スラン平原.mid", {104, 128, 184}, 3, 1},  // 122
    {"仙人の山", SongRule::fixed, "【チャプター５】仙人の山.mid", {24, 56, 216}, 6, 2},  // 123
    {"ブリザーヒル", SongRule::fixed, "【チャプター６】ブリザーヒル.mid", {104, 128, 184}, 7, 0},  // 124
    {"ブリザーヒル", SongRule::fixed, "【チャプター６】ブリザーヒル.mid", {104, 128, 184}, 7, 0},  // 125
    {"ブリザーヒル", SongRule::fixed, "【チャプター６】ブリザーヒル.mid", {104, 128, 184}, 7, 0},  // 126
    {"マルクセング　地下鉄道跡", SongRule::fixed, "【マップ】ディオゴ地下鉄道跡.mid", {0, 0, 0}, kKept, 0},  // 127
    {"ディオゴ海底鉄線跡", SongRule::fixed, "【マップ】ディオゴ地下鉄道跡.mid", {0, 0, 0}, 16, 0},  // 128
    {"ディオゴ公国廃墟", SongRule::silence, nullptr, {0, 0, 0}, 16, kKept},  // 129
};

namespace {

const char* const kMarksen = "【マップ】マルクセング.mid";
const char* const kSherylTheme = "【テーマ】シェリル.mid";
const char* const kPrison = "【チャプター０】ブラッドエンプレス.mid";
const char* const kEmperor = "【バトル】皇帝に跪け.mid";
const char* const kSlan = "【チャプター２】スラン平原.mid";
const char* const kAssembly = "【チャプター３】デーロック議事堂.mid";
const char* const kCrossing = "【バトル】交わりの地.mid";
const char* const kRyuhiTheme = "【テーマ】リュウヒ.mid";
const char* const kWakoku = "【マップ】和国.mid";
const char* const kMountain = "【チャプター５】仙人の山.mid";
const char* const kThiefMaster = "【テーマ】シーフマスター.mid";
const char* const kColerupic = "【マップ】コールルピック.mid";
const char* const kColerupic2 = "【マップ】コールルピック２.mid";
const char* const kStealth = "【チャプター６】ステルスベース.mid";
const char* const kSilence = "";

std::uint8_t flag(int index) { return gStoryFlags[index]; }
std::int8_t signedFlag(int index) { return static_cast<std::int8_t>(gStoryFlags[index]); }

const char* songByFlags(int map) {
    switch (map) {
        case 1:
            if (flag(68) == 1) return kSilence;
            if (flag(12) == 2) return kSherylTheme;
            if (flag(12) == 1) return "【テーマ】ファルク.mid";
            return kMarksen;
        case 2: return flag(0) == 0 ? kSherylTheme : kMarksen;
        case 3: return flag(2) == 0 ? kSilence : kPrison;
        case 5: return flag(5) == 1 ? kSilence : kPrison;
        case 7: return flag(7) == 0 ? kPrison : kEmperor;
        case 8: return (flag(9) == 3 && flag(11) != 1) ? kSilence : "【チャプター１】スラム街.mid";
        case 17: return flag(12) == 1 ? kSherylTheme : kSlan;
        case 19: return flag(14) == 0 ? kEmperor : kSlan;
        case 22: return flag(0) == 0 ? kSilence : "【マップ】スキンタウン.mid";
        case 26: return flag(57) == 1 ? kSilence : "【マップ】ルレノキングダム.mid";
        case 38: return flag(19) == 0 ? kSilence : kAssembly;
        case 40: return flag(20) == 0 ? kSilence : kAssembly;
        case 41: return flag(20) == 1 ? kCrossing : kAssembly;
        case 42: return flag(20) == 2 ? kCrossing : kAssembly;
        case 43: return flag(22) == 0 ? "【チャプター４】戦艦フィルノア１.mid" : "【チャプター４】戦艦フィルノア２.mid";
        case 50: return flag(24) == 0 ? kRyuhiTheme : kWakoku;
        case 52: return (flag(24) == 0 || flag(47) == 1) ? kRyuhiTheme : kWakoku;
        case 53: return flag(25) == 1 ? kWakoku : "【テーマ】ファーレンス.mid";
        case 54: return flag(126) == 1 ? kRyuhiTheme : kWakoku;
        case 57: return flag(26) == 1 ? kThiefMaster : kMountain;
        case 58: return flag(27) == 1 ? kMountain : kSilence;
        case 62:
            if (flag(73) != 0) return kColerupic2;
            if (signedFlag(34) >= 1) return kSherylTheme;
            if (flag(62) != 0 && flag(70) != 1) return kColerupic2;
            return kColerupic;
        case 63:
            if (flag(70) == 1) return kColerupic;
            if (flag(62) != 0) return kColerupic2;
            if (flag(48) != 0 && flag(49) == 0) return kSherylTheme;
            return kColerupic;
        case 64:
            if (flag(70) == 1) return kColerupic;
            if (flag(48) == 0) return kSilence;
            if (flag(62) != 0) return kColerupic2;
            return kColerupic;
        case 65: return flag(28) == 0 ? kSilence : kStealth;
        case 67: return flag(52) == 1 ? kSilence : kStealth;
        case 70: return flag(30) == 0 ? kSilence : kStealth;
        case 72: return flag(81) == 0 ? kMarksen : "【チャプター７】セントラルトルム１.mid";
        case 77:
            if (flag(100) == 2) return kSilence;
            if (flag(77) == 1 || flag(77) == 2) return "【バトル】軍事パレード.mid";
            return kSilence;
        case 86: return flag(32) == 2 ? "【チャプター９】セントラルトルム２.mid" : kThiefMaster;
        case 99: return flag(67) == 2 ? "【チャプター７】ルレノ廃墟.mid" : kSherylTheme;
        case 104: return signedFlag(34) >= 1 ? kSilence : "【バトル】目に映るは真の己.mid";
        case 114: return signedFlag(42) >= 2 ? "【チャプター９】海上基地フィングション.mid" : kThiefMaster;
        default: return nullptr;
    }
}

}  // namespace

const char* arrivalSong(int map) {
    if (map < 0 || map >= 130) return nullptr;
    const MapTableRow& row = kMapTable[map];
    switch (row.songRule) {
        case SongRule::fixed: return row.song;
        case SongRule::silence: return kSilence;
        case SongRule::none: return nullptr;
        case SongRule::byFlags: return songByFlags(map);
    }
    return nullptr;
}

void applyMapArrival(int map) {
    if (map < 0 || map >= 130) return;
    const MapTableRow& row = kMapTable[map];
    std::snprintf(gLocationName, sizeof gLocationName, "%s", row.placeName);
    const char* song = arrivalSong(map);
    if (song != nullptr) {
        if (song[0] == '\0') requestMusicStop();
        else changeMusic(song);
    }
    for (int i = 0; i < 3; ++i) gClearColour[i] = row.clearColour[i];
    if (row.battleBackground != kKept) {
        gSavedBattleBackground = 0;
        gBattleBackground = row.battleBackground;
    }
    if (row.currency != kKept) gRegionCurrency = row.currency;
}
