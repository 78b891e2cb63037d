#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace game {

// One byte per board cell.
using Cell = std::uint8_t;

inline constexpr Cell CellEmpty = 0;
inline constexpr Cell CellBig = 10;  // 2x2 piece: 10 top-left, 11, 12, 13
inline constexpr Cell CellBigTopRight = 11;
inline constexpr Cell CellBigBottomLeft = 12;
inline constexpr Cell CellBigBottomRight = 13;
inline constexpr Cell CellHor = 20;  // lying piece: 20 left, 21 right
inline constexpr Cell CellHorRight = 21;
inline constexpr Cell CellVer = 30;  // standing piece: 30 top, 31 bottom
inline constexpr Cell CellVerBottom = 31;
inline constexpr Cell CellSmall = 40;
inline constexpr Cell CellAny = 50;  // goals only: the cell is not constrained

inline constexpr int kColumns = 4;
inline constexpr int kRows = 5;
inline constexpr int kCellCount = kColumns * kRows;

// Index of cell (x, y), x 1..4, y 1..5: columns outer, rows inner. It is also the index of
// the cell's image in the main window.
constexpr int CellIndex(int x, int y) {
    return (x - 1) * kRows + (y - 1);
}

// 4 columns by 5 rows of cell codes, indexed (x, y) from 1.
struct Board {
    std::array<Cell, kCellCount> cells{};

    constexpr Cell& operator()(int x, int y) { return cells[CellIndex(x, y)]; }
    constexpr const Cell& operator()(int x, int y) const { return cells[CellIndex(x, y)]; }
    friend constexpr bool operator==(const Board&, const Board&) = default;
};

// Reads a board written as players read it: five rows from the top separated by '/',
// each four codes from the left, e.g. "30 10 11 30 / 31 12 13 31 / 0 20 21 0 / ...".
// Empty when the text is not exactly 20 codes of 0..255 in five rows of four.
constexpr std::optional<Board> BoardFromRows(std::string_view text) {
    Board board;
    int row = 1;
    int column = 0;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && text[i] == ' ') {
            ++i;
        }
        if (i == text.size()) {
            break;
        }
        if (text[i] == '/') {
            if (column != kColumns) {
                return std::nullopt;
            }
            ++row;
            column = 0;
            ++i;
            continue;
        }
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        int value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + (text[i] - '0');
            if (value > 255) {
                return std::nullopt;
            }
            ++i;
        }
        ++column;
        if (row > kRows || column > kColumns) {
            return std::nullopt;
        }
        board(column, row) = static_cast<Cell>(value);
    }
    if (row != kRows || column != kColumns) {
        return std::nullopt;
    }
    return board;
}

// The same notation back: "30 10 11 30 / 31 12 13 31 / ...".
std::string BoardToRows(const Board& board);

}  // namespace game
