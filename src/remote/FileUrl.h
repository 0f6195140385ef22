#pragma once
// The file: URL of a local path from the path's own bytes. A name need not
// be UTF-8 on this system; decoding it first would turn its bytes into
// U+FFFD and the URL would name another file. A relative path is taken from
// the working folder. Every byte outside the
// unreserved characters and "/" is percent-encoded, so the URL is ASCII.

#include <QString>

#include <string>

namespace tonlira {

QString fileUrlOf(const std::string& path);

}  // namespace tonlira
