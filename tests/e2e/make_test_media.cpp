// Writes one generated test file for the end-to-end scripts.
// Usage: make_test_media FORMAT SECONDS FOLDER STEM [HERTZ]
// FORMAT is the name TestMedia gives it (wav, mp3, flac, ogg, wma, corrupt, ...);
// HERTZ the tone's frequency (440 by default).

#include "support/TestMedia.h"

#include <gst/gst.h>

#include <cstdio>
#include <string>

using tonlira::test::TestFormat;
using tonlira::test::TestMedia;

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: %s FORMAT SECONDS FOLDER STEM [HERTZ]\n", argv[0]);
        return 2;
    }
    gst_init(nullptr, nullptr);
    const std::string wanted = argv[1];
    const int hertz = argc == 6 ? std::stoi(argv[5]) : TestMedia::defaultHertz;
    for (int f = static_cast<int>(TestFormat::Wav); f <= static_cast<int>(TestFormat::Empty); ++f) {
        const auto format = static_cast<TestFormat>(f);
        if (TestMedia::name(format) == wanted) {
            const auto path = TestMedia::make(format, argv[3], std::stod(argv[2]), argv[4], hertz);
            if (path.empty()) {
                return 1;
            }
            std::printf("%s\n", path.c_str());
            return 0;
        }
    }
    std::fprintf(stderr, "unknown format %s\n", argv[1]);
    return 2;
}
