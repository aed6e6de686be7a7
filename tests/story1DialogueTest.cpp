// The story's lines: the built file, its checks, and what a script sees when
// a line is missing.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "events/EventEngine.h"
#include "events/MessageWindow.h"
#include "field/EventState.h"
#include "story/Dialogue.h"

namespace {

const std::string kBuiltLines = std::string(CORVADINE_GAME_DIR) + "/" + kDialogueFile;

struct DialogueTest : ::testing::Test {
    void SetUp() override {
        resetDialogue();
        resetMessageWindow();
        resetEventEngine();
    }
    void TearDown() override { resetDialogue(); }
};

DialogueLine line(const char* key, int layout, const char* speaker, const char* a, const char* b = "", const char* c = "") {
    DialogueLine out;
    out.key = key;
    out.layout = layout;
    out.speaker = speaker;
    out.lines[0] = a;
    out.lines[1] = b;
    out.lines[2] = c;
    return out;
}

}  // namespace

TEST_F(DialogueTest, BuiltLinesLoadAndEveryMessageFitsTheWindow) {
    std::string error;
    ASSERT_TRUE(loadDialogueFile(kBuiltLines.c_str(), error)) << error;
    EXPECT_GT(dialogueCount(), 400u);
    // The loader has checked every message; check the widths once more here
    // against the window's own limits.
    std::ifstream file(kBuiltLines, std::ios::binary);
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<DialogueLine> lines;
    ASSERT_TRUE(decodeDialogue(data, lines, error)) << error;
    for (const DialogueLine& l : lines) {
        EXPECT_LE(l.speaker.size(), 29u) << l.key;
        for (const std::string& text : l.lines) {
            EXPECT_LE(static_cast<int>(text.size()), l.layout == 1 ? 42 : 52) << l.key;
            EXPECT_LT(text.size() + 1, static_cast<std::size_t>(kMessageTextSize)) << l.key;
        }
    }
}

TEST_F(DialogueTest, QuotedLinesStandByteForByte) {
    struct Quote {
        const char* key;
        const char* speaker;
        const char* first;
        const char* second;
    };
    const Quote quotes[] = {
        {"3.13.38", "スキンエンパイア兵", "侵入者だ！", ""},
        {"3.13.68", "シェリル", "ちょっと自信ないかも。", "バッチリ！"},
        {"3.32.3", "", "[Enter]か[Space]、[Z]キーを押せば", "ジャンプをすることができます。"},
        {"3.32.4", "", "ゲームパッドでは、第一ボタンがジャンプと対応します。", "ただし、ゲームパッドを使用する場合は"},
        {"3.32.5", "", "なお、[Space][Z]キーとゲームパッド第一ボタンは", "[Enter]キーと全く同じ効果を持ちます。"},
        {"5.9.shop", "もろこし", "何か買ってくれるのかい？", ""},
        {"6.3.1", "ファルク", "リメルか？", ""},
        {"21.5.2", "シェリル", "まだ用事が残ってるかも。", "じゃあそろそろ休むかな。"},
        {"21.10.7", "", "ライトニクスガンを手に入れた！", ""},
        {"21.9.1", "デーロック皇帝", nullptr, nullptr},
        {"22.2.1", "紫色の髪の人", nullptr, nullptr},
        {"2.7.11", "紫髪のバンダナ男", nullptr, nullptr},
        {"2.7.31", "シーフマスター", nullptr, nullptr},
        {"2.7.19", "茶髪の男", nullptr, nullptr},
        {"5.9.1", "橙色の髪の人", nullptr, nullptr},
        {"5.9.23", "モルコスフィア", nullptr, nullptr},
        {"5.9.38", "もろこし？", nullptr, nullptr},
        {"7.3.2", "男の声", nullptr, nullptr},
        {"3.13.41", "？？？", nullptr, nullptr},
        {"chapter.save", "", "セーブして続ける", "セーブしないで続ける"},
    };
    std::string error;
    ASSERT_TRUE(loadDialogueFile(kBuiltLines.c_str(), error)) << error;
    for (const Quote& q : quotes) {
        const DialogueLine* found = findDialogue(q.key);
        ASSERT_NE(found, nullptr) << q.key;
        EXPECT_EQ(found->speaker, q.speaker) << q.key;
        if (q.first != nullptr) {
            EXPECT_EQ(found->lines[0], q.first) << q.key;
        }
        if (q.second != nullptr) {
            EXPECT_EQ(found->lines[1], q.second) << q.key;
        }
    }
}

