#include "support/RecordingRequester.h"

namespace tonlira::test {

void RecordingRequester::showMessage(const MessageRequest& request) {
    std::lock_guard lock(mutex_);
    messages_.push_back({request, std::this_thread::get_id()});
}

bool RecordingRequester::confirm(const MessageRequest& request) {
    std::lock_guard lock(mutex_);
    messages_.push_back({request, std::this_thread::get_id()});
    if (confirms_.empty()) {
        return false;
    }
    const bool yes = confirms_.front();
    confirms_.pop_front();
    return yes;
}

std::vector<std::string> RecordingRequester::chooseFiles(const std::string& startFolder, const std::string& filter) {
    std::lock_guard lock(mutex_);
    lastStartFolder_ = startFolder;
    lastFilter_ = filter;
    if (files_.empty()) {
        return {};
    }
    auto files = std::move(files_.front());
    files_.pop_front();
    return files;
}

std::string RecordingRequester::chooseFolder(const std::string& title, const std::string& startFolder) {
    std::lock_guard lock(mutex_);
    lastStartFolder_ = startFolder;
    lastFolderTitle_ = title;
    if (folders_.empty()) {
        return {};
    }
    auto folder = std::move(folders_.front());
    folders_.pop_front();
    return folder;
}

std::optional<Colour> RecordingRequester::chooseColour(Colour initial) {
    std::lock_guard lock(mutex_);
    colourInitials_.push_back(initial);
    if (colours_.empty()) {
        return std::nullopt;
    }
    const auto colour = colours_.front();
    colours_.pop_front();
    return colour;
}

void RecordingRequester::answerFiles(std::vector<std::string> files) {
    std::lock_guard lock(mutex_);
    files_.push_back(std::move(files));
}

void RecordingRequester::answerFolder(std::string folder) {
    std::lock_guard lock(mutex_);
    folders_.push_back(std::move(folder));
}

void RecordingRequester::answerConfirm(bool yes) {
    std::lock_guard lock(mutex_);
    confirms_.push_back(yes);
}

void RecordingRequester::answerColour(std::optional<Colour> colour) {
    std::lock_guard lock(mutex_);
    colours_.push_back(colour);
}

std::vector<RecordingRequester::Shown> RecordingRequester::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::size_t RecordingRequester::messageCount() const {
    std::lock_guard lock(mutex_);
    return messages_.size();
}

std::string RecordingRequester::lastFilesStartFolder() const {
    std::lock_guard lock(mutex_);
    return lastStartFolder_;
}

std::string RecordingRequester::lastFilesFilter() const {
    std::lock_guard lock(mutex_);
    return lastFilter_;
}

std::vector<Colour> RecordingRequester::colourInitials() const {
    std::lock_guard lock(mutex_);
    return colourInitials_;
}

ScopedRequester::ScopedRequester() {
    auto recording = std::make_unique<RecordingRequester>();
    recording_ = recording.get();
    previous_ = installRequester(std::move(recording));
}

ScopedRequester::~ScopedRequester() { installRequester(std::move(previous_)); }

}  // namespace tonlira::test

namespace tonlira::test {

std::string RecordingRequester::lastFolderTitle() const {
    std::lock_guard lock(mutex_);
    return lastFolderTitle_;
}

}  // namespace tonlira::test
