#include "media/AudioHeader.h"

#include "media/ContainerHeaders.h"
#include "media/FileBytes.h"
#include "media/GstHandles.h"
#include "media/MpegAudioLength.h"
#include "media/WarmUpWorker.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace tonlira {
namespace {

constexpr std::size_t magicBytes = 16;
constexpr GstElementFactoryListType containerKinds =
    GST_ELEMENT_FACTORY_TYPE_DEMUXER | GST_ELEMENT_FACTORY_TYPE_PARSER;

// Factories that autoplugging could use for `caps`, whatever their rank now
// (ranks may change while the program runs; the registry's plugins do not).
class FactoryCache {
public:
    bool anyRanked(const std::string& caps, GstElementFactoryListType kinds) {
        std::lock_guard lock(mutex_);
        const Key key{caps, kinds};
        auto found = byCaps_.find(key);
        if (found == byCaps_.end()) {
            found = byCaps_.emplace(key, candidates(caps, kinds)).first;
            preloadFirstChoice(found->second);
        }
        for (const gst::FeaturePtr& factory : found->second) {
            if (gst_plugin_feature_get_rank(factory.get()) >= GST_RANK_MARGINAL) {
                return true;
            }
        }
        return false;
    }

private:
    using Key = std::pair<std::string, GstElementFactoryListType>;

    static std::vector<gst::FeaturePtr> candidates(const std::string& description, GstElementFactoryListType kinds) {
        std::vector<gst::FeaturePtr> found;
        const gst::CapsPtr caps(gst_caps_from_string(description.c_str()));
        if (!caps) {
            return found;
        }
        GList* all = gst_element_factory_list_get_elements(kinds, GST_RANK_NONE);
        GList* fitting = gst_element_factory_list_filter(all, caps.get(), GST_PAD_SINK, FALSE);
        for (GList* item = fitting; item != nullptr; item = item->next) {
            found.emplace_back(static_cast<GstPluginFeature*>(gst_object_ref(item->data)));
        }
        gst_plugin_feature_list_free(fitting);
        gst_plugin_feature_list_free(all);
        return found;
    }

    // Loads, ahead of the first play, the plugin of the factory autoplugging
    // would pick: the highest rank, then the first name.
    static void preloadFirstChoice(const std::vector<gst::FeaturePtr>& factories) {
        const auto first = std::ranges::min_element(factories, [](const auto& a, const auto& b) {
            return gst_plugin_feature_rank_compare_func(a.get(), b.get()) < 0;
        });
        if (first == factories.end() || gst_plugin_feature_get_rank(first->get()) < GST_RANK_MARGINAL) {
            return;
        }
        auto factory =
            std::make_shared<gst::FeaturePtr>(static_cast<GstPluginFeature*>(gst_object_ref(first->get())));
        WarmUpWorker::instance().post([factory] {
            // Loading a feature loads its plugin; the loaded copy is not kept.
            if (GstPluginFeature* loaded = gst_plugin_feature_load(factory->get())) {
                gst_object_unref(loaded);
            }
        });
    }

    std::mutex mutex_;
    std::map<Key, std::vector<gst::FeaturePtr>> byCaps_;
};

}  // namespace

std::optional<AudioHeader> readAudioHeader(const std::filesystem::path& path) {
    const FileBytes file(path);
    if (!file.open()) {
        return std::nullopt;
    }
    const std::string magic = file.read(0, magicBytes);
    std::optional<AudioHeader> header;
    if (magic.starts_with("RIFF")) {
        header = readWavHeader(file);
    } else if (magic.starts_with("OggS")) {
        header = readOggHeader(file);
    } else if (magic.starts_with(asfHeaderGuid)) {
        header = readAsfHeader(file);
    } else if (auto flac = readFlacHeader(file)) {
        header = std::move(flac);
    } else if (const auto mpeg = mpegAudioStart(path)) {
        header = AudioHeader{mpeg->lengthNs, {}, mpeg->decoderCaps};
    }
    if (header && header->lengthNs <= 0) {
        return std::nullopt;
    }
    return header;
}

bool decodersAvailable(const AudioHeader& header) {
    static FactoryCache& cache = *new FactoryCache;  // lives as long as the registry
    return (header.containerCaps.empty() || cache.anyRanked(header.containerCaps, containerKinds)) &&
           (header.decoderCaps.empty() || cache.anyRanked(header.decoderCaps, GST_ELEMENT_FACTORY_TYPE_DECODER));
}

}  // namespace tonlira
