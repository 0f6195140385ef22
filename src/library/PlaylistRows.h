#pragma once
// The rows of the playlist view as the playlist sees them: row i shows entry
// i. Called on the GUI thread only.

#include <string>

namespace tonlira {

class PlaylistRows {
public:
    virtual ~PlaylistRows() = default;

    virtual void appendRow(const std::string& title, const std::string& length) = 0;
    virtual void removeRow(int row) = 0;
    virtual void clearRows() = 0;
    // Makes `row` the view's selected row.
    virtual void selectRow(int row) = 0;
};

}  // namespace tonlira
