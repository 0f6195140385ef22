#pragma once
// Text from outside (file names above all) made safe to show: control
// characters become visible stand-ins instead of moving the cursor, ringing
// a bell or breaking a row in two, and bytes that are not UTF-8 become
// U+FFFD.

#include <string>
#include <string_view>

namespace tonlira {

// UTF-8 in, UTF-8 out: U+0000-U+001F become their control pictures
// (U+2400-U+241F: ESC shows as U+241B), DEL becomes U+2421, the C1 controls
// U+0080-U+009F and invalid bytes become U+FFFD.
std::string visibleText(std::string_view text);

}  // namespace tonlira
