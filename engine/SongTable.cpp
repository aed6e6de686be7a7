#include "engine/SongTable.h"

#include <cstring>

namespace {

const char* const kSongTitles[kSongCount] = {
    "【イベント】クライマックス.mid",
    "【イベント】クロスケーション.mid",
    "【イベント】ミニゲーム.mid",
    "【イベント】閑話０.mid",
    "【イベント】国家平和化機構.mid",
    "【イベント】宿屋.mid",
    "【イベント】魔硝石.mid",
    "【イベント】魔硝石回収.mid",
    "【カード】フォーゲル.mid",
    "【カード】一般人戦.mid",
    "【カード】決勝.mid",
    "【カード】後半戦.mid",
    "【カード】準決勝.mid",
    "【カード】前半戦.mid",
    "【チャプター０】ブラッドエンプレス.mid",
    "【チャプター１】スラム街.mid",
    "【チャプター２】スラン平原.mid",
    "【チャプター３】デーロック議事堂.mid",
    "【チャプター４】戦艦フィルノア１.mid",
    "【チャプター４】戦艦フィルノア２.mid",
    "【チャプター５】仙人の山.mid",
    "【チャプター６】ステルスベース.mid",
    "【チャプター６】ブリザーヒル.mid",
    "【チャプター７】セントラルトルム１.mid",
    "【チャプター７】ルレノ廃墟.mid",
    "【チャプター８】魔空間.mid",
    "【チャプター９】セントラルトルム２.mid",
    "【チャプター９】海上基地フィングション.mid",
    "【テーマ】アラフォース.mid",
    "【テーマ】エンディング.mid",
    "【テーマ】クレイバー.mid",
    "【テーマ】シーフマスター.mid",
    "【テーマ】シェリル.mid",
    "【テーマ】ファーレンス.mid",
    "【テーマ】ファルク.mid",
    "【テーマ】コルヴァディン.mid",
    "【テーマ】リメル.mid",
    "【テーマ】リュウヒ.mid",
    "【バトル】偽りの時の中で.mid",
    "【バトル】九死に見えるもの.mid",
    "【バトル】軍事パレード.mid",
    "【バトル】原子核破壊兵器.mid",
    "【バトル】交わりの地.mid",
    "【バトル】皇帝に跪け.mid",
    "【バトル】死闘.mid",
    "【バトル】戦闘１.mid",
    "【バトル】戦闘２.mid",
    "【バトル】中央情報諜報局.mid",
    "【バトル】通常ボス.mid",
    "【バトル】波打つ要塞の天辺で.mid",
    "【バトル】魔硝石管理室.mid",
    "【バトル】目に映るは真の己.mid",
    "【バトル】遥かなる時の因縁.mid",
    "【マップ】コールルピック.mid",
    "【マップ】コールルピック２.mid",
    "【マップ】スキンタウン.mid",
    "【マップ】ディオゴ地下鉄道跡.mid",
    "【マップ】マルクセング.mid",
    "【マップ】ルレノキングダム.mid",
    "【マップ】仙人の山.mid",
    "【マップ】和国.mid",
};

}  // namespace

const char* songTitle(int number) {
    if (number < 1 || number > kSongCount) return nullptr;
    return kSongTitles[number - 1];
}

int songResourceForNumber(int number) {
    if (number < 1 || number > kSongCount) return -1;
    if (number <= 3) return 262 + number;
    if (number == 4) return 267;
    // Kept: the mountain map's title plays the fortress battle's resource,
    // and resource 324 is never played.
    if (number == 60) return 314;
    return 264 + number;
}

int songResourceId(const char* title) {
    if (!title) return -1;
    for (int number = 1; number <= kSongCount; ++number) {
        if (std::strcmp(title, kSongTitles[number - 1]) == 0) return songResourceForNumber(number);
    }
    return -1;
}
