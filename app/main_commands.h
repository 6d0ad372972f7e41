// The main window's commands as one table: each row makes one QAction and puts it in its menu;
// the toolbar is a list of the same commands.
#pragma once

#include <span>

namespace keelmark {

class CMainFrame;

// Which editor a command needs before it can be enabled (tests build windows without some).
enum class CommandNeeds { Nothing, RecordEditor, VesselEditor, VoyageEditor, OptionsEditor };

struct CommandRow {
  const char* name;           // object name of the action
  const char* menu;           // "&File", or "&File/Meteo data" for a submenu; null: keys only
  const char* text;           // menu text
  const char* commandString;  // status-bar prompt, a line break and the tooltip
  const char* shortcut;       // QKeySequence text ("Ctrl+N"), alternates after "; ", or null
  const char* icon;           // toolbar icon name, or null
  void (CMainFrame::*run)();  // null: shown greyed out
  bool separatorBefore = false;
  CommandNeeds needs = CommandNeeds::Nothing;
  bool checkable = false;
};

// In menu order; menus appear in the order of their first row.
[[nodiscard]] std::span<const CommandRow> MainCommands();

// The toolbar, left to right; an empty name is a separator.
[[nodiscard]] std::span<const char* const> ToolBarCommands();

// Where the recent route documents go in the File menu: before this command.
inline constexpr const char* kRecentFilesBefore = "actionFileExit";

}  // namespace keelmark
