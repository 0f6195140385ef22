#pragma once
// The one seam between the program and the modal requesters a person
// answers: message boxes, the open-file dialog, the folder chooser and the
// colour chooser. The program asks through requester(); tests install their
// own Requester and answer without a person.
//
// Threading: every call may come from any thread. The Qt implementation shows
// the requester on the GUI thread; a caller on another thread (the folder
// loader) waits until the person has answered.

#include "platform/Colour.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tonlira {

enum class MessageIcon { None, Information, Warning, Error };

struct MessageRequest {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::None;
};

class Requester {
public:
    virtual ~Requester() = default;

    // A modal box with an OK button.
    virtual void showMessage(const MessageRequest& request) = 0;
    // A modal box with Yes and No; true for Yes.
    virtual bool confirm(const MessageRequest& request) = 0;
    // The open-file dialog with multiple selection. `filter` is in the form
    // "Description|*.a;*.b". Returns the chosen paths in the dialog's order;
    // empty when cancelled.
    virtual std::vector<std::string> chooseFiles(const std::string& startFolder, const std::string& filter) = 0;
    // The folder chooser; empty when cancelled.
    virtual std::string chooseFolder(const std::string& title, const std::string& startFolder) = 0;
    // The colour chooser; nothing when cancelled.
    virtual std::optional<Colour> chooseColour(Colour initial) = 0;
};

// The requester in use. Until one is installed, a Qt one is used.
Requester& requester();
// Installs `replacement` and returns the previous one (null for the built-in).
std::unique_ptr<Requester> installRequester(std::unique_ptr<Requester> replacement);

// Convenience for the usual OK box.
inline void showMessage(const std::string& title, const std::string& text, MessageIcon icon = MessageIcon::None) {
    requester().showMessage({title, text, icon});
}

}  // namespace tonlira
