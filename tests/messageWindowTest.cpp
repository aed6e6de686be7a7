#include "tests/eventsFixture.h"

#include <string>

#include "tests/shopFixture.h"

namespace {

// One step of a message, called as the event script does (the step restored).
void messageStep(int input, int n = 0) {
    gInputCode = input;
    gMessageMode = 0;
    showMessage(n);
    ++gEventStep;
}

}  // namespace

TEST_F(EventFrames, TypewriterShowsFiveBytesAndKeepsDoubleByteCharactersWhole) {
    setMessage("", "abcdefghijkl", "", "");
    messageStep(0);
    EXPECT_EQ(advanceMessageTypewriter(), 5);
    EXPECT_EQ(wholeCharacterLength(gMessageText, 5), 5);

    setMessage("", "abcd\x82\xa0xyz", "", "");  // the fifth byte leads a character
    gMessageTyped = 0;
    EXPECT_EQ(wholeCharacterLength(gMessageText, advanceMessageTypewriter()), 6);
}

TEST_F(EventFrames, DecideWhileTypingShowsAllAndASecondDecideCloses) {
    setMessage("", std::string(60, 'x').c_str(), "", "");
    gEventStep = 1;
    messageStep(0);
    advanceMessageTypewriter();
    messageStep(10);  // whole at once, still open
    EXPECT_EQ(gMessageTyped, static_cast<int>(std::strlen(gMessageText)));
    EXPECT_EQ(gMessagePausing, 0);
    EXPECT_EQ(gEventStep, 1);
    messageStep(10);
    EXPECT_EQ(gMessageMode, 3);
    EXPECT_EQ(gMessagePausing, 1);
    EXPECT_EQ(gMessageTyped, 0);
    EXPECT_EQ(gInputCode, 0);
    EXPECT_EQ(gRedrawRequest[0], 2);
    EXPECT_EQ(gEventStep, 1);
    // the closing frame's typewriter leaves the counter at 5, so the next
    // message's first frame shows 10 bytes
    advanceMessageTypewriter();
    EXPECT_EQ(gMessageMode, 0);
    EXPECT_EQ(gMessageTyped, 5);
    EXPECT_EQ(advanceMessageTypewriter(), 10);
}

TEST_F(EventFrames, MessagePauseOfNHoldsTenNPlusOneFramesWithoutWindow) {
    for (int n : {0, 1, 3}) {
        SetUp();
        setMessage("", "a", "", "");
        gEventStep = 1;
        messageStep(0);
        advanceMessageTypewriter();
        messageStep(10);
        advanceMessageTypewriter();
        int held = 0;
        while (gEventStep == 1 && held < 200) {
            messageStep(0, n);
            EXPECT_EQ(gMessageMode, 0);
            ++held;
        }
        EXPECT_EQ(held, 10 * n + 2) << n;  // the pause and the releasing frame
        EXPECT_EQ(gMessagePausing, 0);
    }
}

TEST_F(EventFrames, SetMessageJoinsLinesAndCutsOnCharacterBoundaries) {
    setMessage("name", "one", "", "three");
    EXPECT_STREQ(gMessageText, "one\n\nthree");
    EXPECT_EQ(gPortraitLoaded, 0);

    const std::string longName(40, 'n');
    setMessage(longName.c_str(), "", "", "");
    EXPECT_EQ(std::strlen(gSpeakerName), 29u);

    std::string straddling(28, 'n');
    straddling += "\x83\x41";  // a double-byte character over byte 29
    setMessage(straddling.c_str(), "", "", "");
    EXPECT_EQ(std::strlen(gSpeakerName), 28u);

    const std::string line(200, 'x');
    setMessage("", line.c_str(), line.c_str(), "");
    EXPECT_EQ(std::strlen(gMessageText), 298u);
    std::string wide;
    for (int i = 0; i < 160; ++i) wide += "\x82\xa0";
    setMessage("", wide.c_str(), "", "");
    EXPECT_EQ(std::strlen(gMessageText), 298u);
    EXPECT_EQ(wholeCharacterLength(gMessageText, 298), 298);
}

TEST_F(EventFrames, PortraitLayoutFollowsTheConfiguration) {
    setMessagePortrait(1, 4, 2);
    EXPECT_EQ(gMessageStyle, 1);
    gConfig[3] = 1;
    setMessagePortrait(1, 7, 9);
    EXPECT_EQ(gMessageStyle, 0);
    EXPECT_EQ(gPortraitCell[0], 7);
    EXPECT_EQ(gPortraitCell[1], 9);
    setMessagePortrait(2, 0, 0);
    EXPECT_EQ(gMessageStyle, 2);
}

TEST_F(EventFrames, AMessageReadsItsPortraitSheetOnceWhileItShows) {
    shoptest::Drawn drawn;
    const std::vector<std::string>& read = drawn.device.texturesLoaded;
    // A script sets its message again on every frame the message shows.
    const auto showFrames = [&](int frames) {
        for (int f = 0; f < frames; ++f) {
            setMessage("name", "line", "", "");
            drawMessageWindow(drawn.resources, &drawn.device, 0);
        }
    };
    setMessagePortrait(1, 7, 2);  // sheet 349
    showFrames(5);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_NE(read[0].find("349"), std::string::npos);
    ASSERT_NE(drawn.resources.portraitSheet, nullptr);

    setMessagePortrait(1, 7, 3);  // the same sheet
    showFrames(3);
    EXPECT_EQ(read.size(), 1u);
    setMessagePortrait(1, 2, 6);  // sheet 348
    showFrames(3);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_NE(read[1].find("348"), std::string::npos);

    // The camp menu put the party's sheet in: the message's comes back.
    readPortraitSheet(drawn.resources, &drawn.device, 347);
    showFrames(2);
    ASSERT_EQ(read.size(), 4u);
    EXPECT_NE(read[3].find("348"), std::string::npos);
}

TEST_F(EventFrames, ChoiceSwallowsOtherKeysWhileOpen) {
    setMessage("", "a", "b", "c");
    gEventStep = 2;
    gInputCode = 4;  // left
    showChoice(3);
    ++gEventStep;
    EXPECT_EQ(gInputCode, 0);
    EXPECT_EQ(gEventStep, 2);
    EXPECT_EQ(gChoiceCursor, 0);
    branchOnChoice(9, 9, 9);  // still open: nothing
    EXPECT_EQ(gEventStep, 2);
}
