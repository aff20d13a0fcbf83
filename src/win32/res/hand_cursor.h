#pragma once

// The link labels' hand cursor: 32x32, monochrome, a hand with a raised index
// finger whose tip is the hot spot. '#' is black, '.' white, ' ' transparent.
namespace quillmont::win32 {

constexpr int kHandCursorSize = 32;
constexpr int kHandCursorHotSpotX = 6;
constexpr int kHandCursorHotSpotY = 0;

constexpr const char* kHandCursorImage[kHandCursorSize] = {
    "     ##                         ",
    "    #..#                        ",
    "    #..#                        ",
    "    #..#                        ",
    "    #..#                        ",
    "    #..###                      ",
    "    #..#..###                   ",
    "    #..#..#..##                 ",
    "    #..#..#..#.#                ",
    " ## #........#..#               ",
    "#..##...........#               ",
    "#...#...........#               ",
    " #..............#               ",
    "  #.............#               ",
    "  #............#                ",
    "   #...........#                ",
    "   #..........#                 ",
    "    #.........#                 ",
    "    #.........#                 ",
    "    ###########                 ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
};

}  // namespace quillmont::win32
