#include "media/AudioOutput.h"

#include "media/MediaEngine.h"

#include <atomic>
#include <mutex>
#include <optional>

namespace tonlira {
namespace {

std::mutex outputMutex;
std::string outputDescription = defaultAudioOutput;
std::optional<bool> outputUsable;  // cached per description
std::atomic<bool> outputLost{false};

gst::ElementPtr parseOutput(const std::string& description) {
    GError* rawError = nullptr;
    GstElement* bin = gst_parse_bin_from_description(description.c_str(), TRUE, &rawError);
    const gst::ErrorPtr error(rawError);
    if (error) {
        // A parse error may still hand back a partial bin; it is not used.
        gst::adoptFloating(bin);
        return {};
    }
    return gst::adoptFloating(bin);
}

}  // namespace

void setAudioOutput(std::string description) {
    std::lock_guard lock(outputMutex);
    outputDescription = std::move(description);
    outputUsable.reset();
}

std::string audioOutput() {
    std::lock_guard lock(outputMutex);
    return outputDescription;
}

gst::ElementPtr makeAudioOutput() {
    if (auto output = parseOutput(audioOutput())) {
        return output;
    }
    if (auto output = parseOutput(defaultAudioOutput)) {
        return output;
    }
    return parseOutput("fakesink sync=true");
}

bool audioOutputUsable() {
    std::string description;
    {
        std::lock_guard lock(outputMutex);
        if (outputUsable) {
            return *outputUsable;
        }
        description = outputDescription;
    }
    const bool usable = static_cast<bool>(parseOutput(description));
    std::lock_guard lock(outputMutex);
    if (description == outputDescription) {
        outputUsable = usable;
    }
    return usable;
}

bool audioOutputLost() { return outputLost.load(); }

void noteAudioOutputLost(bool lost) { outputLost.store(lost); }

}  // namespace tonlira
