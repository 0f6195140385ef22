#include "app/Application.h"

namespace tonlira {

int runApplication(int, char**) { return 0; }

}  // namespace tonlira
