#pragma once
// The rows of the playlist view as the playlist sees them: row i shows entry
// i. Called on the GUI thread only.

#include <cstdint>
#include <string>

namespace tonlira {

// Tells playlist entries apart across removals, clears and refills; 0 is no
// entry. A row carries its entry's serial, so what a person does to a row is
// done to that entry, however the playlist has changed since the row showed.
using EntrySerial = std::uint64_t;
inline constexpr EntrySerial noEntry = 0;

class PlaylistRows {
public:
    virtual ~PlaylistRows() = default;

    virtual void appendRow(const std::string& title, const std::string& length, EntrySerial serial) = 0;
    virtual void removeRow(int row) = 0;
    virtual void clearRows() = 0;
    // Makes `row` the view's selected row.
    virtual void selectRow(int row) = 0;
};

}  // namespace tonlira
