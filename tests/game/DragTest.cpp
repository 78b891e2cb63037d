#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "game/Board.h"
#include "game/Drag.h"
#include "game/Moves.h"
#include "support/BoardText.h"

namespace game {

static void PrintTo(const CellPlace& place, std::ostream* os) {
    *os << "(" << place.x << ", " << place.y << ")";
}

}  // namespace game

namespace {

using namespace game;
using testsupport::Rows;

template <typename... K>
constexpr MoveFlags Kinds(K... kinds) {
    return static_cast<MoveFlags>((0 | ... | KindBit(kinds)));
}

TEST(DragTest, BandsHaveStrictUpperBoundsOnBothAxes) {
    struct Band {
        float t;
        int zone;
    };
    const Band kBands[] = {
        {-1.0e6f, 8},
        {-751.0f, 8},
        {std::nextafter(-750.0f, -1000.0f), 8},
        {-750.0f, 9},
        {-0.5f, 9},
        {0.0f, 10},
        {std::nextafter(750.0f, 0.0f), 10},
        {750.0f, 11},
        {1499.0f, 11},
        {std::nextafter(1500.0f, 0.0f), 11},
        {1500.0f, 12},
        {1.0e6f, 12},
    };
    for (const Band& band : kBands) {
        SCOPED_TRACE("t = " + std::to_string(band.t));
        EXPECT_EQ(Zone(band.t), band.zone);
        EXPECT_EQ(WorkOutDrop({2, 3}, band.t, 375.0f, 0).zoneX, band.zone);
        EXPECT_EQ(WorkOutDrop({2, 3}, 375.0f, band.t, 0).zoneY, band.zone);
    }
}

struct DropCase {
    const char* name;
    MoveFlags flags;
    CellPlace piece;
    float X;
    float Y;
    int steps;
    CellPlace drop;
};

// The sum in the up-right corner is 749.9999962 in exact arithmetic and 750 in single precision.
const float kJustAboveMinus50 = std::nextafter(-50.0f, -100.0f);

const DropCase kCornerCases[] = {
    {"up-left, farther up", Kinds(MoveUp, MoveLeft), {2, 3}, -100, -200, 1, {2, 2}},
    {"up-left, farther left", Kinds(MoveUp, MoveLeft), {2, 3}, -200, -100, 1, {1, 3}},
    {"up-left, tie goes left", Kinds(MoveUp, MoveLeft), {2, 3}, -100, -100, 1, {1, 3}},
    {"up-left, both far", Kinds(MoveUp, MoveLeft), {2, 3}, -1125, -1200, 1, {2, 2}},
    {"up-right, sum 749", Kinds(MoveUp, MoveRight), {2, 3}, 800, -51, 1, {2, 2}},
    {"up-right, sum 750 goes right", Kinds(MoveUp, MoveRight), {2, 3}, 800, -50, 1, {3, 3}},
    {"up-right, sum rounds to 750",
     Kinds(MoveUp, MoveRight),
     {2, 3},
     800,
     kJustAboveMinus50,
     1,
     {3, 3}},
    {"down-left, sum 749", Kinds(MoveDown, MoveLeft), {2, 3}, -100, 849, 1, {1, 3}},
    {"down-left, sum 750 goes down", Kinds(MoveDown, MoveLeft), {2, 3}, -100, 850, 1, {2, 4}},
    {"down-right, farther right", Kinds(MoveDown, MoveRight), {2, 3}, 801, 800, 1, {3, 3}},
    {"down-right, tie goes down", Kinds(MoveDown, MoveRight), {2, 3}, 800, 800, 1, {2, 4}},
    {"corner with one slide only", Kinds(MoveUp), {2, 3}, -375, -375, 1, {2, 2}},
    {"corner with the other slide only", Kinds(MoveLeft, MoveDown), {2, 3}, -375, -375, 1, {1, 3}},
};

const DropCase kPathCases[] = {
    {"within the pressed cell", Kinds(MoveUp, MoveLeft, MoveThenUp), {2, 3}, 375, 375, 0, {2, 3}},
    {"no move at all", 0, {2, 3}, -1125, 1875, 0, {2, 3}},
    {"away from the only slide", Kinds(MoveUp), {2, 3}, 375, 1125, 0, {2, 3}},

    // Up, then left.
    {"up-left path: above", Kinds(MoveUp, MoveThenLeft), {2, 3}, 375, -375, 1, {2, 2}},
    {"up-left path: far above", Kinds(MoveUp, MoveThenLeft), {2, 3}, 375, -1125, 1, {2, 2}},
    {"up-left path: above-right", Kinds(MoveUp, MoveThenLeft), {2, 3}, 1125, -375, 1, {2, 2}},
    {"up-left path: above-left", Kinds(MoveUp, MoveThenLeft), {2, 3}, -375, -375, 2, {1, 2}},
    {"up-left path: far above-left", Kinds(MoveUp, MoveThenLeft), {2, 3}, -1125, -1125, 2, {1, 2}},
    {"up-left path: only left", Kinds(MoveUp, MoveThenLeft), {2, 3}, -375, 375, 0, {2, 3}},
    {"up-left path: far left", Kinds(MoveUp, MoveThenLeft), {2, 3}, -1125, 375, 0, {2, 3}},

    // Left, then up.
    {"left-up path: above-left", Kinds(MoveLeft, MoveThenUp), {2, 3}, -375, -375, 2, {1, 2}},
    {"left-up path: only left", Kinds(MoveLeft, MoveThenUp), {2, 3}, -375, 375, 1, {1, 3}},
    {"left-up path: only above", Kinds(MoveLeft, MoveThenUp), {2, 3}, 375, -375, 0, {2, 3}},

    // The other corners.
    {"up-right path", Kinds(MoveUp, MoveThenRight), {2, 3}, 1125, -375, 2, {3, 2}},
    {"right-down path", Kinds(MoveRight, MoveThenDown), {2, 3}, 1125, 1125, 2, {3, 4}},
    {"down-right path", Kinds(MoveDown, MoveThenRight), {2, 3}, 1875, 1875, 2, {3, 4}},
    {"down-left path", Kinds(MoveDown, MoveThenLeft), {2, 3}, -375, 1125, 2, {1, 4}},
    {"left-down path", Kinds(MoveLeft, MoveThenDown), {2, 3}, -1125, 1125, 2, {1, 4}},

    // Straight on: two cells in the far band, whatever the other axis.
    {"two up, far left", Kinds(MoveUp, MoveThenUp), {1, 3}, -1125, -1125, 2, {1, 1}},
    {"two up, left", Kinds(MoveUp, MoveThenUp), {1, 3}, -375, -1125, 2, {1, 1}},
    {"two up, in column", Kinds(MoveUp, MoveThenUp), {1, 3}, 375, -1125, 2, {1, 1}},
    {"two up, right", Kinds(MoveUp, MoveThenUp), {1, 3}, 1125, -1125, 2, {1, 1}},
    {"two up, far right", Kinds(MoveUp, MoveThenUp), {1, 3}, 1875, -1125, 2, {1, 1}},
    {"one up in the near band", Kinds(MoveUp, MoveThenUp), {1, 3}, 1875, -375, 1, {1, 2}},
    {"two down", Kinds(MoveDown, MoveThenDown), {1, 1}, 375, 1500, 2, {1, 3}},
    {"one down just short", Kinds(MoveDown, MoveThenDown), {1, 1}, 375, 1499, 1, {1, 2}},
    {"two left", Kinds(MoveLeft, MoveThenLeft), {3, 1}, -751, -375, 2, {1, 1}},
    {"two right", Kinds(MoveRight, MoveThenRight), {1, 1}, 1500, 1125, 2, {3, 1}},

    // A big piece pressed on any cell: the offsets count from that cell.
    {"big piece down", Kinds(MoveDown), {2, 1}, 375, 1125, 1, {2, 2}},
    {"big piece far down moves one", Kinds(MoveDown), {2, 1}, 375, 2500, 1, {2, 2}},
};

void ExpectDrops(const DropCase* begin, const DropCase* end) {
    for (const DropCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->name);
        const DragPlace place = WorkOutDrop(c->piece, c->X, c->Y, c->flags);
        EXPECT_EQ(place.steps, c->steps);
        EXPECT_EQ(place.steps, DragSteps(place.zoneX, place.zoneY, c->flags));
        EXPECT_EQ(place.drop.x, c->drop.x);
        EXPECT_EQ(place.drop.y, c->drop.y);
    }
}

