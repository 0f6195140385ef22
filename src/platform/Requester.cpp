#include "platform/Requester.h"

#include "platform/QtRequester.h"

#include <mutex>

namespace tonlira {
namespace {

std::mutex installMutex;
std::unique_ptr<Requester> installed;

Requester& builtIn() {
    static QtRequester qtRequester;
    return qtRequester;
}

}  // namespace

Requester& requester() {
    std::lock_guard lock(installMutex);
    return installed ? *installed : builtIn();
}

std::unique_ptr<Requester> installRequester(std::unique_ptr<Requester> replacement) {
    std::lock_guard lock(installMutex);
    std::swap(installed, replacement);
    return replacement;
}

}  // namespace tonlira
