// The numbered tips: game tips 1..14, and the Beginner's Guide, which is tip 0
// followed by tips 15..30.
#include "format_time.h"
#include "game.h"

namespace velmora {

namespace {

constexpr const char* kEraserExplained =
    "The Eraser will remove every existing note from a tile. To remove a single note, play that same note again."
    " If Ignore Mistakes is enabled, the Eraser can be used to clear any played tile.";

constexpr const char* kFixedTips[31] = {
    // 0: the guide's opening
    "Since this is your first game, some details about Velmora Sudoku will now be displayed."
    " This information is called the Beginner's Guide, and it lasts roughly six minutes."
    " The Beginner's Guide can be replayed at any time by pressing F12.",
    nullptr,  // 1: the Active Number
    "The puzzle is ready. Good Luck!",
    nullptr,  // 3: Blackout reveals left
    "Print Puzzle lets you create a paper version of the current game.  Unplayed tiles will be printed in white."
    "  Notes will not be printed.",
    kEraserExplained,
    "In Velmora Sudoku, all games and settings are saved automatically. You can resume the current puzzle when you "
    "return.",
    "This is the 'Game Report' menu. It shows your stats, and charts your progress in solving the last puzzle.",
    "Hints can be requested at any time. Sometimes a hint can not be found, depending on the puzzle.",
    "If you click Free Play, a tile will be revealed at random. This can be helpful if you get stuck on an "
    "especially difficult puzzle.",
    "This is the 'New Game' menu. From here, you can create a new puzzle, or load a specific puzzle using its "
    "puzzle code.",
    "This is the 'Options' menu, which is used to customize Velmora Sudoku. You can change your mouse button "
    "actions, review keyboard commands,"
    " control the Tips Window, select the items reported in the stats panel, review the tutorial, and change your "
    "game color.",
    "PAYBACK! A random tile has been hidden.",
    nullptr,  // 13: the Payback time gained
    nullptr,  // 14: Show Guides
    "The information in the upper-right part of the screen can help you decide which number to play.",
    "Below your name, there is a button for each number 1-9 and the Eraser. One of these buttons is always "
    "selected.",
    nullptr,  // 17: the Active Number again
    "The Active Number is used for quick plays with the mouse. It also applies while Show Guides is enabled (more "
    "on Show Guides later).",
    "There are many ways to control Velmora Sudoku. You can use the mouse buttons, the keyboard, or both.",
    "Each mouse button can perform a variety of actions.",
    "By default, the LEFT MOUSE BUTTON opens the Play Tile menu. This lets you play any number.",
    "You can set the LEFT MOUSE BUTTON to Quick Play, which will automatically play the Active Number. This mode is "
    "for players that search for one number at a time.",
    "By default, the RIGHT MOUSE BUTTON opens the Note Tile menu. This lets you make a note of any type.",
    "You can set the RIGHT MOUSE BUTTON to Quick Note, which will automatically make a note of the Active Number.",
    "Use the 'Options' menu to choose the mouse button commands that best fit your play style.",
    "You can play Velmora Sudoku entirely by keyboard, if you wish. This can be especially helpful for laptop users.",
    "The tile with the colored border is called the Cursor Tile. Use the ARROW KEYS to move the Cursor Tile.",
    "With a tile selected, press any NUMBER KEY to make a play. You can also press CTRL+NUMBER KEY to make a note.",
    "See the 'Options' menu for information on other keyboard commands.",
    nullptr,  // 30: the guide's end, with the player's name
};

}  // namespace

std::string Game::TipText(int index) const {
  if (index < 0 || index > 30) return "";
  const bool eraser = session_.activeNumber > 8 || session_.activeNumber < 0;
  const std::string digit(1, static_cast<char>('1' + (eraser ? 0 : session_.activeNumber)));
  switch (index) {
    case 1:
      if (eraser) return std::string("The Active Number is now '") + "Eraser'. " + kEraserExplained;
      return "The Active Number is now '" + digit + "'.";
    case 3: {
      const int count = session_.blackoutCount;
      return "BLACKOUT! Choose the tiles you wish to reveal by clicking them now. You have '" + std::to_string(count) +
             "' tile" + (count > 1 ? "s" : "") + " remaining.";
    }
    case 13:
      return "Well done! You now have " + FormatTime(session_.paybackTime, TimeStyle::Words) + " to find another tile.";
    case 14:
      if (eraser)
        return "Show Guides gives you information about the Active Number."
               " Since the Active Number is Eraser, Show Guides currently has no effect.";
      return "Show Guides gives you information about the Active Number."
             " The tabs around the game board point to the possible location of the remaining '" +
             digit + "'s. Essentially, the tabs are saying \"it could be here\".";
    case 17:
      return std::string("The selected number is called the Active Number. For example, the Active Number is now '") +
             (eraser ? std::string("Eraser") : digit) + "'.";
    case 30:
      return "This concludes the Beginner's Guide. The Tips Window will now return to its normal functionality."
             " You can press F12 at any time to replay the Beginner's Guide. Good luck " +
             PlayerNameText() + "!";
    default: return kFixedTips[index];
  }
}

}  // namespace velmora