TEST(DragTest, CornerTieBreaksTakeTheAxisThePointerLiesFartherAlong) {
    ExpectDrops(std::begin(kCornerCases), std::end(kCornerCases));
}

TEST(DragTest, DropFollowsTheOneOrTwoCellPathThePointerPointsAt) {
    ExpectDrops(std::begin(kPathCases), std::end(kPathCases));
}

TEST(DragTest, AnyCellOfAPieceLeadsToItsAnchor) {
    const Board board = Rows("30 10 11 30 / 31 12 13 31 / 0 20 21 0 / 30 40 40 30 / 31 40 40 31");
    struct Case {
        int x, y;
        CellPlace anchor;
    };
    const Case kCases[] = {
        {2, 1, {2, 1}}, {3, 1, {2, 1}}, {2, 2, {2, 1}}, {3, 2, {2, 1}},  // big piece
        {2, 3, {2, 3}}, {3, 3, {2, 3}},                                  // lying piece
        {4, 4, {4, 4}}, {4, 5, {4, 4}},                                  // standing piece
        {3, 5, {3, 5}},                                                  // small piece
        {1, 3, {1, 3}},                                                  // empty cell
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(AnchorOf(board, c.x, c.y), c.anchor) << "cell (" << c.x << ", " << c.y << ")";
    }
}

