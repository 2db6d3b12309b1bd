// Receiving a selection's text: the target fallback, incremental assembly, limits and decoding.
#include "platform/fltk/x11/selection_transfer.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using fltk::SelectionTransfer;
using Next = SelectionTransfer::Next;
using Encoding = SelectionTransfer::Encoding;
using Target = SelectionTransfer::Target;

constexpr std::size_t Roomy = 1 << 20;

TEST(SelectionTransferTest, AWholeAnswerIsTheTextWithCrLfLineEndsAsLf) {
    SelectionTransfer transfer(Roomy);
    EXPECT_EQ(transfer.target(), Target::Utf8String);
    EXPECT_EQ(transfer.whole(Encoding::Utf8, "12\r\n3\r4\n\r\n"), Next::Done);
    EXPECT_EQ(transfer.text(), "12\n3\r4\n\n");
}

TEST(SelectionTransferTest, AnOwnerWithoutUtf8TextIsAskedForLatin1OnceThenGivenUp) {
    SelectionTransfer transfer(Roomy);
    EXPECT_EQ(transfer.refused(), Next::Convert);
    EXPECT_EQ(transfer.target(), Target::String);
    EXPECT_EQ(transfer.refused(), Next::Failed);

    SelectionTransfer latin1(Roomy);
    ASSERT_EQ(latin1.refused(), Next::Convert);
    EXPECT_EQ(latin1.whole(Encoding::Latin1, "caf\xE9 \xFF"), Next::Done);
    EXPECT_EQ(latin1.text(), "caf\xC3\xA9 \xC3\xBF");
}

TEST(SelectionTransferTest, AnIncrementalTransferJoinsItsPiecesUntilAnEmptyOne) {
    SelectionTransfer transfer(Roomy);
    EXPECT_FALSE(transfer.in_pieces());
    EXPECT_EQ(transfer.incremental(9), Next::AwaitChunk);
    EXPECT_TRUE(transfer.in_pieces());
    EXPECT_EQ(transfer.chunk("000\r"), Next::AwaitChunk);
    // A line end split between two pieces is still one line end.
    EXPECT_EQ(transfer.chunk("\n25"), Next::AwaitChunk);
    EXPECT_EQ(transfer.chunk("5"), Next::AwaitChunk);
    EXPECT_EQ(transfer.chunk(""), Next::Done);
    EXPECT_EQ(transfer.text(), "000\n255");
    // After the STRING fallback, the pieces are Latin-1.
    SelectionTransfer latin1(Roomy);
    ASSERT_EQ(latin1.refused(), Next::Convert);
    ASSERT_EQ(latin1.incremental(0), Next::AwaitChunk);
    ASSERT_EQ(latin1.chunk("\xB5"), Next::AwaitChunk);
    ASSERT_EQ(latin1.chunk(""), Next::Done);
    EXPECT_EQ(latin1.text(), "\xC2\xB5");
}

TEST(SelectionTransferTest, PiecesAndRefusalsOutOfTurnEndTheTransfer) {
    SelectionTransfer unannounced(Roomy);
    EXPECT_EQ(unannounced.chunk("5"), Next::Failed);
    SelectionTransfer refused_midway(Roomy);
    ASSERT_EQ(refused_midway.incremental(1), Next::AwaitChunk);
    EXPECT_EQ(refused_midway.refused(), Next::Failed);
}

TEST(SelectionTransferTest, NoTextBeyondTheLimitIsTaken) {
    SelectionTransfer exact(4);
    EXPECT_EQ(exact.whole(Encoding::Utf8, "1234"), Next::Done);
    EXPECT_EQ(exact.text(), "1234");
    SelectionTransfer whole(4);
    EXPECT_EQ(whole.whole(Encoding::Utf8, "12345"), Next::Failed);
    // Latin-1 grows as it becomes UTF-8.
    SelectionTransfer widened(3);
    EXPECT_EQ(widened.whole(Encoding::Latin1, "12\xE9"), Next::Failed);
    SelectionTransfer pieces(4);
    ASSERT_EQ(pieces.incremental(2), Next::AwaitChunk);
    ASSERT_EQ(pieces.chunk("123"), Next::AwaitChunk);
    EXPECT_EQ(pieces.chunk("45"), Next::Failed);
    // The owner's size hint is no reason to reserve beyond the limit.
    SelectionTransfer boastful(4);
    EXPECT_EQ(boastful.incremental(std::numeric_limits<std::size_t>::max()), Next::AwaitChunk);
    EXPECT_EQ(boastful.chunk("7"), Next::AwaitChunk);
    EXPECT_EQ(boastful.chunk(""), Next::Done);
    EXPECT_EQ(boastful.text(), "7");
}

}  // namespace