// The keys the story's sources name outright (the numbered steps are checked
// by playing the scenes in story1ScenesTest).
TEST_F(DialogueTest, EveryKeyTheScriptsNameExists) {
    std::string error;
    ASSERT_TRUE(loadDialogueFile(kBuiltLines.c_str(), error)) << error;
    const std::regex named(R"((?:say|offerChoice)\("([^"]+)\")");
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(CORVADINE_SOURCE_DIR) + "/story")) {
        if (entry.path().extension() != ".cpp") continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        const std::string source = text.str();
        for (std::sregex_iterator it(source.begin(), source.end(), named), end; it != end; ++it) {
            ++seen;
            EXPECT_NE(findDialogue((*it)[1].str().c_str()), nullptr) << entry.path().filename() << ": " << (*it)[1];
        }
    }
    EXPECT_GT(seen, 0);
}

TEST_F(DialogueTest, DecoderRefusesBrokenFilesWithAReason) {
    const std::vector<DialogueLine> good = {line("a.1", 1, "シェリル", "うん。"), line("a.2", 0, "", "お知らせ")};
    const std::vector<std::uint8_t> bytes = encodeDialogue(good);
    std::vector<DialogueLine> out;
    std::string error;
    ASSERT_TRUE(decodeDialogue(bytes, out, error)) << error;
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].speaker, "シェリル");
    EXPECT_EQ(out[1].lines[0], "お知らせ");

    struct Case {
        const char* what;
        std::vector<std::uint8_t> data;
    };
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - 3);
    std::vector<std::uint8_t> extra = bytes;
    extra.push_back(0);
    std::vector<std::uint8_t> header = bytes;
    header[0] = 'X';
    std::vector<std::uint8_t> counted = bytes;
    counted[4] = 200;  // more messages than the file holds
    const std::vector<std::uint8_t> wide =
        encodeDialogue({line("w", 1, "シェリル", "あいうえおかきくけこさしすせそたちつてとなに")});  // 22 characters
    const std::vector<std::uint8_t> longName = encodeDialogue({line("n", 0, "とてもとてもながいなまえのひとです", "はい")});
    for (const Case& c : {Case{"cut short", cut}, Case{"trailing bytes", extra}, Case{"no header", header},
                          Case{"count too large", counted}, Case{"line too wide", wide}, Case{"speaker too long", longName},
                          Case{"empty", {}}}) {
        error.clear();
        EXPECT_FALSE(decodeDialogue(c.data, out, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_TRUE(out.empty()) << c.what;
    }
}

TEST_F(DialogueTest, WindowWidthsFollowTheLayout) {
    // 21 full-width characters beside a portrait, 26 in the plain box.
    EXPECT_EQ(dialogueFitError(line("p", 1, "", "あいうえおかきくけこさしすせそたちつてとな")), "");
    EXPECT_NE(dialogueFitError(line("p", 1, "", "あいうえおかきくけこさしすせそたちつてとなに")), "");
    EXPECT_EQ(dialogueFitError(line("b", 0, "", "あいうえおかきくけこさしすせそたちつてとなにぬねのは")), "");
    EXPECT_NE(dialogueFitError(line("b", 0, "", "あいうえおかきくけこさしすせそたちつてとなにぬねのはひ")), "");
    DialogueLine badPortrait = line("q", 1, "", "はい");
    badPortrait.portrait = 20;
    EXPECT_NE(dialogueFitError(badPortrait), "");
}

TEST_F(DialogueTest, MissingLineShowsItsKeyAndTheEventGoesOn) {
    std::string error;
    EXPECT_FALSE(loadDialogueFile("/nonexistent/Dialogue.dat", error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
    gEventStep = 5;
    say("9.9.9", 0);
    EXPECT_EQ(gDialogueMisses, 1);
    EXPECT_STREQ(gMessageText, "9.9.9\n\n");
    EXPECT_EQ(gMessageMode, 1);
    EXPECT_EQ(gEventStep, 4);  // held like any message, so the player can read past it
}