TEST(DragTest, MovePieceClearsTheOldPlaceBeforeWritingTheNew) {
    struct Case {
        const char* name;
        const char* before;
        CellPlace from;
        CellPlace to;
        const char* after;
    };
    const Case kCases[] = {
        {"big down, overlapping",
         "40 10 11 40 / 0 12 13 0 / 0 0 0 0 / 0 0 0 0 / 40 0 0 40",
         {2, 1},
         {2, 2},
         "40 0 0 40 / 0 10 11 0 / 0 12 13 0 / 0 0 0 0 / 40 0 0 40"},
        {"big left, overlapping",
         "0 10 11 40 / 0 12 13 40 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",
         {2, 1},
         {1, 1},
         "10 11 0 40 / 12 13 0 40 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0"},
        {"lying right, overlapping",
         "20 21 0 40 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",
         {1, 1},
         {2, 1},
         "0 20 21 40 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0"},
        {"lying two right",
         "20 21 0 0 / 40 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",
         {1, 1},
         {3, 1},
         "0 0 20 21 / 40 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0"},
        {"standing up, overlapping",
         "40 0 0 0 / 0 0 0 0 / 30 0 0 0 / 31 0 0 0 / 40 0 0 0",
         {1, 3},
         {1, 2},
         "40 0 0 0 / 30 0 0 0 / 31 0 0 0 / 0 0 0 0 / 40 0 0 0"},
        {"standing two down",
         "30 0 0 0 / 31 0 0 0 / 0 0 0 0 / 0 0 0 0 / 40 0 0 0",
         {1, 1},
         {1, 3},
         "0 0 0 0 / 0 0 0 0 / 30 0 0 0 / 31 0 0 0 / 40 0 0 0"},
        {"small round a corner",
         "0 0 0 0 / 0 40 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",
         {2, 2},
         {1, 1},
         "40 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0"},
        {"dropped where it started",
         "0 10 11 0 / 0 12 13 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",
         {2, 1},
         {2, 1},
         "0 10 11 0 / 0 12 13 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0"},
        {"from a cell that is no anchor",
         "0 10 11 0 / 0 12 13 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",
         {3, 2},
         {3, 3},
         "0 10 11 0 / 0 12 13 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0"},
        {"from an empty cell",
         "0 10 11 0 / 0 12 13 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",
         {1, 1},
         {1, 2},
         "0 10 11 0 / 0 12 13 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0"},
        {"to a place past the edge",
         "0 0 10 11 / 0 0 12 13 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",
         {3, 1},
         {4, 1},
         "0 0 10 11 / 0 0 12 13 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0"},
    };
    for (const Case& c : kCases) {
        Board board = Rows(c.before);
        MovePiece(board, c.from, c.to);
        EXPECT_EQ(BoardToRows(board), BoardToRows(Rows(c.after))) << c.name;
    }
}

}  // namespace
