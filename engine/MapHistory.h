#pragma once
// Undo and redo for a map: whole-map states before and after each command. A command is
// bracketed by Begin and Commit; one that changed nothing leaves no step. Brackets may nest
// (a command made of commands is one step). Depth is bounded only by memory.

#include <string>
#include <vector>

#include "engine/CarnoGrid.h"

class TMapHistory {
  public:
    void Begin(const TCarnoGrid& grid);
    // Ends the outermost bracket; true when it recorded a step.
    bool Commit(const TCarnoGrid& grid);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    int UndoCount() const { return static_cast<int>(undo_.size()); }
    int RedoCount() const { return static_cast<int>(redo_.size()); }
    // Put the map back one step; false when there is none.
    bool Undo(TCarnoGrid& grid);
    bool Redo(TCarnoGrid& grid);
    void Clear();

  private:
    // A state packed into about a kilobyte (most cells are empty or one character), so that
    // thousands of steps stay small.
    static std::string Pack(const TMapState& state);
    static TMapState Unpack(const std::string& packed);

    std::vector<std::string> undo_, redo_;
    std::string before_;
    int depth_ = 0;
};

// Runs change as one step of history.
template <class Change>
bool Recorded(TMapHistory& history, TCarnoGrid& grid, Change&& change) {
    history.Begin(grid);
    change();
    return history.Commit(grid);
}
