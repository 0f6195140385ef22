#pragma once
// Requesters shown with Qt's standard dialogs on the GUI thread.

#include "platform/Requester.h"

namespace tonlira {

class QtRequester final : public Requester {
public:
    void showMessage(const MessageRequest& request) override;
    bool confirm(const MessageRequest& request) override;
    std::vector<std::string> chooseFiles(const std::string& startFolder,
                                         const std::string& filter) override;
    std::string chooseFolder(const std::string& title, const std::string& startFolder) override;
    std::optional<Colour> chooseColour(Colour initial) override;
};

}  // namespace tonlira
