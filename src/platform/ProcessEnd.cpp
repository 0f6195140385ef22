#include "platform/ProcessEnd.h"

#include <cstdio>
#include <cstdlib>

namespace tonlira {

void endProcessNow(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace tonlira
