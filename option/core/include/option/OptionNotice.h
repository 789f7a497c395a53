#pragma once

namespace option {

// What the Configuration program tells the user when something asked for
// could not be done. Each has a skinned notice whose picture carries the
// wording; the variable part (a file, a reason) is written on it at run time.
enum class OptionNotice {
  NoProgramChosen,      // Quicklaunch with an empty path
  ProgramPathTooLong,   // Quicklaunch path beyond the slot's 259 characters
  TimersFull,           // Create Timer with 51 timers already
  NoTimers,             // Edit/Delete Timer with none
  TimersNotSaved,       // config/Timer.ini not written; detail: the file
  TimerRefused,         // the new timer broke a rule; detail: which
  ProfileNotSaved,      // profile export failed; detail: the file
  ProfileNotLoaded,     // profile import could not read the file; detail: the file
  ProfileFileReserved,  // export onto a default profile file; detail: the file
};

}  // namespace option
